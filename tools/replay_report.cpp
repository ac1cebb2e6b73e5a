#include "tools/replay_report.h"

#include <charconv>
#include <cstdio>
#include <ranges>

#include "orders/course_names.h"
#include "orders/course_texts.h"
#include "replay/display_text.h"
#include "replay/game_colours.h"
#include "replay/replay_texts.h"
#include "replay/zerohour.h"
#include "tools/json_writer.h"

namespace {

// The members of a player that say what the game made of his random picks.
void AppendPicksJson(JsonWriter& json, const TZH_player& p) {
    json.member("armyResolved", p.armyResolved);
    json.member("armyRandom", p.armyRandom);
    json.member("colourResolved", p.colourResolved);
    json.member("colourRandom", p.colourRandom);
}

// "startResolved" (from 1, or null when unknown) and "startRandom".
void AppendStartJson(JsonWriter& json, const PlayerStart& start) {
    json.key("startResolved");
    if (start.spot >= 0)
        json.value(start.spot + 1);
    else
        json.null();
    json.member("startRandom", start.random);
}

void AppendPointJson(JsonWriter& json, MapPoint point) {
    json.beginArray().value(point.x, 2).value(point.y, 2).endArray();
}

// "mapData": the map cache's start spots (null for one the map lacks), extent (null when the
// entry lacks it) and which cache held it; null when none did.
void AppendMapDataJson(JsonWriter& json, const std::optional<MapData>& map) {
    json.key("mapData");
    if (!map) {
        json.null();
        return;
    }
    const MapCacheEntry& entry = *map->entry;
    json.beginObject();
    json.key("spots").beginArray();
    for (const std::optional<MapPoint>& spot : entry.spots)
        if (spot)
            AppendPointJson(json, *spot);
        else
            json.null();
    json.endArray();
    json.key("extent");
    if (entry.extent) {
        json.beginArray();
        AppendPointJson(json, entry.extent->min);
        AppendPointJson(json, entry.extent->max);
        json.endArray();
    } else {
        json.null();
    }
    json.member("cache", MapCacheKindName(map->cache));
    json.endObject();
}

} // namespace

void DateJson(JsonWriter& json, const std::optional<TZH_date>& date) {
    if (!date) {
        json.null();
        return;
    }
    char text[64]; // room for any six 16-bit numbers
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{date->year},
                  unsigned{date->month}, unsigned{date->day}, unsigned{date->hour},
                  unsigned{date->minute}, unsigned{date->second});
    json.value(std::string_view(text));
}

void ApmJson(JsonWriter& json, const std::optional<double>& apm) {
    if (apm)
        json.value(*apm, 1);
    else
        json.null();
}

void LeftJson(JsonWriter& json, const std::optional<PlayerLeaving>& left) {
    if (!left) {
        json.null();
        return;
    }
    json.beginObject();
    json.member("frame", left->frame);
    json.member("how", LeaveHowName(left->how));
    json.endObject();
}

