// The JSON writer of tarvex-info: the same bytes as the compact form of a JSON library, for
// texts with every kind of odd byte, for numbers at the ends of their types, and for whole
// records.
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tools/json_writer.h"
#include "tools/replay_report.h"

namespace {

std::string Written(std::string_view text) {
    std::string out;
    JsonWriter(out).value(text);
    return out;
}

TEST(JsonWriter, EscapesOnlyWhatJsonRequires) {
    struct Case { std::string text; const char* json; };
    const Case cases[] = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {std::string("\0\x01\x0b\x1b\x1f", 5), R"("\u0000\u0001\u000b\u001b\u001f")"},
        {"\x7f ~", "\"\x7f ~\""},
        {"Coup\xc3\xa9 \xf0\x9f\x98\x80", "\"Coup\xc3\xa9 \xf0\x9f\x98\x80\""},
        {"end\\", R"("end\\")"},
        {"\"", R"("\"")"},
    };
    for (const Case& c : cases) EXPECT_EQ(Written(c.text), c.json) << c.text;
}

TEST(JsonWriter, NumbersAtTheEndsOfTheirTypes) {
    std::string out;
    JsonWriter json(out);
    json.beginArray()
        .value(std::numeric_limits<int8_t>::min())
        .value(int8_t{-1})
        .value(std::numeric_limits<uint8_t>::max())
        .value(std::numeric_limits<uint16_t>::max())
        .value(std::numeric_limits<int32_t>::min())
        .value(std::numeric_limits<int32_t>::max())
        .value(std::numeric_limits<int64_t>::min())
        .value(std::numeric_limits<uint64_t>::max())
        .value(0)
        .value(true)
        .value(false)
        .endArray();
    EXPECT_EQ(out, "[-128,-1,255,65535,-2147483648,2147483647,-9223372036854775808,"
                   "18446744073709551615,0,true,false]");
}

TEST(JsonWriter, CommasBetweenMembersAndElementsOnly) {
    std::string out;
    JsonWriter json(out);
    json.beginObject().key("empty").beginObject().endObject().key("none").beginArray().endArray();
    json.key("nested").beginArray().beginArray().value(1).endArray().beginObject().member("a", 2).endObject();
    json.endArray().member("last", "x").endObject();
    EXPECT_EQ(out, R"({"empty":{},"none":[],"nested":[[1],{"a":2}],"last":"x"})");
}

TZH_player OddPlayer(std::string name, int army, int team) {
    TZH_player p;
    p.name = std::move(name);
    p.army = static_cast<int8_t>(army);
    p.team = static_cast<int8_t>(team);
    p.slotValue1 = 255;
    p.slotValue3 = 0;
    p.address = {255, 0, 127, 128};
    p.port = 65535;
    p.human = team % 2 == 0;
    return p;
}

// A record written by the tool reads back as the same record, and is already in the compact
// form a JSON library gives when it writes the object again: nothing escaped differently,
// no number written another way. Names hold control bytes, quotes, backslashes, Windows-1252
// bytes and cut UTF-8, which the tool shows as UTF-8.
TEST(ReplayJson, RecordsWithOddValuesAreInTheLibrarysCompactForm) {
    TZH_replay odd;
    odd.file.path = std::string("dir\\sub/\"q\"\x01\x1f.rep", 18);
    odd.file.name = "\"q\"\x01\x1f.rep";
    odd.file.size = std::numeric_limits<int32_t>::min();
    odd.map.name = "Caf\xe9 \x80\x9f\xff";
    odd.map.code = -119372;
    odd.map.number = std::numeric_limits<int32_t>::max();
    odd.map.userMap = true;
    odd.money = -5;
    odd.superweaponLimit = true;
    odd.version = "Invalid";
    odd.players = {OddPlayer("tab\there\n", -128, -1), OddPlayer("cut\xc3", 127, 0), OddPlayer("", -2, 6),
                   OddPlayer("\x7f\\", 13, -128)};
    odd.duration = -1;
    TZH_replay empty;
    for (const TZH_replay& record : {odd, empty}) {
        const std::string line = ReplayToJson(record);
        const auto parsed = nlohmann::ordered_json::parse(line);
        EXPECT_EQ(parsed.dump(), line);
        EXPECT_EQ(parsed["file"]["size"], record.file.size);
        EXPECT_EQ(parsed["money"], record.money);
        EXPECT_EQ(parsed["duration"], record.duration);
        ASSERT_EQ(parsed["players"].size(), record.players.size());
        for (std::size_t i = 0; i < record.players.size(); ++i) {
            EXPECT_EQ(parsed["players"][i]["army"], record.players[i].army);
            EXPECT_EQ(parsed["players"][i]["team"], record.players[i].team);
            EXPECT_EQ(parsed["players"][i]["address"], nlohmann::json::parse("[255,0,127,128]"));
        }
    }
    EXPECT_EQ(nlohmann::json::parse(ReplayToJson(odd))["players"][0]["name"], "tab\there\n");
    EXPECT_EQ(nlohmann::json::parse(ReplayToJson(odd))["map"]["name"], "Caf\xc3\xa9 \xe2\x82\xac\xc5\xb8\xc3\xbf");
}

} // namespace
