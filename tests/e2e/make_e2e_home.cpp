// Writes the replays the real-window scenarios show: 100 replays (every tenth one, from the
// eighth on, broken; Kestrel against Drako, but from the fourth on every tenth against Nic) and
// a maps folder with the first replay's map picture in one plain colour; or, given a replay and
// a map cache, that replay alone with the cache as the player's, in the user data folder.
// On Linux they go into a home folder holding a Steam Proton prefix of the game; the Windows
// build writes the replay folder alone (the scenario under Wine names it in the registry).
// Usage: make_e2e_home HOME [REPLAY MAP_CACHE]   (Windows: make_e2e_home REPLAY_FOLDER [...])
#include <QColor>
#include <QImage>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/support/replay_builder.h"
#ifndef _WIN32
#include "tests/platform/fake_prefix.h"
#endif

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

constexpr int ReplayCount = 100;
constexpr const char* PictureMap = "e2e vert";
// What the scenarios look for on screen.
const QColor PictureColour(0, 200, 0);

std::string ReplayBytes(int index) {
    rb::Settings settings;
    settings.mapPath = index == 0 ? std::string("maps/") + PictureMap : "maps/sans image";
    settings.slots = {rb::Human("Kestrel", "C0A80102", 0, 2, 0, 0),
                      rb::Human(index % 10 == 3 ? "Nic" : "Drako", "C0A80107", 1, 3, 1, 1)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    return rb::Bytes(replay);
}

// The replay and the map cache given, if any.
struct OneReplay {
    fs::path replay;
    fs::path mapCache;
};

void WriteReplays(const fs::path& replays, const std::optional<OneReplay>& one) {
    fs::create_directories(replays);
    if (one) {
        fs::copy_file(one->replay, replays / one->replay.filename());
        // The user data folder holds the Replays folder and the player's map cache.
        fs::create_directories(replays.parent_path() / "Maps");
        fs::copy_file(one->mapCache, replays.parent_path() / "Maps" / "MapCache.ini");
        return;
    }
    for (int i = 0; i < ReplayCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "r%03d.rep", i);
        rb::WriteFile((replays / name).string(),
                      i % 10 == 7 ? std::string("pas un replay") : ReplayBytes(i));
    }
    fs::create_directories(replays / "maps");
    QImage picture(48, 46, QImage::Format_RGB32);
    picture.fill(PictureColour);
    // The map's name without its spaces, as the details window looks it up.
    const fs::path file = replays / "maps" / "e2evert.bmp";
    if (!picture.save(QString::fromStdString(file.string()), "BMP"))
        throw std::runtime_error("can't write " + file.string());
}

#ifndef _WIN32
void Make(const fs::path& home, const std::optional<OneReplay>& one) {
    using namespace testsupport;
    PrefixSetup setup;
    setup.machineKeys = {
        GameKey32({TextValue("UserDataLeafName", "Command and Conquer Generals Zero Hour Data")})};
    WriteReplays(MakeReplayFolder(MakePrefix(
                     home / ".local/share/Steam/steamapps/compatdata/2732960/pfx", setup)),
                 one);
}
#else
void Make(const fs::path& replays, const std::optional<OneReplay>& one) {
    WriteReplays(replays, one);
}
#endif

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: make_e2e_home HOME [REPLAY MAP_CACHE]\n");
        return 2;
    }
    try {
        Make(argv[1], argc == 4 ? std::optional(OneReplay{argv[2], argv[3]}) : std::nullopt);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_e2e_home: %s\n", e.what());
        return 1;
    }
    return 0;
}
