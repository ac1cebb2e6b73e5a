// The course of a match: at the anchors read order by order in the real replays (what was
// placed, queued, fired and picked, where, when, which cancel hit which entry, and the names
// a fitting data set gives), and the selection rule a cancel's producer follows.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/course_names.h"
#include "replay/header_layout.h"
#include "replay/match.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"

namespace rb = replay_builder;

namespace {

enum class List { Placed, Queued, Power, Science, Upgrade };

struct Anchor {
    const char* file;
    std::size_t player; // position in the record's players
    List list;
    std::size_t index; // in that list
    uint32_t frame;
    uint32_t number;
    const char* text; // as the windows and the tool show it
    std::optional<WorldPoint> at = std::nullopt;
    std::optional<float> angle = std::nullopt;
    std::optional<uint32_t> cancelled = std::nullopt; // queued entries only
};

constexpr const char* Nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
constexpr const char* Amoor = "05-01-50_2v2_amoor123_beshr_HardAI_HardAI.rep";
constexpr const char* Golden = "Golden Replay #2.rep";
constexpr const char* ZeroHour10 = "2023-11-23_21-38-27_china-moving-around.rep"; // INI 0x30F34685

struct Read {
    TZH_replay record;
    MatchOrders match;
};

const Read& ReadOnce(const std::string& file) {
    static std::map<std::string, Read> read;
    auto [at, added] = read.try_emplace(file);
    if (added) {
        at->second.record = ReadReplay((testsupport::RealReplayDir() / file).string());
        at->second.match = ReadMatch(at->second.record).value_or(MatchOrders{});
    }
    return at->second;
}

// The anchor's entry: frame, number, place, angle, cancel and text.
struct Entry {
    uint32_t frame = 0, number = 0;
    std::optional<WorldPoint> at;
    std::optional<float> angle;
    std::optional<uint32_t> cancelled;
    std::string text;
};

std::optional<Entry> EntryOf(const PlayerCourse& course, const CourseData& data, List list,
                             std::size_t i) {
    switch (list) {
    case List::Placed:
        if (i >= course.placed.size()) return std::nullopt;
        return Entry{course.placed[i].frame,
                     course.placed[i].object,
                     course.placed[i].at,
                     course.placed[i].angle,
                     std::nullopt,
                     course.placed[i].sneakAttack ? PowerText(data, course.placed[i].object)
                                                  : ObjectText(data, course.placed[i].object)};
    case List::Queued:
        if (i >= course.queued.size()) return std::nullopt;
        return Entry{course.queued[i].frame,
                     course.queued[i].object,
                     std::nullopt,
                     std::nullopt,
                     course.queued[i].cancelled,
                     ObjectText(data, course.queued[i].object)};
    case List::Power:
        if (i >= course.powers.size()) return std::nullopt;
        return Entry{course.powers[i].frame, course.powers[i].power,
                     course.powers[i].at,    std::nullopt,
                     std::nullopt,           PowerText(data, course.powers[i].power)};
    case List::Science:
        if (i >= course.sciences.size()) return std::nullopt;
        return Entry{course.sciences[i].frame,
                     course.sciences[i].science,
                     std::nullopt,
                     std::nullopt,
                     std::nullopt,
                     ScienceText(data, course.sciences[i].science)};
    case List::Upgrade:
        if (i >= course.upgrades.size()) return std::nullopt;
        return Entry{course.upgrades[i].frame,
                     course.upgrades[i].key,
                     std::nullopt,
                     std::nullopt,
                     std::nullopt,
                     UpgradeText(data, course.upgrades[i].key)};
    }
    return std::nullopt;
}

} // namespace

