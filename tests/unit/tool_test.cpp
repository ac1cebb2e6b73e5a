// tarvex-info as users run it: its output, its error lines and its exit status.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;
using json = nlohmann::ordered_json; // keeps the members in the order printed

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs tarvex-info with the arguments; stderr is collected through a file. Its home is an
// empty folder: no game installed, so no map cache.
ToolRun RunTool(const std::vector<std::string>& args) {
    testsupport::TempDir scratch;
    const fs::path errFile = scratch / "stderr";
    std::string command = "env -i PATH=/usr/bin:/bin HOME=";
    command += Quoted(scratch.str());
    command += ' ';
    command += Quoted(TARVEX_INFO);
    // Appended piece by piece: GCC 12's -O3 warns falsely (-Wrestrict) on " " + Quoted(...).
    for (const std::string& arg : args) {
        command += ' ';
        command += Quoted(arg);
    }
    command += " 2>";
    command += Quoted(errFile.string());
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

std::vector<std::string> Keys(const json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

// The object for one file from a single-file run.
json OneReplay(const std::string& path) {
    const ToolRun run = RunTool({"--json", path});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto lines = run.lines();
    EXPECT_EQ(lines.size(), 1u);
    return lines.empty() ? json() : json::parse(lines[0]);
}

rb::Replay ReplayWithPlayer(const std::string& name) {
    rb::Settings settings;
    settings.slots = {rb::Human(name, "C0A80102", 1, 3, 0, 0), rb::Computer('E', 2, 4, 1, 1)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    return replay;
}

} // namespace

TEST(TarvexInfo, JsonLinesForTheRealFolder) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const ToolRun run = RunTool({"--json", testsupport::RealReplayDir().string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 49u);

    const std::vector<std::string> top = {"file",    "map",     "money",         "superweaponLimit",
                                          "vanilla", "version", "players",       "duration",
                                          "valid",   "date",    "invalidReason", "mapData"};
    const std::vector<std::string> player = {
        "name",           "army",         "slotValue1",    "human",        "team",
        "slotValue3",     "address",      "port",          "armyResolved", "armyRandom",
        "colourResolved", "colourRandom", "startResolved", "startRandom"};
    std::set<std::string> names;
    int valid = 0;
    for (const std::string& line : lines) {
        json object;
        ASSERT_NO_THROW(object = json::parse(line)) << line;
        SCOPED_TRACE(object["file"]["name"].dump());
        EXPECT_EQ(Keys(object), top);
        EXPECT_EQ(Keys(object["file"]), (std::vector<std::string>{"path", "name", "size"}));
        EXPECT_EQ(Keys(object["map"]),
                  (std::vector<std::string>{"name", "code", "number", "userMap"}));
        for (const json& p : object["players"]) {
            EXPECT_EQ(Keys(p), player);
            ASSERT_TRUE(p["address"].is_array());
            EXPECT_EQ(p["address"].size(), 4u);
        }
        const std::string name = object["file"]["name"];
        names.insert(name);
        EXPECT_EQ(object["file"]["path"], (testsupport::RealReplayDir() / name).string());
        valid += object["valid"].get<bool>();
        // Every refused real file is refused for its version.
        EXPECT_EQ(object["invalidReason"],
                  object["valid"].get<bool>() ? json() : json("unknownVersion"));
    }
    std::set<std::string> onDisk;
    for (const auto& entry : fs::directory_iterator(testsupport::RealReplayDir()))
        if (entry.path().extension() == ".rep") onDisk.insert(entry.path().filename().string());
    EXPECT_EQ(names, onDisk);
    EXPECT_EQ(valid, 16);
}

TEST(TarvexInfo, SignedMembersPrintSigned) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // Alfie_TV observes (army -2) in no team (-1); colour -1 is stored as the byte 255.
    const json observer = OneReplay((testsupport::RealReplayDir() / "366648.rep").string());
    const json& alfie = observer["players"][0];
    EXPECT_EQ(alfie["name"], "Alfie_TV");
    EXPECT_EQ(alfie["army"].get<int>(), -2);
    EXPECT_EQ(alfie["team"].get<int>(), -1);
    EXPECT_EQ(alfie["slotValue1"].get<int>(), 255);
    EXPECT_EQ(alfie["address"], json::parse("[26,177,250,7]"));
    // Random army -1; map code FFFE2DB4 as a negative 32-bit number.
    const json random = OneReplay((testsupport::RealReplayDir() / "leex279_vs_fox27.rep").string());
    EXPECT_EQ(random["players"][1]["army"].get<int>(), 4);
    EXPECT_EQ(random["map"]["code"].get<long long>(), -119372);
    EXPECT_EQ(random["map"]["userMap"], true); // userdata/maps/[rank] sand scorpion
    const json nic = OneReplay(
        (testsupport::RealReplayDir() / "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep").string());
    EXPECT_EQ(nic["players"][0]["army"].get<int>(), -1);
    EXPECT_EQ(nic["map"]["userMap"], false); // maps/tournament island
}

TEST(TarvexInfo, NamesPrintAsUtf8) {
    testsupport::TempDir dir;
    struct Case {
        std::string bytes;
        std::string shown;
    };
    const Case cases[] = {
        {"Jos\xC3\xA9", "Jos\xC3\xA9"},     // UTF-8 as the game writes it
        {"Ren\xC3\xA9\xC3", "Ren\xC3\xA9"}, // cut inside the last character
        {"J\xF6rg", "J\xC3\xB6rg"},         // Windows-1252
        {"\x80uro", "\xE2\x82\xACuro"},     // the euro sign of Windows-1252
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        const fs::path path = dir / ("name" + std::to_string(n++) + ".rep");
        rb::WriteFile(path.string(), rb::Bytes(ReplayWithPlayer(c.bytes)));
        const json replay = OneReplay(path.string());
        EXPECT_TRUE(replay["valid"].get<bool>());
        EXPECT_EQ(replay["players"][0]["name"].get<std::string>(), c.shown);
    }
    // A Windows-1252 file name (not UTF-8) comes out as UTF-8 as well.
    const fs::path latin = dir / "caf\xE9.rep";
    rb::WriteFile(latin.string(), rb::Bytes(ReplayWithPlayer("Anna")));
    EXPECT_EQ(OneReplay(latin.string())["file"]["name"], "caf\xC3\xA9.rep");
}

TEST(TarvexInfo, UnreadableFileIsReportedAndTheOthersPrinted) {
    testsupport::TempDir dir;
    const fs::path first = dir / "first.rep", last = dir / "last.rep",
                   missing = dir / "missing.rep";
    rb::WriteFile(first.string(), rb::Bytes(ReplayWithPlayer("One")));
    rb::WriteFile(last.string(), rb::Bytes(ReplayWithPlayer("Two")));
    for (const bool asJson : {true, false}) {
        SCOPED_TRACE(asJson ? "json" : "summary");
        std::vector<std::string> args = {first.string(), missing.string(), last.string()};
        if (asJson) args.insert(args.begin(), "--json");
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        const auto lines = run.lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_NE(lines[0].find("first.rep"), std::string::npos);
        EXPECT_NE(lines[1].find("last.rep"), std::string::npos);
        EXPECT_NE(run.err.find(missing.string()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("No such file"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
}

TEST(TarvexInfo, FolderListsOnlyReplayFiles) {
    testsupport::TempDir dir;
    rb::WriteFile((dir / "match.rep").string(), rb::Bytes(ReplayWithPlayer("One")));
    rb::WriteFile((dir / "notes.txt").string(), "not a replay");
    fs::create_directory(dir / "old.rep"); // a folder that looks like a replay is skipped
    const ToolRun run = RunTool({"--json", dir.str()});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(json::parse(lines[0])["file"]["name"], "match.rep");
}

TEST(TarvexInfo, OptionsAndExitStatus) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* outHas;
        const char* errHas;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: tarvex-info", ""},
        {{"--version"}, 0, "tarvex-info ", ""},
        {{"--frobnicate"}, 2, "", "--frobnicate"},
        {{"-q", "x.rep"}, 2, "", "-q"},
        {{"--find"}, 2, "", "--find needs a text"},
        {{"--course", "--json", "x.rep"}, 2, "", "--course prints text only"},
        {{"--player"}, 2, "", "--player needs a name"},
        {{"--player", "Nic", "--match", "x.rep"}, 2, "", "--player goes with --json"},
        {{"--player", "Nobody", "x.rep"}, 1, "", "no game of Nobody"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
        // Output and errors never mix: a failed run prints nothing, a good one no error.
        EXPECT_EQ(c.status == 0 ? run.err : run.out, "");
    }
}

TEST(TarvexInfo, FindPrintsTheReplaysTheTextFinds) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const std::string folder = testsupport::RealReplayDir().string();
    const ToolRun lines = RunTool({"--find", "NIC", folder});
    const ToolRun records = RunTool({"--json", "--find", "nic", folder});
    EXPECT_EQ(std::pair(lines.status, records.status), std::pair(0, 0)) << lines.err << records.err;
    std::vector<std::string> fromLines, fromRecords;
    for (const std::string& line : lines.lines())
        fromLines.push_back(line.substr(0, line.find(": ")));
    for (const std::string& line : records.lines())
        fromRecords.push_back(json::parse(line)["file"]["name"]);
    // The game Nic played, and the one on the map manic aggression, in the folder's order.
    EXPECT_EQ(std::set<std::string>(fromLines.begin(), fromLines.end()),
              (std::set<std::string>{"00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
                                     "Test_004_TrainInfantry.rep"}));
    EXPECT_EQ(fromRecords, fromLines);
}

// A file whose draws and orders were read off its bytes order by order: SD=21160562 draws four
// random armies and the computers' colours; Nic quits two frames before the end marker.
TEST(TarvexInfo, MatchReadsTheOrders) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const std::string nic =
        (testsupport::RealReplayDir() / "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep").string();
    EXPECT_EQ(RunTool({"--match", nic}).out, "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep: version "
                                             "1.04, map tournament island, $20K, 1 SW, "
                                             "20m 33s, players: Nic (random \u2192 USA, team 1, "
                                             "spot 2, left at 20m 33s, quit), |BOMD|2MA.S^ (random "
                                             "\u2192 China Infantry, team 1, spot 1), IA Difficile "
                                             "(random \u2192 GLA Toxin, colour random \u2192 Sky "
                                             "blue, team 2, spot random), IA Difficile (random "
                                             "\u2192 USA SuperWeapon, colour random \u2192 Gold, "
                                             "team 2, spot random)\n");

    const ToolRun run = RunTool({"--json", "--match", testsupport::RealReplayDir().string()});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines().size(), 49u);
    json prodigy;
    for (const std::string& line : run.lines()) {
        const json object = json::parse(line);
        SCOPED_TRACE(object["file"]["name"].dump());
        EXPECT_EQ(Keys(object).back(), "match");
        EXPECT_TRUE(object["mapData"].is_null()); // no cache found
        EXPECT_EQ(object["match"].is_null(),
                  !object["valid"].get<bool>()); // no orders read for a refused one
        if (object["file"]["name"] == "366648.rep") prodigy = object["match"]["players"][2];
    }
    // Prodigy's first research, named; his worker's menu switch at frame 907 left out.
    EXPECT_EQ(prodigy["course"]["upgrades"][0].dump(),
              R"({"frame":1022,"key":2285,"name":"Capture de bâtiments","cancel":false})");
    const json object = json::parse(RunTool({"--json", "--match", nic}).out);
    EXPECT_EQ(object["date"], "2025-04-27T02:41:29");
    EXPECT_EQ(
        object["players"][2].dump(),
        R"({"name":"IA Difficile","army":-1,"slotValue1":255,"human":false,"team":1,"slotValue3":255,)"
        R"("address":[0,0,0,0],"port":0,"armyResolved":11,"armyRandom":true,"colourResolved":5,"colourRandom":true,)"
        R"("startResolved":null,"startRandom":true})");
    json match = object["match"];
    const json nicCourse = match["players"][0]["course"];
    for (json& player : match["players"])
        player.erase("course");
    EXPECT_EQ(
        match.dump(),
        R"({"complete":true,"endFrame":37019,"players":[{"commands":469,"selections":944,"apm":22.8,)"
        R"("left":{"frame":37017,"how":"quit"}},{"commands":466,"selections":812,"apm":22.7,"left":null},)"
        R"({"commands":0,"selections":0,"apm":null,"left":null},{"commands":0,"selections":0,"apm":null,"left":null}]})");
    // The computers have no course; Nic has a count for each of his 21 minutes, and his first
    // placement with the names of a retail data set.
    EXPECT_TRUE(object["match"]["players"][2]["course"].is_null());
    EXPECT_EQ(nicCourse["activity"].size(), 21u);
    EXPECT_EQ(nicCourse["placed"][0].dump(),
              R"({"frame":248,"number":1229,"object":"AmericaPowerPlant","name":"Centrale )"
              "\u00e9"
              R"(lectrique","x":1132.42,"y":854.17,"angle":-0.7854,"sneakAttack":false})");
}

