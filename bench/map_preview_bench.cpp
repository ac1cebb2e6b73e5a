// How long the details window waits for a map's preview: the first one (the map archive's
// table read, the entry read, the picture decoded and scaled), one of another map once the
// table is known, and one already kept (every repaint of the header). The archive is made
// up: 2,000 entries over 100 MB, most of them holes, the previews at its far end.
// And for the players' start spots: at the first replay that needs them (the game's map cache
// read from that archive; for a map of the player's (/1), his cache of 300 maps read too; the
// spots placed), and at each later one (looked up in the player's cache, the last of its maps,
// and placed).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QImage>
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "game/map_caches.h"
#include "tests/support/big_builder.h"
#include "ui/details/map_preview.h"

namespace fs = std::filesystem;

namespace {

constexpr int EntryCount = 2000;
constexpr uint32_t EntrySize = 50'000; // 2,000 of them: 100 MB
constexpr int PreviewCount = 8;        // the last entries: previews of maps "map 0" to "map 7"

constexpr int GameCacheMaps = 40;
constexpr int PlayerCacheMaps = 300;

fs::path Folder;

// A cache entry of a map of eight spots, with the tech buildings and supply piles of a large
// map: about 2 KB, as the real ones.
std::string CacheEntry(int map, uint32_t crc) {
    std::string text = "MapCache maps_5cmap_20" + std::to_string(map) + "_2emap\r\n";
    text += "  fileSize = " + std::to_string(100000 + map) + "\r\n";
    text += "  fileCRC = " + std::to_string(crc) + "\r\n  numPlayers = 8\r\n";
    text += "  extentMin = X:0.00 Y:0.00 Z:0.00\r\n  extentMax = X:4000.00 Y:4000.00 Z:0.00\r\n";
    const auto point = [](int i) {
        return " = X:" + std::to_string(i * 37 % 4000) + ".25 Y:" + std::to_string(i * 91 % 4000) +
               ".50 Z:0.00\r\n";
    };
    for (int i = 1; i <= 8; ++i)
        text += "  Player_" + std::to_string(i) + "_Start" + point(i * 11);
    for (int i = 0; i < 10; ++i)
        text += "  techPosition" + point(i);
    for (int i = 0; i < 40; ++i)
        text += "  supplyPosition" + point(i + 100);
    return text + "END\r\n\r\n";
}

std::string Cache(int maps, uint32_t firstCrc) {
    std::string text;
    for (int i = 0; i < maps; ++i)
        text += CacheEntry(i, firstCrc + static_cast<uint32_t>(i));
    return text;
}

void MakeInstall() {
    Folder =
        fs::temp_directory_path() / ("tarvex-bench-maps-" + std::to_string(std::random_device{}()));
    fs::create_directories(Folder);
    std::vector<big_builder::Item> items;
    for (int i = 0; i < EntryCount - PreviewCount; ++i)
        items.push_back({"Art\\Textures\\texture" + std::to_string(i) + ".dds", "", EntrySize});
    for (int i = 0; i < PreviewCount; ++i) {
        const std::string name = "map " + std::to_string(i);
        items.push_back({"Maps\\" + name + "\\" + name + ".tga", bench::Preview(i)});
    }
    items.push_back({"Maps\\MapCache.ini", Cache(GameCacheMaps, 1000)});
    big_builder::WriteArchive(Folder / "MapsZH.big", items);
    fs::create_directories(Folder / "user" / "Maps");
    std::ofstream(Folder / "user" / "Maps" / "MapCache.ini", std::ios::binary)
        << Cache(PlayerCacheMaps, 5000);
}

GameInstall Install() {
    GameInstall install;
    install.folders = {Folder.string()};
    install.archives = ArchivesIn(Folder.string());
    return install;
}

MapPreviews Previews() {
    return MapPreviews(MapPreviewFinder("", Install));
}

MapCaches Caches() {
    return MapCaches((Folder / "user").string(), Install);
}

// Eight random players in two teams, on the player's last cached map or the game's first.
TZH_replay EightRandomPlayers(bool playersMap = true) {
    TZH_replay replay;
    replay.valid = true;
    replay.seed = 21160562;
    replay.map = playersMap ? TZH_map{"map 299", 5000 + PlayerCacheMaps - 1,
                                      100000 + PlayerCacheMaps - 1, true}
                            : TZH_map{"map 0", 1000, 100000, false};
    for (int i = 0; i < 8; ++i) {
        TZH_player& p = replay.players.emplace_back();
        p.army = -1;
        p.slotValue1 = p.slotValue3 = 255;
        p.team = static_cast<int8_t>(i % 2);
    }
    return replay;
}

TZH_map GameMap(int i) {
    return TZH_map{"map " + std::to_string(i), 0, 0, false};
}

void FirstPreview(benchmark::State& state) {
    for (auto _ : state) {
        MapPreviews previews = Previews();
        const QImage picture = previews.PictureFor(GameMap(0), 1);
        if (picture.isNull()) state.SkipWithError("no preview found");
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// The table is known: only the entry is read and decoded.
void AnotherMapsPreview(benchmark::State& state) {
    int next = 1;
    std::unique_ptr<MapPreviews> previews;
    for (auto _ : state) {
        if (next == 1) {
            state.PauseTiming();
            previews = std::make_unique<MapPreviews>(Previews());
            previews->PictureFor(GameMap(0), 1);
            state.ResumeTiming();
        }
        const QImage picture = previews->PictureFor(GameMap(next), 1);
        if (picture.isNull()) state.SkipWithError("no preview found");
        benchmark::DoNotOptimize(picture.constBits());
        next = next + 1 == PreviewCount ? 1 : next + 1;
    }
}

void KeptPreview(benchmark::State& state) {
    MapPreviews previews = Previews();
    previews.PictureFor(GameMap(0), 2);
    for (auto _ : state) {
        const QImage picture = previews.PictureFor(GameMap(0), 2);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void FirstSpots(benchmark::State& state) {
    const TZH_replay replay = EightRandomPlayers(state.range(0) == 1);
    for (auto _ : state) {
        MapCaches caches = Caches();
        const ReplayStarts starts = StartsOf(replay, caches);
        if (!starts.map || starts.players[7].spot < 0) state.SkipWithError("no spots placed");
        benchmark::DoNotOptimize(starts.players.data());
    }
}

void LaterSpots(benchmark::State& state) {
    const TZH_replay replay = EightRandomPlayers();
    MapCaches caches = Caches();
    StartsOf(replay, caches);
    for (auto _ : state) {
        const ReplayStarts starts = StartsOf(replay, caches);
        benchmark::DoNotOptimize(starts.players.data());
    }
}

BENCHMARK(FirstPreview)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(AnotherMapsPreview)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(KeptPreview)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(FirstSpots)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LaterSpots)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MakeInstall();
    std::cout
        << "archive " << (Folder / "MapsZH.big").string() << ": " << EntryCount << " entries, "
        << fs::file_size(Folder / "MapsZH.big") / 1'000'000 << " MB, previews at its end\n"
        << "(the archive was just written, so the page cache is warm: these are warm figures)\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    fs::remove_all(Folder, error);
    return 0;
}