TEST(RealCourses, AnchorsReadOrderByOrder) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const Anchor anchors[] = {
        {"Test_002_BuildPowerPlant.rep", 0, List::Placed, 0, 341, 1229, "Centrale électrique",
         WorldPoint{1278.66f, 1139.72f}, -0.7854f},
        // Nic's first six placements, then |BOMD|2MA.S^'s first four.
        {Nic, 0, List::Placed, 0, 248, 1229, "Centrale électrique", WorldPoint{1132.4f, 854.2f},
         -0.7854f},
        {Nic, 0, List::Placed, 1, 943, 1254, "Centre de ravitaillement",
         WorldPoint{1312.5f, 723.4f}},
        {Nic, 0, List::Placed, 2, 1074, 1260, "Caserne", WorldPoint{1249.1f, 992.2f}, 0.6102f},
        {Nic, 0, List::Placed, 3, 1247, 1229, "Centrale électrique"},
        {Nic, 0, List::Placed, 4, 1546, 1265, "Usine d'armement"},
        {Nic, 0, List::Placed, 5, 1774, 1233, "Aérodrome"},
        {Nic, 1, List::Placed, 0, 264, 1509, "Caserne", WorldPoint{1113.6f, 2596.1f}, -0.8554f},
        {Nic, 1, List::Placed, 1, 510, 1507, "Réacteur nucléaire", WorldPoint{1061.5f, 2339.1f}},
        {Nic, 1, List::Placed, 2, 1364, 1512, "Canon Gatling"},
        {Nic, 1, List::Placed, 3, 1434, 1514, "Bunker d'infanterie"},
        // Two dozers each from the start command centre, a third for |BOMD|2MA.S^.
        {Nic, 0, List::Queued, 0, 61, 135, "Bulldozer"},
        {Nic, 0, List::Queued, 1, 61, 135, "Bulldozer"},
        {Nic, 1, List::Queued, 2, 64, 1501, "Bulldozer"},
        // Production id 15 of object 512 cancelled: its queue order of frame 23349.
        {Nic, 1, List::Queued, 52, 23349, 1516, "Transport de troupes d'assaut", std::nullopt,
         std::nullopt, 24275},
        {Nic, 0, List::Power, 0, 116, 24, "Satellite espion", WorldPoint{2446.2f, 949.3f}},
        {Nic, 1, List::Science, 0, 615, 86, "Entraînement de l'infanterie"},
        {Nic, 0, List::Science, 0, 2291, 12, "Char Paladin"},
        // Upgrade key 2294 of exe 0xDA2B4B18, whose first upgrade is 2270.
        {Nic, 1, List::Upgrade, 0, 89, 2294, "amélioration n° 25"},
        // Four workers queued before any selection; the cancel of id 4 goes to the start
        // command centre, which object 404 never queued from.
        {Amoor, 0, List::Queued, 2, 55, 1207, "Ouvrier"},
        {Amoor, 0, List::Queued, 3, 61, 1207, "Ouvrier", std::nullopt, std::nullopt, 610},
        // The sneak attack places its tunnel.
        {Golden, 4, List::Placed, 20, 20351, 58, "Attaque surprise", WorldPoint{1985.17f, 800.22f},
         -0.7679f},
        // Cancelled through the start command centre; then a cancel sent twice (25079, 25084)
        // between two others: the entry keeps the first, its neighbour its own.
        {Golden, 3, List::Queued, 2, 60, 1501, "Bulldozer", std::nullopt, std::nullopt, 71},
        {Golden, 1, List::Queued, 116, 24483, 1782, "Char Battlemaster", std::nullopt, std::nullopt,
         25079},
        {Golden, 1, List::Queued, 117, 24488, 1782, "Char Battlemaster", std::nullopt, std::nullopt,
         25073},
    };
    for (const Anchor& a : anchors) {
        SCOPED_TRACE(std::string(a.file) + ", player " + std::to_string(a.player) + ", entry " +
                     std::to_string(a.index) + " at frame " + std::to_string(a.frame));
        const Read& read = ReadOnce(a.file);
        ASSERT_LT(a.player, read.match.players.size());
        const std::optional<PlayerCourse>& course = read.match.players[a.player].course;
        ASSERT_TRUE(course.has_value());
        const std::optional<Entry> entry =
            EntryOf(*course, CourseDataOf(read.record), a.list, a.index);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(std::make_pair(entry->frame, entry->number), std::make_pair(a.frame, a.number));
        EXPECT_EQ(entry->text, a.text);
        EXPECT_EQ(entry->cancelled, a.cancelled);
        if (a.at) {
            ASSERT_TRUE(entry->at.has_value());
            EXPECT_NEAR(entry->at->x, a.at->x, 0.051); // given to a tenth
            EXPECT_NEAR(entry->at->y, a.at->y, 0.051);
        }
        if (a.angle) {
            EXPECT_NEAR(*entry->angle, *a.angle, 1e-4);
        }
    }
    // The Zero Hour 1.0 file (a version the program doesn't list) numbers its objects
    // otherwise: the 1994 of its first placement is a 1.04 silo, but not for its checksums.
    std::ifstream in(testsupport::RealReplayDir() / ZeroHour10, std::ios::binary);
    std::string start(1024, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    const std::optional<HeaderChecksums> old = ReadChecksums(start);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(ObjectText(CourseDataFor(old->ini, old->exe), 1994), "objet n° 1994");
    EXPECT_EQ(ObjectText(CourseDataOf(ReadOnce(Nic).record), 1994), "Silo de missile nucléaire");
    // Computers and observers have no course.
    EXPECT_FALSE(ReadOnce(Nic).match.players[2].course);
    EXPECT_FALSE(ReadOnce(Golden).match.players[0].course); // the observer
}