// Each human's course as timed lines in French, a cancel with its queue order; no line for the
// GLA worker's menu switches (Prodigy's first at 0m 30s in 366648.rep).
TEST(TarvexInfo, CourseListsEachHumansOrders) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const ToolRun run = RunTool(
        {"--course",
         (testsupport::RealReplayDir() / "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep").string(),
         (testsupport::RealReplayDir() / "366648.rep").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    const char* expected[] = {
        "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep:\nNic\n  0m 02s  mis en production  "
        "Bulldozer\n",
        "  0m 08s  posé  Centrale électrique  (1132, 854)\n",
        "  0m 32s  mis en recherche  Barres de contrôle avancées\n",
        "  13m 29s  annulé  Transport de troupes d'assaut  (mis en production à 12m 58s)\n",
        "  0m 28s  bâtiment vendu\n  0m 31s  posé  Marchand d'armes  (943, 2480)\n", // 0m 30s
    };
    for (const char* text : expected)
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    EXPECT_EQ(RunTool({"--course"}).status, 2); // the files to read are needed
}

// The career of each human of the real replays: his games, as --json --match gives them for him,
// and the counts made of them.
TEST(TarvexInfo, PlayerCareerIsWhatMatchGivesForHimGameByGame) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const std::string folder = testsupport::RealReplayDir().string();
    const ToolRun matches = RunTool({"--json", "--match", folder});
    ASSERT_EQ(matches.status, 0) << matches.err;
    struct His {
        json games = json::array();
        std::map<std::string, int> ends, armies; // games by end and by army
    };
    std::map<std::string, His> expected;
    for (const std::string& line : matches.lines()) {
        const json record = json::parse(line);
        if (!record["valid"].get<bool>()) continue;
        for (std::size_t i = 0; i < record["players"].size(); ++i) {
            const json& player = record["players"][i];
            if (!player["human"].get<bool>() || player["army"] == -2) continue;
            const json& orders = record["match"]["players"][i];
            His& his = expected[player["name"].get<std::string>()];
            his.games.push_back({{"path", record["file"]["path"]},
                                 {"date", record["date"]},
                                 {"army", player["armyResolved"]},
                                 {"apm", orders["apm"]},
                                 {"left", orders["left"]}});
            ++his.ends[orders["left"].is_null() ? "none" : orders["left"]["how"]];
            ++his.armies[player["armyResolved"].dump()];
        }
    }
    ASSERT_GT(expected.size(), 30u);
    for (const auto& [name, his] : expected) {
        SCOPED_TRACE(name);
        const ToolRun run = RunTool({"--json", "--player", name, folder});
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(run.lines().size(), 1u);
        const json career = json::parse(run.out);
        EXPECT_EQ(Keys(career),
                  (std::vector<std::string>{"name", "games", "first", "last", "seconds", "armies",
                                            "maps", "players", "ends", "gamesPlayed", "openings"}));
        EXPECT_EQ(career["name"], name);
        EXPECT_EQ(career["games"], his.games.size());
        EXPECT_EQ(career["gamesPlayed"], his.games);
        std::map<std::string, int> ends, armies;
        for (const auto& [end, count] : career["ends"].items())
            if (count != 0) ends[end] = count;
        for (const json& army : career["armies"])
            armies[army["army"].dump()] = army["games"];
        EXPECT_EQ(ends, his.ends);
        EXPECT_EQ(armies, his.armies);
    }
    // The plain lines: the header's figures first, in the window's order.
    const std::vector<std::string> nic = RunTool({"--player", "Nic", folder}).lines();
    const std::vector<std::string> start = {
        "Nic: 1 game, from 2025-04-27 to 2025-04-27, played 20m 33s",
        "months:",
        "  2025-04  1 game",
        "armies:",
        "  USA  1 game (100.0%), 1 random",
        "maps:",
        "  tournament island  1 game",
        "players:",
        "  |BOMD|2MA.S^  with 1, against 0, last 2025-04-27",
        "ends: surrendered 0, quit 1, dropped 0, none 0",
        "activity:",
        "  2025-04  median 22.8 apm",
        "  2025-04-27  00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep: USA, 22.8 apm, left at 20m "
        "33s, quit",
        "openings:",
        "  USA  Centrale \u00e9lectrique, Centre de ravitaillement, Caserne  1 game, third at 0m "
        "35s"};
    EXPECT_EQ(nic, start);
}
