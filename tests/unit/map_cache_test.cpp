// The map cache's text as strangers' tools and cut or hostile files leave it, and the caches
// as the game rewrites them while the program runs.
#include "game/map_cache.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "game/map_caches.h"
#include "tests/support/big_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"

namespace {

std::string Entry(const std::string& name, const std::string& body) {
    return "MapCache " + name + "\r\n  fileSize = 10\r\n  fileCRC = 20\r\n" + body + "END\r\n";
}

const std::string Good =
    Entry("good", "  numPlayers = 3\r\n  extentMax = X:3500.00 Y:3500.00 Z:0.00\r\n"
                  "  Player_1_Start = X:961.84 Y:2537.37 Z:0.00\r\n"
                  "  Player_3_Start = X:1.50 Y:-2.25 Z:0.00\r\n");

TEST(MapCacheText, HostileTextsLeaveOutOnlyTheirBadEntries) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> names; // the entries kept
    };
    const Case cases[] = {
        {"cut before END", Good + Good.substr(0, Good.size() - 6), {"good"}},
        {"binary", std::string("\0\xff\x01MapCache\xfe\r\r\n=\n", 17) + Good, {"good"}},
        {"NaN", Entry("n", "  Player_1_Start = X:nan Y:0 Z:0\r\n") + Good, {"good"}},
        {"infinite", Entry("i", "  techPosition = X:inf Y:0 Z:0\r\n") + Good, {"good"}},
        {"beyond a float", Entry("f", "  extentMax = X:1e39 Y:1 Z:0\r\n") + Good, {"good"}},
        {"bad size", "MapCache s\n fileSize = 12x\n fileCRC = 1\nEND\n" + Good, {"good"}},
        {"size above 32 bits", "MapCache b\n fileSize=4294967296\n fileCRC=1\nEND\n", {}},
        {"no checksum", "MapCache c\n fileSize = 12\nEND\n" + Good, {"good"}},
        {"a block in a block", "MapCache a\n fileSize = 1\n" + Good, {"good"}},
        {"LF, comments, unknown keys, any case",
         "; made by a map tool\nmapcache lf\n FILESIZE=1\n filecrc=2 ; checksum\n"
         " displayName = Eden\n Player_9_Start = X:0 Y:0\nend\n",
         {"lf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> names;
        for (const MapCacheEntry& entry : ParseMapCache(c.text))
            names.push_back(entry.name);
        EXPECT_EQ(names, c.names);
    }
}

TEST(MapCacheText, SpotsCountsAndDuplicates) {
    const auto good = ParseMapCache(Good);
    ASSERT_EQ(good.size(), 1u);
    EXPECT_EQ(good[0].fileSize, 10u);
    EXPECT_EQ(good[0].fileCRC, 20u);
    ASSERT_EQ(good[0].spots.size(), 3u);
    EXPECT_EQ(good[0].spots[0]->x, 961.84f);
    EXPECT_EQ(good[0].spots[2]->y, -2.25f);
    EXPECT_FALSE(good[0].spots[1].has_value()); // a spot the map lacks
    // The lobby has eight slots: no spot of a map claiming none or 200 can be used.
    for (const char* count : {"0", "200"})
        EXPECT_TRUE(ParseMapCache(Entry("m", std::string("  numPlayers = ") + count + "\r\n" +
                                                 "  Player_1_Start = X:1 Y:1 Z:0\r\n"))[0]
                        .spots.empty());
    // Of two blocks of one name the later stands, in the earlier's place.
    const auto twice = ParseMapCache(Entry("a", "  numPlayers = 1\r\n") + Entry("b", "") +
                                     Entry("a", "  numPlayers = 2\r\n"));
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0].numPlayers, 2u);
    // A hostile entry's positions are capped.
    std::string piles;
    for (std::size_t i = 0; i < 2 * MaxPositionsPerKind; ++i)
        piles += "techPosition = X:1 Y:2 Z:3\n";
    EXPECT_EQ(ParseMapCache(Entry("p", piles))[0].techPositions.size(), MaxPositionsPerKind);
}

TEST(MapCacheText, OnlyTheFirstMegabytesOfAHugeFileAreRead) {
    testsupport::TempDir dir;
    const auto path = dir / "MapCache.ini";
    std::ofstream(path, std::ios::binary)
        << Good << std::string(MaxMapCacheBytes, ' ') << Entry("late", "");
    const auto entries = ReadMapCacheFile(path.string());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(ReadMapCacheFile((dir / "missing.ini").string()), std::nullopt);
}

