// Names for the numbers in a match's orders: objects, powers, sciences and upgrades, from the
// game's own numbering for Zero Hour 1.04. They are given only for a replay whose data set they
// fit; any other replay, and any number the tables don't hold, gets no name, never a wrong one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "replay/zerohour_intf.h"

// Which data set a replay was recorded with: its header's INI and executable checksums.
struct CourseData {
    bool tablesFit = false; // the INI checksum is one the tables were made from
    uint32_t exeCrc = 0;
};

CourseData CourseDataFor(uint32_t iniCrc, uint32_t exeCrc);
// A valid replay's, from its header's checksums.
CourseData CourseDataOf(const TZH_replay& record);

// The object's internal name ("AmericaPowerPlant") and French name ("Centrale électrique").
std::optional<std::string_view> ObjectTemplate(const CourseData& data, uint32_t number);
std::optional<std::string_view> ObjectName(const CourseData& data, uint32_t number);
std::optional<std::string_view> PowerName(const CourseData& data, uint32_t number);
// Sciences a player can pick; the others (ranks, armies) have no name.
std::optional<std::string_view> ScienceName(const CourseData& data, uint32_t number);
// The game names upgrades by keys that count its list of upgrades from a start of its own
// program's: named only for the programs whose start is known.
std::optional<std::string_view> UpgradeName(const CourseData& data, uint32_t key);
// Whether an upgrade order asks for research: all do but the GLA worker's switches between his
// real and fake buildings' menus, buttons the game sends as upgrades. The lists of a course
// leave those out (they still count as commands); an upgrade that can't be told is research.
bool IsResearch(const CourseData& data, uint32_t key);
// Units one queue order gives: two for Red Guards, else one.
uint32_t UnitsPerOrder(const CourseData& data, uint32_t number);

// What the windows and the tool show: the name, else "objet n° 1229", "pouvoir n° 24",
// "science n° 86", "amélioration n° ?".
std::string ObjectText(const CourseData& data, uint32_t number);
std::string PowerText(const CourseData& data, uint32_t number);
std::string ScienceText(const CourseData& data, uint32_t number);
std::string UpgradeText(const CourseData& data, uint32_t key);