namespace {

// "invalidReason": which check refused the replay, or null for a valid one.
void AppendInvalidReasonJson(JsonWriter& json, const TZH_replay& replay) {
    json.key("invalidReason");
    if (replay.valid)
        json.null();
    else
        json.value(InvalidReasonName(replay.invalidReason));
}

void PointMembers(JsonWriter& json, const std::optional<WorldPoint>& at) {
    if (at) {
        json.key("x").value(static_cast<double>(at->x), 2);
        json.key("y").value(static_cast<double>(at->y), 2);
    } else {
        json.key("x").null();
        json.key("y").null();
    }
}

// "key": an array of numbers, frames or counts.
void NumbersJson(JsonWriter& json, std::string_view key, const std::vector<uint32_t>& numbers) {
    json.key(key).beginArray();
    for (const uint32_t number : numbers)
        json.value(number);
    json.endArray();
}

// "key": one object per entry of a course's list, its frame and then what members writes.
template <typename Entries, typename Members>
void EntriesJson(JsonWriter& json, std::string_view key, Entries&& entries,
                 const Members& members) {
    json.key(key).beginArray();
    for (const auto& entry : entries) {
        json.beginObject().member("frame", entry.frame);
        members(entry);
        json.endObject();
    }
    json.endArray();
}

// "course": what a human who played placed, queued, fired and picked; null for the others.
void AppendCourseJson(JsonWriter& json, const std::optional<PlayerCourse>& course,
                      const CourseData& data) {
    json.key("course");
    if (!course) {
        json.null();
        return;
    }
    json.beginObject();
    EntriesJson(json, "placed", course->placed, [&](const PlacedBuilding& p) {
        json.member("number", p.object);
        // The sneak attack's number is its power's.
        json.member("object", p.sneakAttack ? std::nullopt : ObjectTemplate(data, p.object));
        json.member("name", p.sneakAttack ? PowerName(data, p.object) : ObjectName(data, p.object));
        PointMembers(json, p.at);
        json.key("angle").value(static_cast<double>(p.angle), 4);
        json.member("sneakAttack", p.sneakAttack);
    });
    EntriesJson(json, "queued", course->queued, [&](const QueuedUnit& q) {
        json.member("number", q.object);
        json.member("object", ObjectTemplate(data, q.object));
        json.member("name", ObjectName(data, q.object));
        json.member("units", UnitsPerOrder(data, q.object));
        json.member("cancelled", q.cancelled);
    });
    NumbersJson(json, "cancels", course->constructionCancels);
    NumbersJson(json, "sales", course->sales);
    NumbersJson(json, "resumed", course->resumed);
    EntriesJson(json, "powers", course->powers, [&](const FiredPower& p) {
        json.member("number", p.power).member("name", PowerName(data, p.power));
        PointMembers(json, p.at);
    });
    EntriesJson(json, "sciences", course->sciences, [&](const PickedScience& s) {
        json.member("number", s.science).member("name", ScienceName(data, s.science));
    });
    const auto research = [&data](const UpgradeOrder& u) { return IsResearch(data, u.key); };
    EntriesJson(json, "upgrades", course->upgrades | std::views::filter(research),
                [&](const UpgradeOrder& u) {
                    json.member("key", u.key).member("name", UpgradeName(data, u.key));
                    json.member("cancel", u.cancel);
                });
    NumbersJson(json, "activity", course->commandsPerMinute);
    json.endObject();
}

// "match": the orders' walk, one element per player in the record's order; null when absent.
void AppendMatchJson(JsonWriter& json, const std::optional<MatchOrders>& match,
                     const CourseData& data) {
    json.key("match");
    if (!match) {
        json.null();
        return;
    }
    json.beginObject();
    json.member("complete", match->complete);
    json.member("endFrame", match->endFrame);
    json.key("players").beginArray();
    for (const PlayerOrders& p : match->players) {
        json.beginObject();
        json.member("commands", p.commands);
        json.member("selections", p.selections);
        ApmJson(json.key("apm"), p.apm);
        LeftJson(json.key("left"), p.left);
        AppendCourseJson(json, p.course, data);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// The starts the record alone tells: the spots fixed in the lobby.
ReplayStarts StartsWithoutMapData(const TZH_replay& replay) {
    return ReplayStarts{std::nullopt, ResolveStartSpots(replay, nullptr)};
}

PlayerStart StartOf(const ReplayStarts& starts, std::size_t player) {
    return player < starts.players.size() ? starts.players[player] : PlayerStart{};
}

void AppendJson(std::string& out, const TZH_replay& replay, const std::optional<MatchOrders>* match,
                const ReplayStarts* given) {
    const ReplayStarts starts = given ? *given : StartsWithoutMapData(replay);
    JsonWriter json(out);
    json.beginObject();
    json.key("file").beginObject();
    json.member("path", DisplayText(replay.file.path));
    json.member("name", DisplayText(replay.file.name));
    json.member("size", replay.file.size);
    json.endObject();
    json.key("map").beginObject();
    json.member("name", DisplayText(replay.map.name));
    json.member("code", replay.map.code);
    json.member("number", replay.map.number);
    json.member("userMap", replay.map.userMap);
    json.endObject();
    json.member("money", replay.money);
    json.member("superweaponLimit", replay.superweaponLimit);
    json.member("vanilla", replay.vanilla);
    json.member("version", DisplayText(replay.version));
    json.key("players").beginArray();
    for (std::size_t i = 0; i < replay.players.size(); ++i) {
        const TZH_player& p = replay.players[i];
        json.beginObject();
        json.member("name", DisplayText(p.name));
        json.member("army", p.army);
        json.member("slotValue1", p.slotValue1);
        json.member("human", p.human);
        json.member("team", p.team);
        json.member("slotValue3", p.slotValue3);
        json.key("address").beginArray();
        for (const uint8_t part : p.address)
            json.value(part);
        json.endArray();
        json.member("port", p.port);
        AppendPicksJson(json, p);
        AppendStartJson(json, StartOf(starts, i));
        json.endObject();
    }
    json.endArray();
    json.member("duration", replay.duration);
    json.member("valid", replay.valid);
    DateJson(json.key("date"), replay.date);
    AppendInvalidReasonJson(json, replay);
    AppendMapDataJson(json, starts.map);
    if (match) AppendMatchJson(json, *match, CourseDataOf(replay));
    json.endObject();
}

} // namespace

void AppendReplayJson(std::string& out, const TZH_replay& replay, const ReplayStarts* starts) {
    AppendJson(out, replay, nullptr, starts);
}

void AppendReplayJson(std::string& out, const TZH_replay& replay,
                      const std::optional<MatchOrders>& match, const ReplayStarts* starts) {
    AppendJson(out, replay, &match, starts);
}

std::string ReplayToJson(const TZH_replay& replay) {
    std::string out;
    AppendReplayJson(out, replay);
    return out;
}

namespace {

// The line is built in one buffer: tarvex-info prints one for every replay of a folder.
void AppendNumber(std::string& line, int32_t number) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    line.append(digits, end);
}

// "random → China Nuke": what the game drew for a random pick.
constexpr std::string_view DrawnArrow = " \u2192 ";

void AppendArmy(std::string& line, int8_t army) {
    if (const auto name = ArmyName(army)) {
        line += *name;
    } else {
        line += "army ";
        AppendNumber(line, army);
    }
}

// The colour the game drew, for the line of --match.
void AppendDrawnColour(std::string& line, const TZH_player& p) {
    const GameColour* drawn = GameColourOf(p.colourResolved);
    if (!p.colourRandom || !drawn) return;
    line += ", colour random";
    line += DrawnArrow;
    line += drawn->english;
}

// How the player left, for the line of --match.
void AppendLeaving(std::string& line, const PlayerOrders* orders) {
    if (!orders || !orders->left) return;
    line += ", left at ";
    line += FormatDuration(SecondsAtFrame(orders->left->frame));
    line += ", ";
    line += LeaveHowName(orders->left->how);
}

// "spot 3", "spot 3, random" (the game chose it), "spot random" (it can't be told).
void AppendSpot(std::string& line, const PlayerStart& start) {
    line += ", spot ";
    if (start.spot < 0) {
        line += "random";
        return;
    }
    AppendNumber(line, start.spot + 1);
    if (start.random) line += ", random";
}

// picks: the line of --match, with the drawn army and colour and how the player left.
void AppendPlayer(std::string& line, const TZH_player& p, const PlayerStart& start, bool picks,
                  const PlayerOrders* orders) {
    const std::size_t nameAt = line.size();
    line += DisplayText(p.name);
    if (line.size() == nameAt) line += p.human ? "?" : "IA";
    if (p.army == ObserverArmy) {
        line += " (observer";
        // An observer's spot is only where his camera starts: named when known.
        if (start.spot >= 0) AppendSpot(line, start);
        if (picks) AppendLeaving(line, orders);
        line += ')';
        return;
    }
    line += " (";
    if (p.army == RandomArmy) {
        line += "random";
        if (picks && p.armyResolved >= 0) {
            line += DrawnArrow;
            AppendArmy(line, p.armyResolved);
        }
    } else {
        AppendArmy(line, p.army);
    }
    if (picks) AppendDrawnColour(line, p);
    if (p.team == NoTeam) {
        line += ", no team";
    } else {
        line += ", team ";
        AppendNumber(line, p.team + 1);
    }
    AppendSpot(line, start);
    if (picks) AppendLeaving(line, orders);
    line += ')';
}

std::string Summary(const TZH_replay& replay, bool picks, const MatchOrders* match,
                    const ReplayStarts* given) {
    std::string line = DisplayText(replay.file.name);
    line += ": ";
    if (!replay.valid) {
        line += "INVALID";
        if (!replay.version.empty() && replay.version != "Invalid") {
            line += " (version ";
            line += replay.version;
            line += ')';
        } else {
            line += replay.version.empty() ? " (not a replay)" : " (unsupported version)";
        }
        line += ", ";
        AppendNumber(line, replay.file.size);
        line += " bytes";
        return line;
    }
    line += "version ";
    line += replay.version;
    line += ", map ";
    line += DisplayText(replay.map.name);
    line += ", ";
    line += FormatMoney(replay.money);
    if (replay.superweaponLimit) line += ", 1 SW";
    if (replay.vanilla) line += ", Vanilla";
    line += ", ";
    line += FormatDuration(replay.duration);
    line += ", players: ";
    const ReplayStarts starts = given ? *given : StartsWithoutMapData(replay);
    for (std::size_t i = 0; i < replay.players.size(); ++i) {
        if (i) line += ", ";
        const bool counted = match && i < match->players.size();
        AppendPlayer(line, replay.players[i], StartOf(starts, i), picks,
                     counted ? &match->players[i] : nullptr);
    }
    if (replay.players.empty()) line += "none";
    return line;
}

} // namespace

std::string ReplaySummary(const TZH_replay& replay, const ReplayStarts* starts) {
    return Summary(replay, false, nullptr, starts);
}

std::string ReplaySummary(const TZH_replay& replay, const std::optional<MatchOrders>& match,
                          const ReplayStarts* starts) {
    return Summary(replay, true, match ? &*match : nullptr, starts);
}

std::string CourseReport(const TZH_replay& replay, const std::optional<MatchOrders>& match) {
    std::string text = DisplayText(replay.file.name) + ":";
    if (!match) return text + " INVALID\n";
    text += '\n';
    const CourseData data = CourseDataOf(replay);
    for (std::size_t i = 0; i < replay.players.size() && i < match->players.size(); ++i) {
        const std::optional<PlayerCourse>& course = match->players[i].course;
        if (!course) continue; // computers send no orders, observers play none
        text += DisplayText(replay.players[i].name) + '\n';
        for (const CourseLine& line : CourseLines(*course, data))
            text += "  " + TimedCourseLine(line) + '\n';
    }
    return text;
}