TEST(MapCacheText, PointsOnThePreviewPicture) {
    const auto point = PictureFraction({{0, 0}, {3500, 1750}}, {875, 1312.5f});
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->x, 0.25f);
    EXPECT_EQ(point->y, 0.25f); // the picture's top row is the map's largest y
    EXPECT_EQ(PictureFraction({{5, 0}, {5, 100}}, {5, 5}), std::nullopt);   // no width
    EXPECT_EQ(PictureFraction({{0, 100}, {100, 0}}, {5, 5}), std::nullopt); // inverted
    // A distance beyond a float: no finite fraction.
    EXPECT_EQ(PictureFraction({{-3e38f, 0}, {-2e38f, 1}}, {3e38f, 0}), std::nullopt);
}

// Every selection finds the caches as they are now: a file whose size or time changed is read
// again, and a missing game's cache is looked for again when an archive changed.
TEST(MapCacheText, TheCachesAreLookedAtAgainAtEverySelection) {
    namespace fs = std::filesystem;
    testsupport::TempDir dir;
    const fs::path archive = dir / "game/MapsZH.big", player = dir / "user/Maps/MapCache.ini";
    fs::create_directories(archive.parent_path());
    fs::create_directories(player.parent_path());
    const auto eden = [](int players) {
        return Entry("eden", "  numPlayers = " + std::to_string(players) + "\r\n");
    };
    const std::string other = "MapCache other\r\n  fileSize = 1\r\n  fileCRC = 2\r\nEND\r\n";
    // Each change gets a time of its own: two writes within a tick of the clock keep theirs.
    int changes = 0;
    const auto write = [&](const fs::path& path, const std::string& text) {
        if (path == archive)
            big_builder::WriteArchive(path, {{"Maps\\MapCache.ini", text}});
        else
            std::ofstream(path, std::ios::binary) << text;
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(++changes));
    };
    // What is written, and where the map is then found with how many players (none: 0).
    const std::tuple<fs::path, std::string, std::optional<MapCacheKind>, uint32_t> steps[] = {
        {player, eden(2), MapCacheKind::Player, 2},         // no cache was found before
        {player, other + "MapCache eden", std::nullopt, 0}, // cut while the game writes it
        {player, other + eden(3), MapCacheKind::Player, 3},
        {player, other + eden(4), MapCacheKind::Player, 4}, // the same size, another time
        {archive, eden(6), MapCacheKind::Game, 6},          // the game's first
        {archive, other + eden(7), MapCacheKind::Game, 7},
    };
    int installLookups = 0;
    MapCaches caches(testsupport::PathUtf8(dir / "user"), [&] {
        ++installLookups;
        return GameInstall{
            {testsupport::PathUtf8(archive.parent_path())}, {testsupport::PathUtf8(archive)}, ""};
    });
    EXPECT_FALSE(caches.find(TZH_map{"eden", 20, 10, true}));
    for (const auto& [path, text, cache, numPlayers] : steps) {
        write(path, text);
        const auto found = caches.find(TZH_map{"eden", 20, 10, true});
        ASSERT_EQ(found.has_value(), cache.has_value()) << text;
        if (!found) continue;
        EXPECT_EQ(found->cache, *cache) << text;
        EXPECT_EQ(found->entry->numPlayers, numPlayers) << text;
    }
    // The game's cache gone from the archive: the player's serves, and the archive's table is
    // not read again till its size or time changes, even when it holds the cache by then.
    big_builder::WriteArchive(archive, {{"Maps\\MapCachX.ini", eden(8)}});
    // A whole second: some systems set file times no finer.
    const auto time = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(archive));
    fs::last_write_time(archive, time);
    EXPECT_EQ(caches.find(TZH_map{"eden", 20, 10, true})->entry->numPlayers, 4u);
    big_builder::WriteArchive(archive, {{"Maps\\MapCache.ini", eden(8)}});
    fs::last_write_time(archive, time);
    EXPECT_EQ(caches.find(TZH_map{"eden", 20, 10, true})->entry->numPlayers, 4u);
    fs::last_write_time(archive, time - std::chrono::hours(1));
    EXPECT_EQ(caches.find(TZH_map{"eden", 20, 10, true})->entry->numPlayers, 8u);
    EXPECT_EQ(installLookups, 1);
}

} // namespace
