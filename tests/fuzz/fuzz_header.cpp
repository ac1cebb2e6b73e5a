// Fuzz target over the header parser: any bytes in, a record out, and the record must make
// sense. Built as a libFuzzer program (TARVEX_FUZZ) and as a plain corpus player for ctest.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "replay/display_text.h"
#include "replay/zerohour.h"

namespace {

// A broken rule is a finding, like a crash: report it and stop so that the input is kept.
void Require(bool condition, const char* rule) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_header: broken rule: %s\n", rule);
    std::abort();
}

void ShowAndCheck(std::string_view text) {
    Require(IsValidUtf8(DisplayText(text)), "DisplayText gives UTF-8");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HeaderFields fields = SplitHeaderBytes(bytes);

    // The fields are the file's first bytes in order, each closed by its ";".
    std::size_t consumed = 0;
    for (const Text& field : fields) {
        if (field.empty()) continue;
        Require(field.back() == ';', "a field ends with its semicolon");
        Require(bytes.substr(consumed, field.size()) == field, "fields follow each other");
        consumed += field.size();
    }
    Require(consumed <= HeaderReadLimit, "the header stays within the read limit");

    TZH_replay record;
    record.file.size = static_cast<int32_t>(size);
    record.valid = ParseHeaderFields(fields, record);
    if (const auto seconds = DurationFromFrames(bytes.substr(0, 18))) {
        Require(*seconds >= 0, "a frame count gives a length of zero or more");
        record.duration = *seconds;
    }

    Require(record.players.size() <= 8, "at most eight players");
    Require(record.version.empty() == (fields[0].compare(0, 6, "GENREP") != 0),
            "the version is empty exactly when the magic is missing");
    if (record.valid) {
        Require(record.version.size() == 4 && IsKnownVersion(record.version),
                "a valid record has a known version");
        Require(record.map.name.find('/') == Text::npos, "the map name has no folder in it");
    }

    // Reading stops early only where the rest of the header could change nothing.
    TZH_replay early;
    early.file.size = record.file.size;
    const bool earlyValid =
        ParseHeaderFields(SplitHeaderBytes(bytes, HeaderScope::UntilRuledOut), early);
    Require(earlyValid == record.valid && early.version == record.version &&
                early.map.name == record.map.name && early.money == record.money &&
                early.players.size() == record.players.size(),
            "a header read until it is ruled out gives the record of the whole header");

    ShowAndCheck(record.map.name);
    ShowAndCheck(record.version);
    for (const TZH_player& player : record.players)
        ShowAndCheck(player.name);
    return 0;
}
