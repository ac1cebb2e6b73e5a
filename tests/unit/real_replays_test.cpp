// The reader on the 49 replays from real matches. Expected values were read off hex dumps of
// the files (offsets given in the comments), not taken from the reader's own output.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/zerohour.h"
#include "tests/support/shared_data.h"

namespace fs = std::filesystem;

namespace {

// Zero Hour 1.04 replays, English, German and Russian; every other real file is either a
// Generals replay ("Version 1.7", "Версия 1.07") or the Zero Hour 1.0 one.
const std::set<std::string> ZeroHour104Files = {
    "!Golden Replay #1.rep",
    "00-03-45_2v6_PC03_ss_HardAI_HardAI_HardAI_HardAI_HardAI_HardAI.rep",
    "00-31-22_2v2_Derky_DESKTOPJ_HardAI_HardAI.rep",
    "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
    "05-01-50_2v2_amoor123_beshr_HardAI_HardAI.rep",
    "11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep",
    "12-11-35_2v2_babai_ILnur_HardAI_HardAI.rep",
    "15-07-24_2v2v2_Emkill_haker_HardAI_HardAI_HardAI_HardAI.rep",
    "18-13-02_3v3_Supremac_Loonen_JB_HardAI_HardAI_HardAI.rep",
    "366648.rep",
    "Golden Replay #2.rep",
    "Test_001_MoveDozer.rep",
    "Test_002_BuildPowerPlant.rep",
    "Test_004_TrainInfantry.rep",
    "leex279_vs_fox27.rep",
    "skirmish test #1.rep",
};

constexpr std::size_t RealFileCount = 49;

std::vector<fs::path> RealReplayFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(testsupport::RealReplayDir()))
        if (entry.is_regular_file() && entry.path().extension() == ".rep")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Bytes 14-17 of a replay: the number of game frames, little-endian.
uint32_t FrameCount(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char bytes[18] = {};
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    return uint32_t{bytes[14]} | uint32_t{bytes[15]} << 8 | uint32_t{bytes[16]} << 16 |
           uint32_t{bytes[17]} << 24;
}

struct ExpectedPlayer {
    std::string name;
    int army;
    int slotValue1;
    bool human;
    int team;
    int slotValue3;
    std::array<int, 4> address;
    int port;
};

struct ExpectedReplay {
    std::string file;
    std::string mapName;
    int32_t mapCode;
    int32_t mapNumber;
    std::string version;
    int32_t money;
    bool superweaponLimit;
    bool vanilla;
    int32_t duration;
    std::vector<ExpectedPlayer> players;
};

ExpectedPlayer Computer(const std::string& name, int colour, int army, int start, int team) {
    return {name, army, colour & 0xFF, false, team, start & 0xFF, {0, 0, 0, 0}, 0};
}

ExpectedPlayer Human(const std::string& name, std::array<int, 4> address, int port, int colour,
                     int army, int start, int team) {
    return {name, army, colour & 0xFF, true, team, start & 0xFF, address, port};
}

