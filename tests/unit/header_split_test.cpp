// The header is read block by block straight into one buffer: however the file's bytes
// arrive, the fields are the ones a single pass over all of them gives.
#include <string>

#include <gtest/gtest.h>

#include "replay/header_split.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"

namespace rb = replay_builder;

namespace {

std::string Header(const std::u16string& replayName, const std::u16string& version) {
    rb::Settings settings;
    settings.slots = {rb::Human("Ana", "C0A80102", 1, 2, 0, 0), rb::Computer('E', 2, 3, 1, 1)};
    rb::Replay replay;
    replay.replayName = replayName;
    replay.versionText = version;
    replay.settings = rb::SettingsText(settings);
    return rb::Bytes(replay);
}

bool RulesOutAll(std::string_view) {
    return true;
}

TEST(HeaderSplit, ChunksOfAnySizeCutTheSameFields) {
    const std::string headers[] = {
        Header(u"Last Replay", u"Version 1.04"),
        Header(std::u16string(1100, u'R'), u"Version 1.04"), // the settings lie past 2 KiB
        std::string(140, 'x') + ";" + std::string(500, ';'),
    };
    for (const std::string& bytes : headers) {
        const HeaderFields whole = SplitHeaderBytes(bytes);
        for (const std::size_t chunk : {1u, 5u, 139u, 2048u}) {
            SCOPED_TRACE(chunk);
            HeaderSplit split;
            for (std::size_t at = 0; at < bytes.size() && !split.done(); at += chunk) {
                const std::string_view piece = std::string_view(bytes).substr(at, chunk);
                piece.copy(split.room(piece.size()), piece.size());
                split.commit(piece.size());
            }
            for (std::size_t i = 0; i < whole.size(); ++i)
                EXPECT_EQ(split.field(i), whole[i]) << "field " << i + 1;
            EXPECT_TRUE(split.done());
        }
    }
}

TEST(HeaderSplit, MagicAndFirstFieldDecideWhereItStops) {
    const std::string zeroHour = Header(u"Last Replay", u"Version 1.04");
    std::string lower = zeroHour;
    lower.replace(0, 6, "genrep");
    struct Case {
        std::string bytes;
        std::size_t fields;
    };
    const Case cases[] = {{zeroHour, 1}, {lower, 0}, {"GENRE", 0}};
    for (const Case& c : cases) {
        HeaderSplit split(RulesOutAll);
        for (const char byte : c.bytes)
            split.feed(std::string_view(&byte, 1));
        EXPECT_EQ(split.done(), c.bytes.size() > 5) << c.bytes.substr(0, 6);
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_EQ(split.field(i).empty(), i >= c.fields);
    }
}

} // namespace
