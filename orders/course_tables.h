// The game's numbering for Zero Hour 1.04 and our French names, as tables made by the build
// from orders/data (course_tables.cmake). Each table is sorted by number; a French name is
// empty where there is none.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct CourseObject {
    uint32_t number;
    std::string_view templateName; // "AmericaPowerPlant"
    std::string_view label;        // the display label, "OBJECT:ColdFusionReactor"
    std::string_view french;
};

// A power or a science.
struct CourseNumbered {
    uint32_t number;
    std::string_view french;
};

// An upgrade, numbered by its place in the game's list from 0.
struct CourseUpgrade {
    uint32_t number;
    std::string_view french;
    bool research; // false for the buttons the game sends as upgrades
};

extern const std::span<const CourseObject> CourseObjects;
extern const std::span<const CourseNumbered> CoursePowers;
extern const std::span<const CourseNumbered> CourseSciences;
extern const std::span<const CourseUpgrade> CourseUpgrades;