// Each entry: what the settings text of the file holds (M, MC, MS, SR, SC, O, S) and the
// frame count at offset 0x0E.
const std::vector<ExpectedReplay>& RepresentativeReplays() {
    static const std::vector<ExpectedReplay> replays = {
        // English, two humans with random armies and two hard computers. 0x0E: 9b 90 00 00 =
        // 37019 frames. Settings at 0x98: M=07maps/tournament island;MC=12BE477C;MS=130668;
        // SR=1;SC=20000;O=N; S=HNic,25410000,8088,TT,2,-1,1,0,1:H|BOMD|2MA.S^,B9C0A000,...
        {"00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
         "tournament island",
         0x12BE477C,
         130668,
         "1.04",
         20000,
         true,
         false,
         37019 / 30,
         {Human("Nic", {0x25, 0x41, 0x00, 0x00}, 8088, 2, -1, 1, 0),
          Human("|BOMD|2MA.S^", {0xB9, 0xC0, 0xA0, 0x00}, 8088, 3, -1, 0, 0),
          Computer("IA Difficile", -1, -1, -1, 1), Computer("IA Difficile", -1, -1, -1, 1)}},
        // Russian: "Версия 1.04" as 16-bit text at 0x4E, the digits at 0x5C. 0x0E: 5b 1f =
        // 8027 frames. M=03maps/tournamentb;MC=8771BBC9 (negative as 32 bits);MS=165576;SR=0;
        // SC=10000;O=N; three humans marked FT and one hard computer in team 0.
        {"11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep",
         "tournamentb",
         -2022589495,
         165576,
         "1.04",
         10000,
         false,
         false,
         8027 / 30,
         {Human("Kana", {0x1A, 0xD6, 0x90, 0x00}, 8088, -1, -1, 0, 0),
          Human("Erbolat", {0x1A, 0x6F, 0x50, 0x00}, 8088, -1, -1, -1, 1),
          Human("Hulk", {0x1A, 0xDF, 0x20, 0x00}, 8088, -1, -1, 3, 1),
          Computer("IA Difficile", -1, -1, 1, 0)}},
        // German ("Letzte Wiederholung", version word at 0x54), 1v1 with an observer (army -2)
        // on a user map with map mask 0f. 0x0E: bc 34 = 13500 frames. Settings at 0xA4:
        // M=0fuserdata/maps/[rank] arctic arena zh v1;MC=43396DD8;MS=162490;SR=0;SC=10000;O=N
        {"366648.rep",
         "[rank] arctic arena zh v1",
         0x43396DD8,
         162490,
         "1.04",
         10000,
         false,
         false,
         13500 / 30,
         {Human("Alfie_TV", {0x1A, 0xB1, 0xFA, 0x07}, 8088, -1, -2, -1, -1),
          Human("-Memphis^", {0x00, 0x00, 0x00, 0x01}, 8088, 4, 3, 0, -1),
          Human("Prodigy", {0x00, 0x00, 0x00, 0x02}, 8088, 3, 13, 1, -1)}},
        // Seven humans, the third an observer, on the user map tansooo. 0x0E: 40 b9 02 00 =
        // 178496 frames. M=03userdata/maps/tansooo;MC=6314F5FD;MS=106110;SR=0;SC=10000;O=N
        {"!Golden Replay #1.rep",
         "tansooo",
         0x6314F5FD,
         106110,
         "1.04",
         10000,
         false,
         false,
         178496 / 30,
         {Human("tar", {0, 0, 0, 1}, 8088, 0, 2, 5, -1),
          Human("pek", {0, 0, 0, 2}, 8088, 1, 4, 4, -1),
          Human("tws", {0, 0, 0, 3}, 8088, -1, -2, -1, -1),
          Human("sor", {0, 0, 0, 4}, 8088, 2, 7, 2, -1),
          Human("nab", {0, 0, 0, 5}, 8088, 3, 11, 0, -1),
          Human("hai", {0, 0, 0, 6}, 8088, 5, 13, 3, -1),
          Human("L3M", {0, 0, 0, 7}, 8088, -1, 5, 1, -1)}},
        // Computers of all three difficulties. 0x0E: 9d 06 = 1693 frames.
        // M=03maps/manic aggression;MC=43D4F68E;MS=220259;SR=1;SC=20000;O=N;
        // S=HDESKTOP-J8EU7T4,0,0,TT,0,6,-1,1,1:CE,4,3,-1,0:CM,6,4,-1,2:CH,7,5,-1,3:X:X:X:X:
        // The address "0" borrows from the entries after it: pairs "0,", "0,", "TT", ",0".
        {"Test_004_TrainInfantry.rep",
         "manic aggression",
         0x43D4F68E,
         220259,
         "1.04",
         20000,
         true,
         false,
         1693 / 30,
         {Human("DESKTOP-J8EU7T4", {0, 0, 0, 0}, 0, 0, 6, -1, 1),
          Computer("IA Facile", 4, 3, -1, 0), Computer("IA Moyenne", 6, 4, -1, 2),
          Computer("IA Difficile", 7, 5, -1, 3)}},
        // The 2.3 MB skirmish: one human, four closed slots, then three medium computers.
        // 0x0E: f9 9d = 40441 frames. M=03maps/twilight flame;MC=F0F7E3EB;MS=400412;SR=0;
        // SC=50000;O=N;S=HSuperHacker,0,0,TT,0,7,7,0,1:X:X:X:X:CM,1,3,4,1:CM,3,4,3,1:CM,2,2,2,1:
        {"skirmish test #1.rep",
         "twilight flame",
         -252189717,
         400412,
         "1.04",
         50000,
         false,
         false,
         40441 / 30,
         {Human("SuperHacker", {0, 0, 0, 0}, 0, 0, 7, 7, 0), Computer("IA Moyenne", 1, 3, 4, 1),
          Computer("IA Moyenne", 3, 4, 3, 1), Computer("IA Moyenne", 2, 2, 2, 1)}},
        // A community-built client with placeholder addresses "0" and "1" and map mask 00.
        // 0x0E: c3 da = 56003 frames. M=00userdata/maps/[rank] sand scorpion;MC=FFFE2DB4;
        // MS=164094;SR=0;SC=10000;O=N;S=Hleex279,0,0,TT,-1,7,-1,-1,1:HFOX27,1,0,FT,-1,4,-1,-1,1:
        // FOX27's address pairs are "1,", "0,", "FT", ",-": 0x10, 0, 0xF0, 0.
        {"leex279_vs_fox27.rep",
         "[rank] sand scorpion",
         -119372,
         164094,
         "1.04",
         10000,
         false,
         false,
         56003 / 30,
         {Human("leex279", {0, 0, 0, 0}, 0, -1, 7, -1, -1),
          Human("FOX27", {0x10, 0x00, 0xF0, 0x00}, 0, -1, 4, -1, -1)}},
    };
    return replays;
}

} // namespace

