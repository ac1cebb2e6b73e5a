// The JSON writer of tarvex-info: the same bytes as the compact form of a JSON library, for
// texts with every kind of odd byte, for numbers at the ends of their types, and for whole
// records.
#include <cstdint>
#include <optional>
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
    struct Case {
        std::string text, json;
    };
    const Case cases[] = {
        {"", R"("")"},
        {"\"", R"("\"")"},
        {"end\\", R"("end\\")"},
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {std::string("\0\x01\x0b\x1b\x1f", 5), R"("\u0000\u0001\u000b\u001b\u001f")"},
        {"\x7f ~", "\"\x7f ~\""},
        {"Coup\xc3\xa9 \xf0\x9f\x98\x80", "\"Coup\xc3\xa9 \xf0\x9f\x98\x80\""},
        // Longer than the writer's buffer, an escape on either side of its end.
        {std::string(4094, 'a') + "\n\"" + std::string(5000, 'b'),
         "\"" + std::string(4094, 'a') + "\\n\\\"" + std::string(5000, 'b') + "\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(c.text), c.json) << c.text;
}

TEST(JsonWriter, NumbersAtTheEndsOfTheirTypes) {
    std::string out;
    JsonWriter(out)
        .beginArray()
        .value(int8_t{INT8_MIN})
        .value(int8_t{-1})
        .value(uint8_t{UINT8_MAX})
        .value(uint16_t{UINT16_MAX})
        .value(int32_t{INT32_MIN})
        .value(int32_t{INT32_MAX})
        .value(int64_t{INT64_MIN})
        .value(uint64_t{UINT64_MAX})
        .value(0)
        .value(true)
        .value(false)
        .endArray();
    EXPECT_EQ(out, "[-128,-1,255,65535,-2147483648,2147483647,-9223372036854775808,"
                   "18446744073709551615,0,true,false]");
}

TEST(JsonWriter, CommasBetweenMembersAndElementsOnlyAndNullForNoValue) {
    std::string out;
    {
        JsonWriter json(out);
        json.beginObject()
            .key("empty")
            .beginObject()
            .endObject()
            .key("none")
            .beginArray()
            .endArray();
        json.key("nested")
            .beginArray()
            .beginArray()
            .value(1)
            .endArray()
            .beginObject()
            .member("a", 2)
            .member("some", std::optional<int>(3))
            .member("nothing", std::optional<int>())
            .endObject();
        json.endArray().member("last", "x").endObject();
    }
    EXPECT_EQ(
        out, R"({"empty":{},"none":[],"nested":[[1],{"a":2,"some":3,"nothing":null}],"last":"x"})");
}

// A record written by the tool is already in the compact form a JSON library gives when it
// writes the object again: nothing escaped differently, no number written another way. Its
// texts hold control bytes, quotes, backslashes, Windows-1252 bytes and cut UTF-8, which the
// tool shows as UTF-8. (Signed players' members: tarvex-info's tests on real files.)
TEST(ReplayJson, RecordsWithOddValuesAreInTheLibrarysCompactForm) {
    TZH_replay odd;
    odd.file.path = std::string("dir\\sub/\"q\"\x01\x1f.rep", 18);
    odd.file.name = "\"q\"\x01\x1f.rep";
    odd.file.size = INT32_MIN;
    odd.map.name = "Caf\xe9 \x80\x9f\xff";
    odd.map.number = INT32_MAX;
    odd.money = -5;
    odd.duration = -1;
    odd.players.resize(2);
    odd.players[0].name = "tab\there\n";
    odd.players[0].address = {255, 0, 127, 128};
    odd.players[1].name = "cut\xc3";
    for (const TZH_replay& record : {odd, TZH_replay{}}) {
        const std::string line = ReplayToJson(record);
        EXPECT_EQ(nlohmann::ordered_json::parse(line).dump(), line);
    }
    const auto parsed = nlohmann::json::parse(ReplayToJson(odd));
    EXPECT_EQ(parsed["file"]["size"], INT32_MIN);
    EXPECT_EQ(parsed["map"]["number"], INT32_MAX);
    EXPECT_EQ(parsed["money"], -5);
    EXPECT_EQ(parsed["duration"], -1);
    EXPECT_EQ(parsed["map"]["name"], "Caf\xc3\xa9 \xe2\x82\xac\xc5\xb8\xc3\xbf");
    EXPECT_EQ(parsed["players"][0]["name"], "tab\there\n");
    EXPECT_EQ(parsed["players"][1]["name"], "cut");
}

} // namespace
