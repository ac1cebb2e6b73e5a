#include "replay_report.h"

#include <charconv>

#include "replay/display_text.h"

nlohmann::ordered_json ReplayToJson(const TZH_replay& replay) {
    nlohmann::ordered_json players = nlohmann::ordered_json::array();
    for (const TZH_player& p : replay.players) {
        players.push_back({
            {"name", DisplayText(p.name)},
            {"army", p.army},
            {"slotValue1", p.slotValue1},
            {"human", p.human},
            {"team", p.team},
            {"slotValue3", p.slotValue3},
            {"address", {p.address[0], p.address[1], p.address[2], p.address[3]}},
            {"port", p.port},
        });
    }
    return {
        {"file",
         {{"path", DisplayText(replay.file.path)},
          {"name", DisplayText(replay.file.name)},
          {"size", replay.file.size}}},
        {"map",
         {{"name", DisplayText(replay.map.name)},
          {"code", replay.map.code},
          {"number", replay.map.number},
          {"userMap", replay.map.userMap}}},
        {"money", replay.money},
        {"superweaponLimit", replay.superweaponLimit},
        {"vanilla", replay.vanilla},
        {"version", DisplayText(replay.version)},
        {"players", players},
        {"duration", replay.duration},
        {"valid", replay.valid},
    };
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
