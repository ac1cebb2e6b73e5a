// The course of a match at the anchors read order by order in the real replays, the names a
// fitting data set gives, and the selection rule a cancel's producer follows.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "orders/course_names.h"
#include "orders/match.h"
#include "replay/header_layout.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"

namespace rb = replay_builder;

namespace {

enum class List { Placed, Queued, Power, Science };

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

// The anchor's entry: frame, number, text, and its place, angle and cancel when it has them.
struct Entry {
    Entry(uint32_t f, uint32_t n, std::string t) : frame(f), number(n), text(std::move(t)) {}
    uint32_t frame, number;
    std::string text;
    std::optional<WorldPoint> at;
    std::optional<float> angle;
    std::optional<uint32_t> cancelled;
};

template <typename Item, typename Make>
std::optional<Entry> At(const std::vector<Item>& list, std::size_t i, Make make) {
    return i < list.size() ? std::optional(make(list[i])) : std::nullopt;
}

std::optional<Entry> EntryOf(const PlayerCourse& c, const CourseData& d, List list, std::size_t i) {
    switch (list) {
    case List::Placed:
        return At(c.placed, i, [&](const PlacedBuilding& p) {
            Entry e(p.frame, p.object,
                    p.sneakAttack ? PowerText(d, p.object) : ObjectText(d, p.object));
            e.at = p.at;
            e.angle = p.angle;
            return e;
        });
    case List::Queued:
        return At(c.queued, i, [&](const QueuedUnit& q) {
            Entry e(q.frame, q.object, ObjectText(d, q.object));
            e.cancelled = q.cancelled;
            return e;
        });
    case List::Power:
        return At(c.powers, i, [&](const FiredPower& p) {
            Entry e(p.frame, p.power, PowerText(d, p.power));
            e.at = p.at;
            return e;
        });
    case List::Science:
        return At(c.sciences, i, [&](const PickedScience& s) {
            return Entry(s.frame, s.science, ScienceText(d, s.science));
        });
    }
    return std::nullopt;
}

struct Read {
    explicit Read(const std::string& file)
        : record(ReadReplay((testsupport::RealReplayDir() / file).string())),
          match(ReadMatch(record).value_or(MatchOrders{})) {}
    TZH_replay record;
    MatchOrders match;
};

} // namespace

TEST(RealCourses, AnchorsReadOrderByOrder) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const Anchor anchors[] = {
        {"Test_002_BuildPowerPlant.rep", 0, List::Placed, 0, 341, 1229, "Centrale électrique",
         WorldPoint{1278.66f, 1139.72f}, -0.7854f},
        // Nic's first placements, then |BOMD|2MA.S^'s.
        {Nic, 0, List::Placed, 0, 248, 1229, "Centrale électrique", WorldPoint{1132.4f, 854.2f},
         -0.7854f},
        {Nic, 0, List::Placed, 1, 943, 1254, "Centre de ravitaillement",
         WorldPoint{1312.5f, 723.4f}},
        {Nic, 0, List::Placed, 2, 1074, 1260, "Caserne", WorldPoint{1249.1f, 992.2f}, 0.6102f},
        {Nic, 0, List::Placed, 5, 1774, 1233, "Aérodrome"},
        {Nic, 1, List::Placed, 0, 264, 1509, "Caserne", WorldPoint{1113.6f, 2596.1f}, -0.8554f},
        {Nic, 1, List::Placed, 1, 510, 1507, "Réacteur nucléaire", WorldPoint{1061.5f, 2339.1f}},
        // Dozers from the start command centre, a third for |BOMD|2MA.S^.
        {Nic, 0, List::Queued, 0, 61, 135, "Bulldozer"},
        {Nic, 1, List::Queued, 2, 64, 1501, "Bulldozer"},
        // Production id 15 of object 512 cancelled: its queue order of frame 23349.
        {Nic, 1, List::Queued, 52, 23349, 1516, "Transport de troupes d'assaut", std::nullopt,
         std::nullopt, 24275},
        {Nic, 0, List::Power, 0, 116, 24, "Satellite espion", WorldPoint{2446.2f, 949.3f}},
        {Nic, 1, List::Science, 0, 615, 86, "Entraînement de l'infanterie"},
        {Nic, 0, List::Science, 0, 2291, 12, "Char Paladin"},
        // Id 4 cancelled with object 404 selected, which never queued: the start centre's.
        {Amoor, 0, List::Queued, 3, 61, 1207, "Ouvrier", std::nullopt, std::nullopt, 610},
        // The sneak attack places its tunnel.
        {Golden, 4, List::Placed, 20, 20351, 58, "Attaque surprise", WorldPoint{1985.17f, 800.22f},
         -0.7679f},
        // Via the start command centre; a cancel sent twice (25079, 25084) keeps the first.
        {Golden, 3, List::Queued, 2, 60, 1501, "Bulldozer", std::nullopt, std::nullopt, 71},
        {Golden, 1, List::Queued, 116, 24483, 1782, "Char Battlemaster", std::nullopt, std::nullopt,
         25079},
    };
    for (const Anchor& a : anchors) {
        SCOPED_TRACE(std::string(a.file) + ", player " + std::to_string(a.player) + ", entry " +
                     std::to_string(a.index) + " at frame " + std::to_string(a.frame));
        const Read read(a.file);
        const std::optional<PlayerCourse>& course = read.match.players.at(a.player).course;
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
    const std::optional<HeaderChecksums> old =
        ReadChecksums(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(ObjectText(CourseDataFor(old->ini, old->exe), 1994), "objet n° 1994");
    EXPECT_EQ(ObjectText(CourseDataOf(Read(Nic).record), 1994), "Silo de missile nucléaire");
    EXPECT_FALSE(Read(Golden).match.players[0].course); // an observer has no course
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

} // namespace

// The build made its tables from the data files: every object (and so every label), power,
// purchasable science and upgrade in them has its French name; nothing else, and no unfitting
// data set.
TEST(CourseNames, EveryLabelPowerPurchasableScienceAndUpgradeHasItsFrenchName) {
    const auto Number = [](const std::string& text) { return uint32_t(std::stoul(text)); };
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
    for (const auto& row : DataRows("zh104-labels.tsv"))
        EXPECT_NE(std::find(labels.begin(), labels.end(), row.at(0)), labels.end()) << row.at(0);
    for (const auto& row : DataRows("zh104-powers.tsv"))
        EXPECT_TRUE(PowerName(fit, Number(row.at(0)))) << row.at(1);
    for (const auto& row : DataRows("zh104-sciences.tsv"))
        EXPECT_EQ(ScienceName(fit, Number(row.at(0))).has_value(), row.at(3) == "yes") << row.at(1);
    for (const auto& row : DataRows("zh104-upgrades.tsv")) // this program's first key is 2270
        EXPECT_TRUE(UpgradeName(fit, 2270 + Number(row.at(0)))) << row.at(1);

    const CourseData generals = CourseDataFor(0x772766FB, 0xFCD27C0E);
    const std::pair<std::string, std::string> texts[] = {
        {ObjectText(fit, 0), "objet n° 0"},
        {PowerText(fit, 1), "pouvoir n° 1"}, // the game's default power, never on a button
        {UpgradeText(CourseDataFor(0xFEAAE3F3, 0x48D67663), 2267), "Nationalisme"},
        {UpgradeText(generals, 2294), "amélioration n° ?"},
        {UpgradeText(fit, 2270 + 81), "amélioration n° ?"}, // past the list
    };
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, expected);
}

