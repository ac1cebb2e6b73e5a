#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "replay/GR_Utils.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace rb = replay_builder;
using namespace std::string_literals;

namespace {

std::string Utf16(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

// A first header field with the 16-bit text starting at position p (counted from 1).
std::string Field1With(const std::u16string& text, std::size_t p) {
    std::string field = "GENREP";
    field.resize(p - 1, '\0');
    field += Utf16(text) + "\0\0"s;
    if (field.size() < 140) field.resize(140, '\0');
    return field + ";";
}

rb::Settings TwoPlayers() {
    rb::Settings s;
    s.slots = {rb::Human("Alpha", "C0A80102", 1, 2, 0, 0), rb::Computer('H', 2, 4, 1, 1)};
    return s;
}

class ReaderFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        rb::WriteFile(path, bytes);
        return path;
    }
    testsupport::TempDir dir_;
};

} // namespace

TEST(FindGameVersion, AcceptsVersionsFrom100To104) {
    struct Case {
        std::u16string text;
        bool known;
        std::string version;
    };
    const Case cases[] = {
        {u"Version 1.04", true, "1.04"},     {u"Version 1.00", true, "1.00"},
        {u"Wersja 1.03", true, "1.03"},      {u"Version 1.05", false, "Invalid"},
        {u"Version 0.99", false, "Invalid"}, {u"Version 1.0", false, "Invalid"},
        {u"Version 1.7", false, "Invalid"},
    };
    for (const Case& c : cases) {
        TZH_replay r;
        EXPECT_EQ(FindGameVersion(Field1With(c.text, 68), r), c.known) << std::string(c.version);
        EXPECT_EQ(r.version, c.version);
    }
}

TEST(FindGameVersion, TheWordMustStartAtPosition60OrLater) {
    // "Ve" cut by a NUL still matches the word list; "1x04" reads as 104 once its second
    // character is dropped, and has no full stop for the scan by digits to find.
    const std::u16string word(u"Ve\0\0\0\0\0\0"
                              u"1x04",
                              12);
    TZH_replay r;
    EXPECT_FALSE(FindGameVersion(Field1With(word, 59), r));
    EXPECT_EQ(r.version, "Invalid");
    EXPECT_TRUE(FindGameVersion(Field1With(word, 60), r));
    EXPECT_EQ(r.version, "1x04");
}

TEST(FindGameVersion, VersionTextInAnyLanguageIsFoundByItsDigits) {
    for (const char16_t* text :
         {u"Версия 1.04", u"Versión 1.04", u"Versione 1.04", u"버전 1.04", u"版本 1.04"}) {
        TZH_replay r;
        EXPECT_TRUE(FindGameVersion(Field1With(text, 78), r));
        EXPECT_EQ(r.version, "1.04");
    }
    TZH_replay r;
    EXPECT_FALSE(FindGameVersion(Field1With(u"Версия 1.05", 78), r));
    EXPECT_EQ(r.version, "Invalid");
}

TEST(FindGameVersion, LettersInPlaceOfDigitsAreNotAVersionAndTheScanGoesOn) {
    // The first word's digits are letters; a real version text follows.
    std::string field = "GENREP";
    field.resize(67, '\0');
    field += Utf16(u"Version a.bc") + "\0\0"s + Utf16(u"Version 1.02") + "\0\0"s;
    field.resize(200, '\0');
    TZH_replay r;
    EXPECT_TRUE(FindGameVersion(field + ";", r));
    EXPECT_EQ(r.version, "1.02");
    TZH_replay lettersOnly;
    EXPECT_FALSE(FindGameVersion(Field1With(u"Version a.bc", 68), lettersOnly));
    EXPECT_EQ(lettersOnly.version, "Invalid");
}

TEST(TakeEverySecondChar, TakesLowBytesUntilTheEnd) {
    EXPECT_EQ(TakeEverySecondChar("a1b2c3", 1, 7), "abc");
    EXPECT_EQ(TakeEverySecondChar("a1b2c3", 2, 2), "12");
    EXPECT_EQ(TakeEverySecondChar("a1b2c3", 7, 2), "");
}