TEST(RealReplays, OnlyTheZeroHour104FilesAreValid) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const auto files = RealReplayFiles();
    ASSERT_EQ(files.size(), RealFileCount);
    std::size_t valid = 0;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const TZH_replay replay = ReadReplay(file.string());
        EXPECT_EQ(replay.file.path, file.string());
        EXPECT_EQ(replay.file.name, name);
        EXPECT_EQ(replay.file.size, static_cast<int32_t>(fs::file_size(file)));
        if (ZeroHour104Files.count(name)) {
            EXPECT_TRUE(replay.valid);
            EXPECT_EQ(replay.version, "1.04");
            EXPECT_EQ(replay.duration, static_cast<int32_t>(FrameCount(file) / 30));
            EXPECT_FALSE(replay.players.empty());
        } else {
            // Every real file has the magic, so the version check is what refuses it.
            EXPECT_FALSE(replay.valid);
            EXPECT_EQ(replay.version, "Invalid");
        }
        valid += replay.valid;
    }
    EXPECT_EQ(valid, ZeroHour104Files.size());
}

TEST(RealReplays, ReadStopsWhereNothingLaterCounts) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    for (const fs::path& file : RealReplayFiles()) {
        SCOPED_TRACE(file.filename().string());
        const TZH_replay read = ReadReplay(file.string());
        // Every refused real file is refused for its version: the read ends with field 1.
        const HeaderFields fields = ReadHeader(file.string(), HeaderScope::UntilRuledOut).fields;
        EXPECT_EQ(fields[1].empty(), !read.valid);
        TZH_replay full;
        full.file.size = read.file.size;
        full.valid = ParseHeaderFields(SplitHeaderFields(file.string()), full);
        EXPECT_EQ(read.valid, full.valid);
        EXPECT_EQ(read.version, full.version);
        EXPECT_EQ(read.map.name, full.map.name);
        EXPECT_EQ(read.money, full.money);
        EXPECT_EQ(read.players.size(), full.players.size());
    }
}

TEST(RealReplays, ZeroHour10ReplayIsRefused) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // "Version 1.0" reads as 10 once the full stop is dropped: not a version from 1.00 to 1.04.
    const TZH_replay replay = ReadReplay(
        (testsupport::RealReplayDir() / "2023-11-23_21-38-27_china-moving-around.rep").string());
    EXPECT_FALSE(replay.valid);
    EXPECT_EQ(replay.version, "Invalid");
    EXPECT_TRUE(replay.players.empty());
}

TEST(RealReplays, RepresentativeFilesReadExactly) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    for (const ExpectedReplay& want : RepresentativeReplays()) {
        SCOPED_TRACE(want.file);
        const TZH_replay got = ReadReplay((testsupport::RealReplayDir() / want.file).string());
        EXPECT_TRUE(got.valid);
        EXPECT_EQ(got.map.name, want.mapName);
        EXPECT_EQ(got.map.code, want.mapCode);
        EXPECT_EQ(got.map.number, want.mapNumber);
        EXPECT_EQ(got.version, want.version);
        EXPECT_EQ(got.money, want.money);
        EXPECT_EQ(got.superweaponLimit, want.superweaponLimit);
        EXPECT_EQ(got.vanilla, want.vanilla);
        EXPECT_EQ(got.duration, want.duration);
        ASSERT_EQ(got.players.size(), want.players.size());
        for (std::size_t i = 0; i < want.players.size(); ++i) {
            SCOPED_TRACE("player " + std::to_string(i));
            const TZH_player& p = got.players[i];
            const ExpectedPlayer& e = want.players[i];
            EXPECT_EQ(p.name, e.name);
            EXPECT_EQ(p.army, e.army);
            EXPECT_EQ(p.slotValue1, e.slotValue1);
            EXPECT_EQ(p.human, e.human);
            EXPECT_EQ(p.team, e.team);
            EXPECT_EQ(p.slotValue3, e.slotValue3);
            for (std::size_t k = 0; k < 4; ++k)
                EXPECT_EQ(p.address[k], e.address[k]) << "byte " << k;
            EXPECT_EQ(p.port, e.port);
        }
    }
}