namespace {

// The rows of one of the repository's data files, header left out, split at tabs.
std::vector<std::vector<std::string>> DataRows(const char* file) {
    std::ifstream in(std::string(TARVEX_COURSE_DATA) + "/" + file);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            row.push_back(field);
    }
    return rows;
}

uint32_t Number(const std::string& text) {
    return static_cast<uint32_t>(std::stoul(text));
}

} // namespace

// The build made its tables from the data files: every object (and so every label), power and
// purchasable science in them has its French name; nothing else, and no unfitting data set.
TEST(CourseNames, EveryLabelPowerAndPurchasableScienceHasItsFrenchName) {
    const CourseData fit = CourseDataFor(0xFEAAE3F3, 0xDA2B4B18);
    std::vector<std::string> labels;
    const auto objectRows = DataRows("zh104-objects.tsv");
    ASSERT_FALSE(objectRows.empty());
    for (const auto& row : objectRows) {
        SCOPED_TRACE(row.at(1));
        EXPECT_EQ(ObjectTemplate(fit, Number(row.at(0))), row.at(1));
        EXPECT_TRUE(ObjectName(fit, Number(row.at(0))));
        labels.push_back(row.at(4));
    }
    const auto labelRows = DataRows("zh104-labels.tsv");
    EXPECT_EQ(labelRows.size(), 104u);
    for (const auto& row : labelRows)
        EXPECT_NE(std::find(labels.begin(), labels.end(), row.at(0)), labels.end()) << row.at(0);
    for (const auto& row : DataRows("zh104-powers.tsv"))
        EXPECT_TRUE(PowerName(fit, Number(row.at(0)))) << row.at(1);
    for (const auto& row : DataRows("zh104-sciences.tsv"))
        EXPECT_EQ(ScienceName(fit, Number(row.at(0))).has_value(), row.at(3) == "yes") << row.at(1);

    const CourseData generals = CourseDataFor(0x772766FB, 0xFCD27C0E);
    const std::pair<std::string, std::string> texts[] = {
        {ObjectText(fit, 0), "objet n° 0"},
        {PowerText(fit, 1), "pouvoir n° 1"}, // the game's default power, never on a button
        {ObjectText(generals, 1229), "objet n° 1229"},
        {PowerText(generals, 24), "pouvoir n° 24"},
        {ScienceText(generals, 12), "science n° 12"},
        {UpgradeText(CourseDataFor(0xFEAAE3F3, 0x48D67663), 2267), "amélioration n° 1"},
        {UpgradeText(CourseDataFor(0xFEAAE3F3, 0x12345678), 2294), "amélioration n° ?"},
        {UpgradeText(generals, 2294), "amélioration n° ?"},
    };
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, expected);
}
