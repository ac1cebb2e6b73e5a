// How long the details window waits for a map's preview: the first one (the map archive's
// table read, the entry read, the picture decoded and scaled), one of another map once the
// table is known, and one already kept (every repaint of the header). The archive is made
// up: 2,000 entries over 100 MB, most of them holes, the previews at its far end.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QImage>
#include <benchmark/benchmark.h>

#include "tests/support/big_builder.h"
#include "ui/details/map_preview.h"

namespace fs = std::filesystem;

namespace {

constexpr int EntryCount = 2000;
constexpr uint32_t EntrySize = 50'000; // 2,000 of them: 100 MB
constexpr int PreviewCount = 8;        // the last entries: previews of maps "map 0" to "map 7"

fs::path Folder;

// A 128 x 128 preview as the game's tools write it: uncompressed 24-bit TGA with its footer.
std::string Preview(int seed) {
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = tga[14] = static_cast<char>(128);
    tga[16] = 24;
    std::mt19937 random(static_cast<unsigned>(seed));
    for (int i = 0; i < 128 * 128 * 3; ++i)
        tga.push_back(static_cast<char>(random() & 0xFF));
    return tga + std::string(8, '\0') + "TRUEVISION-XFILE." + std::string(1, '\0');
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
        items.push_back({"Maps\\" + name + "\\" + name + ".tga", Preview(i)});
    }
    big_builder::WriteArchive(Folder / "MapsZH.big", items);
}

MapPreviews Previews() {
    const std::string folder = Folder.string();
    return MapPreviews(MapPreviewFinder("", [folder] {
        GameInstall install;
        install.folders = {folder};
        install.archives = ArchivesIn(folder);
        return install;
    }));
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

BENCHMARK(FirstPreview)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(AnotherMapsPreview)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(KeptPreview)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
