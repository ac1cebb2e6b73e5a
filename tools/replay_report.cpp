#include "replay_report.h"

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

std::string PlayerSummary(const TZH_player& p) {
    std::string text = DisplayText(p.name);
    if (text.empty()) text = p.human ? "?" : "IA";
    if (p.army == -2) return text + " (observer)";
    const int army = p.army;
    text += " (";
    text += army == -1 ? std::string("random") :
            army >= 2 && army <= 13 ? std::string(ArmyNames[static_cast<std::size_t>(army - 2)]) :
                                      "army " + std::to_string(army);
    text += p.team == -1 ? ", no team)" : ", team " + std::to_string(p.team + 1) + ")";
    return text;
}

} // namespace

std::string ReplaySummary(const TZH_replay& replay) {
    std::string line = DisplayText(replay.file.name) + ": ";
    if (!replay.valid) {
        line += "INVALID";
        if (!replay.version.empty() && replay.version != "Invalid")
            line += " (version " + replay.version + ")";
        else if (replay.version.empty())
            line += " (not a replay)";
        else
            line += " (unsupported version)";
        return line + ", " + std::to_string(replay.file.size) + " bytes";
    }
    line += "version " + replay.version + ", map " + DisplayText(replay.map.name) + ", $" +
            std::to_string(replay.money / 1000) + "K";
    if (replay.superweaponLimit) line += ", 1 SW";
    if (replay.vanilla) line += ", Vanilla";
    line += ", " + FormatDuration(replay.duration) + ", players: ";
    for (std::size_t i = 0; i < replay.players.size(); ++i)
        line += (i ? ", " : "") + PlayerSummary(replay.players[i]);
    if (replay.players.empty()) line += "none";
    return line;
}
