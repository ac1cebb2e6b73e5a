#include <string>

#include <gtest/gtest.h>

#include "replay/GR_Utils.h"
#include "replay/zerohour.h"

namespace {

// Slot texts as the game writes them, each closed by a colon.
std::string List(std::initializer_list<const char*> slots) {
    std::string list;
    for (const char* slot : slots)
        list += std::string(slot) + ":";
    return list;
}

TZH_replay Parse(const std::string& list) {
    TZH_replay record;
    ParsePlayerSlots(list, record);
    return record;
}

} // namespace

TEST(PlayerSlots, OpenAndClosedSlotsGiveNoPlayers) {
    EXPECT_TRUE(Parse(List({"X", "O", "X", "X", "O", "X", "X", "X"})).players.empty());
}

TEST(PlayerSlots, ComputerSlotsTakeTheirDifficultyName) {
    const auto r = Parse(
        List({"CE,1,3,0,-1", "CM,2,4,1,0", "CH,-1,-1,2,3", "CQ,0,2,3,1", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 4u);
    const TZH_player& easy = r.players[0];
    EXPECT_EQ(easy.name, "IA Facile");
    EXPECT_FALSE(easy.human);
    EXPECT_EQ(easy.slotValue1, 1);
    EXPECT_EQ(easy.army, 3);
    EXPECT_EQ(easy.slotValue3, 0);
    EXPECT_EQ(easy.team, -1);
    EXPECT_EQ(easy.address, (std::array<uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(easy.port, 0);
    EXPECT_EQ(r.players[1].name, "IA Moyenne");
    EXPECT_EQ(r.players[2].name, "IA Difficile");
    EXPECT_EQ(r.players[2].slotValue1, 255); // -1 kept as its low 8 bits
    EXPECT_EQ(r.players[3].name, "");
}

TEST(PlayerSlots, HumanSlotGivesNameAddressPortAndNumbers) {
    const auto r =
        Parse(List({"HJoueur,C0A80102,8088,xx,2,5,1,0,1", "X", "X", "X", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 1u);
    const TZH_player& p = r.players[0];
    EXPECT_EQ(p.name, "Joueur");
    EXPECT_TRUE(p.human);
    EXPECT_EQ(p.address, (std::array<uint8_t, 4>{192, 168, 1, 2}));
    EXPECT_EQ(p.port, 8088);
    EXPECT_EQ(p.slotValue1, 2);
    EXPECT_EQ(p.army, 5);
    EXPECT_EQ(p.slotValue3, 1);
    EXPECT_EQ(p.team, 0);
}

TEST(PlayerSlots, ShortAddressBorrowsCharactersOfTheEntriesAfterIt) {
    const auto r = Parse(List({"HJoueur,0,0,xx,2,5,1,0,1", "X", "X", "X", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 1u);
    EXPECT_EQ(r.players[0].address, (std::array<uint8_t, 4>{0, 0, 0, 2}));
    EXPECT_EQ(r.players[0].port, 0);
    EXPECT_EQ(r.players[0].army, 5);
    EXPECT_EQ(r.players[0].team, 0);
}

TEST(PlayerSlots, PortKeepsItsLow16BitsAndObserversSurviveTheRoundTrip) {
    const auto r =
        Parse(List({"HA,00000001,70000,TT,-1,-2,-1,-1,1", "X", "X", "X", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 1u);
    EXPECT_EQ(r.players[0].port, 70000 - 65536);
    EXPECT_EQ(r.players[0].army, -2);
    EXPECT_EQ(r.players[0].team, -1);
}

TEST(PlayerSlots, UnknownKindEndsTheListWithABlankEntry) {
    const auto r = Parse(List(
        {"HA,00000001,8088,TT,0,2,0,0,1", "CE,1,3,0,-1", "Zzz", "HB,bad", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 3u);
    EXPECT_EQ(r.players[2].name, "");
    EXPECT_EQ(r.players[2].army, 0);
}

TEST(PlayerSlots, SlotsThatAreNotPlayersLeaveNoGap) {
    const auto r =
        Parse(List({"HA,00000001,8088,TT,0,2,0,0,1", "X", "O", "CH,1,4,2,1", "X", "X", "X", "X"}));
    ASSERT_EQ(r.players.size(), 2u);
    EXPECT_EQ(r.players[0].name, "A");
    EXPECT_EQ(r.players[1].name, "IA Difficile");
}

TEST(PlayerSlots, MalformedListsFailAndKeepWhatWasAppended) {
    struct Case {
        std::string list;
        std::size_t playersKept;
    };
    const Case cases[] = {
        {List({"X", "X", "X", "X", "X", "X", "X"}), 0}, // seven slots
        {List({"HJoueur,C0A80102,8088,xx,2,5,1,0", "X", "X", "X", "X", "X", "X", "X"}),
         1},                                                             // no comma after N4
        {List({"CE,1,3,0,-1,9", "X", "X", "X", "X", "X", "X", "X"}), 1}, // more after N4
        {List({"CE,1,,0,-1", "X", "X", "X", "X", "X", "X", "X"}), 1},    // empty number
        {List({"HJoueur", "X", "X", "X", "X", "X", "X", "X"}), 1},       // empty address
        {List({"CE,1,3,0,-1", "", "X", "X", "X", "X", "X", "X"}), 1},    // empty slot
        {"", 0},
    };
    for (const Case& c : cases) {
        TZH_replay record;
        EXPECT_THROW(ParsePlayerSlots(c.list, record), ConvertError) << c.list;
        EXPECT_EQ(record.players.size(), c.playersKept) << c.list;
    }
}

TEST(PlayerSlots, LowerCaseAddressDigitsCountAsZero) {
    const auto r =
        Parse(List({"HA,c0a80102,8088,TT,0,2,0,0,1", "X", "X", "X", "X", "X", "X", "X"}));
    // c0 a8 01 02: lower-case letters are the digit 0
    EXPECT_EQ(r.players[0].address, (std::array<uint8_t, 4>{0, 8, 1, 2}));
}

TEST(PlayerSlots, AnythingAfterTheEighthSlotIsIgnored) {
    EXPECT_EQ(Parse(List({"X", "X", "X", "X", "X", "X", "X", "X", "HA,garbage"})).players.size(),
              0u);
}
