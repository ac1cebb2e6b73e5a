// Names for the numbers in a match's orders: objects, powers, sciences and upgrades, from the
// game's own numbering for Zero Hour 1.04. They are given only for a replay whose data set they
// fit; any other replay, and any number the tables don't hold, gets no name, never a wrong one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Which data set a replay was recorded with: its header's INI and executable checksums.
struct CourseData {
    bool tablesFit = false; // the INI checksum is one the tables were made from
    uint32_t exeCrc = 0;
};

// The object's internal name ("AmericaPowerPlant") and French name ("Centrale électrique").
std::optional<std::string_view> ObjectTemplate(const CourseData& data, uint32_t number);
std::optional<std::string_view> ObjectName(const CourseData& data, uint32_t number);
std::optional<std::string_view> PowerName(const CourseData& data, uint32_t number);
std::optional<std::string_view> ScienceName(const CourseData& data, uint32_t number);
std::optional<std::string_view> UpgradeName(const CourseData& data, uint32_t key);

// What the windows and the tool show: the name, else "objet n° 1229", "pouvoir n° 24",
// "science n° 86", "amélioration n° 2300".
std::string ObjectText(const CourseData& data, uint32_t number);
std::string PowerText(const CourseData& data, uint32_t number);
std::string ScienceText(const CourseData& data, uint32_t number);
std::string UpgradeText(const CourseData& data, uint32_t key);
