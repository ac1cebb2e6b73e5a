// The rule by which a typed text finds replays (the list's filter, tarvex-info --find).
#include <gtest/gtest.h>

#include "folder/replay_match_text.h"
#include "folder/replay_search.h"

using namespace std::string_literals;

namespace {

TZH_replay Replay(Text file, Text map, std::vector<Text> players, bool valid) {
    TZH_replay replay;
    replay.file.name = std::move(file);
    replay.map.name = std::move(map);
    for (Text& name : players)
        replay.players.push_back({.name = std::move(name)});
    replay.valid = valid;
    if (valid) replay.date = TZH_date{2025, 4, 0, 27, 21, 14, 5, 0};
    return replay;
}

} // namespace

TEST(ReplayMatch, EveryWordInANameOrTheDateWhateverTheCaseAndAccents) {
    // The names as the game writes them: UTF-8, or Windows-1252 ("\xC9" is É).
    // Nic twice: a name written once for all its slots, the names after it still count.
    const TZH_replay valid = Replay("Soirée entre amis.rep", "Tournament Island",
                                    {"Nic", "\xC9LODIE"s, "Nic", "Œdipe", "Игрок"}, true);
    // Refused by the reader: what it may hold besides its file name is never searched.
    const TZH_replay invalid = Replay("Nic broken.rep", "Desert", {"Zed"}, false);
    const struct {
        const char* typed;
        bool findsValid, findsInvalid;
    } cases[] = {
        {"nic", true, true},
        {"soiree", true, false},     // an accent in the file name
        {"elodie", true, false},     // a Windows-1252 capital with its accent
        {"ÉLOdie", true, false},     // accents typed are dropped too
        {"oedipe", true, false},     // Œ is two letters
        {"ИГРОК", true, false},      // Cyrillic capitals
        {"island nic", true, false}, // two words, two names, in any order
        {"  nic   amis ", true, false},
        {"nic zoe", false, false},   // one word missing is enough
        {"islandnic", false, false}, // no word runs from one name into the next
        {"repnic", false, false},    // nor from the file name into the map's
        {"27/04/2025", true, false}, // the date as the row's tooltip writes it
        {"21:14", false, false},     // its time is not searched
        {"desert", false, false},    // an invalid replay's map,
        {"zed", false, false},       // players
        {"broken", false, true},     // and file name
        {"   ", true, true},         // no word at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const ReplayQuery query(c.typed);
        EXPECT_EQ(ReplayMatches(query, valid), c.findsValid);
        EXPECT_EQ(ReplayMatches(query, invalid), c.findsInvalid);
    }
    // A text typed in Windows-1252 (tarvex-info's arguments on Windows) reads as the names do.
    EXPECT_TRUE(ReplayMatches(ReplayQuery("\xC9lodie"s), valid));

    // The listing's search finds the same replays, by their place in the listing.
    ReplaySearch search;
    search.reserve(3);
    for (const TZH_replay* replay : {&invalid, &valid, &invalid})
        search.add(*replay);
    std::vector<int> found = {7};
    search.find(ReplayQuery("nic"), found);
    EXPECT_EQ(found, (std::vector<int>{0, 1, 2}));
    search.find(ReplayQuery("island"), found);
    EXPECT_EQ(found, (std::vector<int>{1}));
    search.find(ReplayQuery("broken rep"), found);
    EXPECT_EQ(found, (std::vector<int>{0, 2}));
}