TEST(SplitHeaderBytes, FirstFieldEndsAtASemicolonFromOffset139) {
    std::string early(101, 'a');
    early[100] = ';';
    early.resize(139, 'b');
    const auto late = SplitHeaderBytes(early + ";A=1;B=2;C;D;E;F;G;H;I;J;");
    EXPECT_EQ(late[0].size(), 140u);
    EXPECT_EQ(late[1], "A=1;");
    EXPECT_EQ(late[9], "I;");

    std::string at138(138, 'a');
    const auto f = SplitHeaderBytes(at138 + ";;x;");
    EXPECT_EQ(f[0], at138 + ";;");
    EXPECT_EQ(f[1], "x;");
}

TEST(SplitHeaderBytes, FieldsNotCompleteStayEmpty) {
    const auto f = SplitHeaderBytes(std::string(139, 'a') + ";M=x;MC=1F;MS=12");
    EXPECT_EQ(f[1], "M=x;");
    EXPECT_EQ(f[2], "MC=1F;");
    EXPECT_EQ(f[3], "");
}

TEST(SplitHeaderBytes, StopsAfter64KiB) {
    std::string bytes(140, 'a');
    bytes[139] = ';';
    bytes.resize(HeaderReadLimit - 1, 'b');
    const auto f = SplitHeaderBytes(bytes + ";" + "c;");
    EXPECT_EQ(f[1].size(), HeaderReadLimit - 140); // its ";" is the 65,536th byte
    EXPECT_EQ(f[2], "");                           // beyond the limit
}

TEST(Durations, EstimateFromSizeRoundsHalvesToEven) {
    EXPECT_EQ(DurationFromFileSize(12288), 100);
    EXPECT_EQ(DurationFromFileSize(1536), 12);
    EXPECT_EQ(DurationFromFileSize(4608), 38);
    EXPECT_EQ(DurationFromFileSize(0), 0);
    EXPECT_EQ(DurationFromFileSize(2333969), 18994);
}

TEST(Durations, FrameCountWinsWhenTheGameRecordedIt) {
    const std::string head = "GENREP" + std::string(8, '\0');
    EXPECT_EQ(DurationFromFrames(head + "\x40\xb9\x02\x00"s), 178496 / 30);
    EXPECT_EQ(DurationFromFrames(head + "\x1d\x00\x00\x00"s), 0);
    EXPECT_EQ(DurationFromFrames(head + "\xff\xff\xff\xff"s), 4294967295u / 30);
    EXPECT_EQ(DurationFromFrames(head + "\0\0\0\0"s), std::nullopt); // crashed game
    EXPECT_EQ(DurationFromFrames(head + "\x01\0\0"s), std::nullopt); // too short
    EXPECT_EQ(DurationFromFrames("GENREQ" + std::string(8, '\0') + "\x01\0\0\0"s), std::nullopt);
}

TEST_F(ReaderFiles, ReadsAWholeReplay) {
    rb::Settings s = TwoPlayers();
    s.mapPath = "userdata/maps/my map [v2]";
    s.mapCode = "FFFFFFFF";
    s.superweaponLimit = true;
    s.money = 50000;
    s.originalArmiesOnly = true;
    rb::Replay replay;
    replay.settings = rb::SettingsText(s);
    replay.frames = 30 * 125;
    const std::string bytes = rb::Bytes(replay);
    const TZH_replay r = ReadReplay(write("one.rep", bytes));
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.file.name, "one.rep");
    EXPECT_EQ(r.file.size, static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(r.version, "1.04");
    EXPECT_EQ(r.map.name, "my map [v2]");
    EXPECT_EQ(r.map.code, -1);
    EXPECT_EQ(r.map.number, 130668);
    EXPECT_TRUE(r.superweaponLimit);
    EXPECT_TRUE(r.vanilla);
    EXPECT_EQ(r.money, 50000);
    EXPECT_EQ(r.duration, 125);
    ASSERT_EQ(r.players.size(), 2u);
    EXPECT_EQ(r.players[0].name, "Alpha");
    EXPECT_EQ(r.players[1].name, "IA Difficile");
}