namespace {

constexpr int32_t Human = 2, Other = 3; // the player indices of the record's two humans

std::string Ids(std::initializer_list<uint32_t> ids) { // little-endian, as the file
    std::string bytes;
    for (const uint32_t id : ids)
        bytes += {char(id & 0xFF), char(id >> 8 & 0xFF), char(id >> 16 & 0xFF), char(id >> 24)};
    return bytes;
}

// A selection (1001) whose flag says new or added to; orders of ids alone (1004, 1006 + n).
std::string Select(uint32_t frame, bool fresh, std::initializer_list<uint32_t> ids) {
    return rb::OrderBytes(frame, 1001, Human, {{2, 1}, {3, static_cast<uint8_t>(ids.size())}},
                          std::string(1, fresh ? '\1' : '\0') + Ids(ids));
}
std::string WithIds(uint32_t frame, uint32_t type, std::initializer_list<uint32_t> ids) {
    return rb::OrderBytes(frame, type, Human, {{3, static_cast<uint8_t>(ids.size())}}, Ids(ids));
}
std::string Queue(uint32_t frame, uint32_t productionId) {
    return rb::OrderBytes(frame, 1047, Human, {{0, 2}}, Ids({135, productionId}));
}
std::string Cancel(uint32_t frame, uint32_t productionId) {
    return rb::OrderBytes(frame, 1048, Human, {{0, 1}}, Ids({productionId}));
}

// The second human selects an object, then queues count units: orders his course reads.
std::string OthersQueues(uint32_t frame, int count) {
    std::string body = rb::OrderBytes(frame, 1001, Other, {{2, 1}, {3, 1}}, "\1" + Ids({500}));
    while (count-- > 0)
        body += rb::OrderBytes(frame, 1047, Other, {{0, 2}}, Ids({135, 1}));
    return body;
}

// The first human's course.
PlayerCourse CourseOf(const std::string& body) {
    TZH_replay record;
    for (int i = 0; i < 2; ++i) {
        record.players.emplace_back().human = true;
        record.players.back().army = 2;
    }
    return WalkOrders(body, record).players.at(0).course.value();
}

} // namespace

