// Writes a dozen made-up replays into a folder (the build puts them beside the program), so
// that Tarvex shows something on a machine without the game: 1v1 and team games, computer
// players of each difficulty, an observer, names outside ASCII, a user map and a few broken
// files. Run at build time; never installed.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tests/support/replay_builder.h"

namespace rb = replay_builder;

namespace {

constexpr int Observer = -2;
constexpr int RandomArmy = -1;
constexpr int NoTeam = -1;

struct Sample {
    std::string fileName;
    std::string bytes;
};

rb::Replay Game(const std::string& mapPath, std::vector<rb::Slot> slots, uint32_t minutes,
                int money = 10000) {
    rb::Settings settings;
    settings.mapPath = mapPath;
    settings.money = money;
    settings.slots = std::move(slots);
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    replay.frames = minutes * 60 * 30;
    replay.endTime = replay.startTime + minutes * 60;
    return replay;
}

std::vector<Sample> Samples() {
    using rb::Computer;
    using rb::Human;
    std::vector<Sample> samples;
    const auto add = [&](const std::string& name, const rb::Replay& replay) {
        samples.push_back({name, rb::Bytes(replay)});
    };

    add("00000000.rep", Game("maps/desert brulant",
                             {Human("Kestrel", "C0A80102", 0, 2, 0, NoTeam),
                              Human("Drako", "C0A80107", 1, 3, 1, NoTeam)},
                             18));
    add("1v1 Kestrel contre Drako.rep", Game("maps/pont de fer",
                                             {Human("Kestrel", "C0A80102", 0, 5, 0, NoTeam),
                                              Human("Drako", "C0A80107", 1, 9, 1, NoTeam)},
                                             27));
    add("2v2 Flammes du crépuscule.rep",
        Game("maps/vallee des echos",
             {Human("Sable", "0A000002", 0, 4, 0, 0), Human("Orage", "0A000003", 1, 6, 1, 0),
              Human("Givre", "0A000004", 2, 10, 2, 1), Human("Cendre", "0A000005", 3, 12, 3, 1)},
             41, 20000));
    add("4v4 Guerre totale.rep",
        Game("maps/plaine grise",
             {Human("Alpha", "0A000101", 0, 2, 0, 0), Human("Bravo", "0A000102", 1, 3, 1, 0),
              Human("Charlie", "0A000103", 2, 4, 2, 0), Human("Delta", "0A000104", 3, 5, 3, 0),
              Human("Echo", "0A000105", 4, 6, 4, 1), Human("Foxtrot", "0A000106", 5, 7, 5, 1),
              Human("Golf", "0A000107", 6, 8, 6, 1), Human("Hotel", "0A000108", 7, 13, 7, 1)},
             63, 50000));
    add("Contre l'ordinateur facile.rep",
        Game("maps/desert brulant",
             {Human("Kestrel", "C0A80102", 0, 2, 0, NoTeam), Computer('E', 1, 3, 1, NoTeam)}, 9));
    add("Contre deux ordinateurs moyens.rep",
        Game("maps/vallee des echos",
             {Human("Sable", "0A000002", 0, 11, 0, 0), Human("Orage", "0A000003", 1, 2, 1, 0),
              Computer('M', 2, 3, 2, 1), Computer('M', 3, 4, 3, 1)},
             24));
    add("Survie contre trois ordinateurs difficiles.rep",
        Game("maps/plaine grise",
             {Human("Givre", "0A000004", 0, 8, 0, 0), Computer('H', 1, 2, 1, 1),
              Computer('H', 2, 9, 2, 1), Computer('H', 3, 12, 3, 1)},
             35, 100000));
    add("Avec un observateur.rep", Game("maps/pont de fer",
                                        {Human("Drako", "C0A80107", 0, 7, 0, NoTeam),
                                         Human("Cendre", "C0A80108", 1, 10, 1, NoTeam),
                                         Human("Arbitre", "C0A80109", 2, Observer, 2, NoTeam)},
                                        22));
    add("Joueurs du monde.rep",
        Game("maps/desert brulant",
             {Human("Jérôme", "C0A80111", 0, 2, 0, 0), Human("Сергей", "C0A80112", 1, 4, 1, 0),
              Human("李雷", "C0A80113", 2, 6, 2, 1), Human("Zoë", "C0A80114", 3, 13, 3, 1)},
             31));
    add("Carte perso - Canyon rouge.rep",
        Game("userdata/maps/canyon rouge",
             {Human("Kestrel", "C0A80102", 0, RandomArmy, 0, NoTeam),
              Computer('M', 1, RandomArmy, 1, NoTeam)},
             16));

    // Broken files: listed, drawn as invalid.
    samples.push_back({"Pas un replay.rep", "Ceci n'est pas un replay, juste du texte.\n"});
    rb::Replay future = Game("maps/pont de fer",
                             {Human("Kestrel", "C0A80102", 0, 2, 0, NoTeam),
                              Human("Drako", "C0A80107", 1, 3, 1, NoTeam)},
                             12);
    future.versionText = u"Version 1.07";
    future.versionNumber = 0x00010007;
    add("Version inconnue.rep", future);
    samples.push_back(
        {"Coupé court.rep",
         rb::Bytes(Game("maps/plaine grise", {Human("Orage", "0A000003", 0, 2, 0, 0)}, 5))
             .substr(0, 40)});
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_replays FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (const Sample& sample : Samples())
            rb::WriteFile(folder + "/" + sample.fileName, sample.bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sample_replays: %s\n", error.what());
        return 1;
    }
    return 0;
}