TEST_F(ReaderFiles, MapNameIsWhatFollowsTheLastSlashAndItsFolderTellsAUserMap) {
    struct Case {
        std::string path, name;
        bool userMap;
    };
    const Case cases[] = {
        {"maps/tournament desert", "tournament desert", false},
        {"userdata/maps/tournament desert", "tournament desert", true},
        {"UserData/Maps/Big One", "Big One", true},
        {"maps/userdata", "userdata", false},
        {"data/maps/x", "x", false},
        {"no folder", "", false},
    };
    for (const Case& c : cases) {
        rb::Settings s = TwoPlayers();
        s.mapPath = c.path;
        rb::Replay replay;
        replay.settings = rb::SettingsText(s);
        const TZH_replay r = ReadReplay(write("a.rep", rb::Bytes(replay)));
        EXPECT_EQ(r.map.name, c.name) << c.path;
        EXPECT_EQ(r.map.userMap, c.userMap) << c.path;
    }
}

TEST_F(ReaderFiles, WrongMagicLeavesVersionEmptyButSetsTheDuration) {
    rb::Replay replay;
    replay.settings = rb::SettingsText(TwoPlayers());
    replay.frames = 0;
    for (const std::string& magic : {"genrep"s, "GENREQ"s}) {
        std::string bytes = rb::Bytes(replay);
        bytes.replace(0, 6, magic);
        bytes.resize(1536, '\0');
        const TZH_replay r = ReadReplay(write(magic + ".rep", bytes));
        EXPECT_FALSE(r.valid);
        EXPECT_EQ(r.version, "");
        EXPECT_EQ(r.duration, 12);
    }
}

TEST_F(ReaderFiles, SettingsValuesDecideFlagsAndValidity) {
    struct Case {
        const char* from;
        const char* to;
        bool valid;
        bool superweapons;
    };
    const Case cases[] = {
        {"SR=0;", "SR=1;", true, true},         {"SR=0;", "SR=01;", true, false},
        {"SR=0;", "SR=;", true, false},         {"MS=130668;", "MS=12a;", false, false},
        {"MC=12BE477C;", "MC=;", false, false}, {"SC=10000;", "SC=ten;", false, false},
    };
    for (const Case& c : cases) {
        std::string settings = rb::SettingsText(TwoPlayers());
        settings.replace(settings.find(c.from), std::string(c.from).size(), c.to);
        rb::Replay replay;
        replay.settings = settings;
        const TZH_replay r = ReadReplay(write("s.rep", rb::Bytes(replay)));
        EXPECT_EQ(r.valid, c.valid) << c.to;
        EXPECT_EQ(r.superweaponLimit, c.superweapons) << c.to;
        EXPECT_EQ(r.version, "1.04");
    }
}

TEST_F(ReaderFiles, BadMapNumberKeepsNameAndCode) {
    std::string settings = rb::SettingsText(TwoPlayers());
    settings.replace(settings.find("MS=130668"), 9, "MS=12a");
    rb::Replay replay;
    replay.settings = settings;
    const TZH_replay r = ReadReplay(write("m.rep", rb::Bytes(replay)));
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.map.name, "tournament desert");
    EXPECT_EQ(r.map.code, 0x12BE477C);
}

TEST_F(ReaderFiles, HeaderAcrossBlocksAndCutShortFiles) {
    rb::Replay replay;
    replay.replayName = std::u16string(1100, u'R'); // pushes the settings past 2 KiB
    replay.settings = rb::SettingsText(TwoPlayers());
    const std::string bytes = rb::Bytes(replay);
    EXPECT_TRUE(ReadReplay(write("long.rep", bytes)).valid);
    const std::size_t slots = bytes.find("S=H");
    const TZH_replay cut = ReadReplay(write("cut.rep", bytes.substr(0, slots + 10)));
    EXPECT_FALSE(cut.valid);
    EXPECT_EQ(cut.version, "1.04");
    EXPECT_EQ(cut.money, 10000);
}

