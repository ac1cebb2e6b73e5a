#include "replay_report.h"

#include <charconv>

#include "json_writer.h"
#include "replay/display_text.h"

void AppendReplayJson(std::string& out, const TZH_replay& replay) {
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
    for (const TZH_player& p : replay.players) {
        json.beginObject();
        json.member("name", DisplayText(p.name));
        json.member("army", p.army);
        json.member("slotValue1", p.slotValue1);
        json.member("human", p.human);
        json.member("team", p.team);
        json.member("slotValue3", p.slotValue3);
        json.key("address").beginArray();
        for (const uint8_t part : p.address) json.value(part);
        json.endArray();
        json.member("port", p.port);
        json.endObject();
    }
    json.endArray();
    json.member("duration", replay.duration);
    json.member("valid", replay.valid);
    json.endObject();
}

std::string ReplayToJson(const TZH_replay& replay) {
    std::string out;
    AppendReplayJson(out, replay);
    return out;
}

std::string FormatDuration(int32_t seconds) {
    std::string text;
    if (seconds / 60 > 0) text = std::to_string(seconds / 60) + "m ";
    return text + std::to_string(seconds % 60) + "s";
}

namespace {

// The line is built in one buffer: tarvex-info prints one for every replay of a folder.
void AppendNumber(std::string& line, int32_t number) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    line.append(digits, end);
}

void AppendPlayer(std::string& line, const TZH_player& p) {
    const std::size_t nameAt = line.size();
    line += DisplayText(p.name);
    if (line.size() == nameAt) line += p.human ? "?" : "IA";
    if (p.army == -2) {
        line += " (observer)";
        return;
    }
    line += " (";
    if (p.army == -1) {
        line += "random";
    } else if (p.army >= 2 && p.army <= 13) {
        line += ArmyNames[static_cast<std::size_t>(p.army - 2)];
    } else {
        line += "army ";
        AppendNumber(line, p.army);
    }
    if (p.team == -1) {
        line += ", no team)";
    } else {
        line += ", team ";
        AppendNumber(line, p.team + 1);
        line += ')';
    }
}

} // namespace

std::string ReplaySummary(const TZH_replay& replay) {
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
    line += ", $";
    AppendNumber(line, replay.money / 1000);
    line += 'K';
    if (replay.superweaponLimit) line += ", 1 SW";
    if (replay.vanilla) line += ", Vanilla";
    line += ", ";
    line += FormatDuration(replay.duration);
    line += ", players: ";
    for (std::size_t i = 0; i < replay.players.size(); ++i) {
        if (i) line += ", ";
        AppendPlayer(line, replay.players[i]);
    }
    if (replay.players.empty()) line += "none";
    return line;
}