// A cancel names a production id; its producer is the first object selected, followed through
// selections, deselections, clears and hotkey groups as the game keeps them.
TEST(CourseReader, CancelsFindTheirProducerThroughTheSelection) {
    const uint32_t Deselect = 1004, SetGroup0 = 1006, SetGroup1 = 1007, RecallGroup0 = 1016,
                   RecallGroup1 = 1017, AddGroup0 = 1026;
    struct Case {
        const char* rule;
        std::string body;
        std::vector<std::optional<uint32_t>> cancelled; // of each queue entry
    };
    const Case cases[] = {
        {"a recalled group selects its objects",
         Select(1, true, {100}) + Queue(2, 1) + Select(3, true, {200}) + Queue(4, 1) +
             WithIds(5, SetGroup0, {100}) + Select(6, true, {300}) +
             rb::OrderBytes(7, RecallGroup0, Human) + Cancel(50, 1),
         {50, std::nullopt}},
        {"objects added keep the first",
         Select(1, true, {200}) + Queue(2, 1) + Select(3, false, {100}) + Cancel(40, 1),
         {40}},
        {"a group added keeps the first object and skips those held",
         Select(1, true, {100}) + Queue(2, 1) + Select(3, true, {200}) + Queue(4, 1) +
             Select(5, true, {300}) + Queue(6, 1) + WithIds(7, SetGroup0, {200, 100}) +
             Select(8, true, {300, 200}) + rb::OrderBytes(9, AddGroup0, Human) + Cancel(10, 1) +
             WithIds(11, Deselect, {300, 200}) + Cancel(12, 1),
         {12, std::nullopt, 10}},
        {"a flagged selection of three groups between plain ones",
         Select(1, true, {100}) + Queue(2, 1) + Select(3, true, {200}) + Queue(4, 1) +
             rb::OrderBytes(5, 1001, Human, {{2, 1}, {3, 1}, {3, 1}}, "\1" + Ids({100, 300})) +
             Cancel(6, 1) + Select(7, true, {200}) + Cancel(8, 1),
         {6, 8}},
        {"over 256 orders of another human between a selection and its cancel",
         Select(1, true, {100}) + Queue(2, 1) + Select(3, true, {200}) + Queue(4, 1) +
             Select(5, true, {100}) + OthersQueues(6, 300) + Cancel(7, 1) + Select(8, true, {200}),
         {7, std::nullopt}},
        {"a deselected first object leaves the next one first",
         Select(1, true, {100, 200}) + Queue(2, 1) + Select(3, true, {200}) + Queue(4, 1) +
             Select(5, true, {100, 200}) + WithIds(6, Deselect, {100}) + Cancel(40, 1),
         {std::nullopt, 40}},
        {"an object joins one group only",
         Select(1, true, {100}) + Queue(2, 1) + WithIds(3, SetGroup0, {100}) +
             WithIds(4, SetGroup1, {100}) + rb::OrderBytes(5, RecallGroup0, Human) + Cancel(40, 1) +
             rb::OrderBytes(50, RecallGroup1, Human) + Cancel(60, 1),
         {60}},
        {"the start command centre, and the first of two cancels",
         Queue(2, 1) + Select(3, true, {404}) + Cancel(30, 1) + Cancel(35, 1),
         {30}},
        {"what is queued after a cancel is not its own",
         Queue(2, 1) + Select(3, true, {404}) + Cancel(30, 1) + Queue(31, 1),
         {30, std::nullopt}},
        {"a producer that queued, but never that production id, has no such entry",
         Queue(2, 1) + Select(3, true, {404}) + Queue(4, 2) + Cancel(5, 1),
         {std::nullopt, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const PlayerCourse course = CourseOf(c.body);
        ASSERT_EQ(course.queued.size(), c.cancelled.size());
        for (std::size_t i = 0; i < c.cancelled.size(); ++i)
            EXPECT_EQ(course.queued[i].cancelled, c.cancelled[i]) << "entry " << i;
    }
}

// Commands counted in the game minute they fall in, up to his leaving: a command at the very
// end of the span counts in the last minute, none after he left, none after the first day.
TEST(CourseReader, CommandsPerMinuteUpToTheLeaving) {
    std::vector<uint32_t> firstDay(24 * 60);
    firstDay.front() = 1;
    firstDay.back() = 1;
    struct Case {
        const char* rule;
        std::string body;
        std::vector<uint32_t> perMinute;
    };
    const Case cases[] = {
        {"up to the leaving",
         Queue(0, 1) + Queue(1799, 2) + Queue(1800, 3) + Queue(3600, 4) +
             rb::OrderBytes(3600, 1093, Human, {{2, 1}}, "\1") + Queue(3700, 5),
         {2, 2}},
        {"an order at a huge frame: the first day's minutes only",
         Queue(0, 1) + Queue(24 * 60 * 1800 - 1, 2) + Queue(24 * 60 * 1800, 3) +
             Queue(4'000'000'000, 4),
         firstDay},
        // The GLA worker's switches between his menus, sent as upgrades (keys 2306, 2307).
        {"menu switches",
         rb::OrderBytes(0, 1045, Human, {{3, 1}, {0, 1}}, Ids({300, 2306})) +
             rb::OrderBytes(1, 1045, Human, {{3, 1}, {0, 1}}, Ids({300, 2307})),
         {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(CourseOf(c.body).commandsPerMinute, c.perMinute);
    }
}