TEST_F(ReaderFiles, FirstFieldThatRulesTheReplayOutEndsTheRead) {
    rb::Replay zeroHour;
    zeroHour.settings = rb::SettingsText(TwoPlayers());
    rb::Replay v105 = zeroHour;
    v105.versionText = u"Version 1.05";
    rb::Replay generals = zeroHour; // six entries only: the tenth ";" lies far into the body
    generals.versionText = u"Version 1.7";
    generals.settings = "M=07maps/desert fury;MC=83506418;MS=214497;SD=6;C=100;S=X:X:X:X:X:X:X:X:;";
    generals.bodySize = 40000;
    rb::Replay letters = zeroHour;
    letters.versionText = u"Version 1.0x";
    std::string lowerMagic = rb::Bytes(zeroHour);
    lowerMagic.replace(0, 6, "genrep");
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t fieldsRead;
    };
    const Case cases[] = {
        {"zero hour", rb::Bytes(zeroHour), 10},
        {"1.05", rb::Bytes(v105), 1},
        {"generals", rb::Bytes(generals) + std::string(8, ';'), 1},
        {"letters", rb::Bytes(letters), 1},
        {"genrep", lowerMagic, 0},
        {"GENRE", "GENRE", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write("f.rep", c.bytes);
        std::size_t fieldsRead = 0;
        for (const Text& field : ReadHeader(path, HeaderScope::UntilRuledOut).fields)
            fieldsRead += !field.empty();
        EXPECT_EQ(fieldsRead, c.fieldsRead);
        // The record is the one that all ten fields give.
        const TZH_replay read = ReadReplay(path);
        TZH_replay full;
        full.file.size = read.file.size;
        full.valid = ParseHeaderFields(SplitHeaderFields(path), full);
        if (const auto seconds = DurationFromFrames(c.bytes.substr(0, 18)))
            full.duration = *seconds;
        EXPECT_EQ(read.valid, full.valid);
        EXPECT_EQ(read.version, full.version);
        EXPECT_EQ(read.duration, full.duration);
        EXPECT_EQ(read.map.name, full.map.name);
        EXPECT_EQ(read.players.size(), full.players.size());
    }
}

TEST_F(ReaderFiles, ReadOnlyAndEmptyFilesAreRead) {
    rb::Replay replay;
    replay.settings = rb::SettingsText(TwoPlayers());
    const std::string path = write("ro.rep", rb::Bytes(replay));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    EXPECT_TRUE(ReadReplay(path).valid);
    const std::string empty = write("00000000.rep", "");
    std::filesystem::permissions(empty, std::filesystem::perms::owner_read);
    const TZH_replay r = ReadReplay(empty);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.file.size, 0);
    EXPECT_EQ(r.duration, 0);
}

TEST_F(ReaderFiles, MissingFileIsAnInputOutputErrorNamingTheFile) {
    const std::string path = (dir_ / "gone.rep").string();
    try {
        ReadReplay(path);
        FAIL() << "no error";
    } catch (const ReplayReadError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_NE(std::string(error.what()).find("gone.rep"), std::string::npos);
        EXPECT_FALSE(error.reason().empty());
    }
}

TEST(FileNamePart, FollowsThePlatformsSeparators) {
    EXPECT_EQ(FileNamePart("/a/b/c.rep"), "c.rep");
    EXPECT_EQ(FileNamePart("plain.rep"), "plain.rep");
#ifdef _WIN32
    EXPECT_EQ(FileNamePart("C:\\x\\y.rep"), "y.rep");
    EXPECT_EQ(FileNamePart("C:y.rep"), "y.rep");
#else
    EXPECT_EQ(FileNamePart("/r/match: 2v2\\final.rep"), "match: 2v2\\final.rep");
#endif
}

TEST(Records, NewRecordHasItsDefaults) {
    const TZH_replay r;
    EXPECT_FALSE(r.valid);
    EXPECT_TRUE(r.version.empty());
    EXPECT_TRUE(r.players.empty());
    EXPECT_EQ(r.money | r.duration | r.map.code | r.map.number | r.file.size, 0);
}
