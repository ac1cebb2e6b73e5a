// A player's course as lines of text, in time order: what the tool prints and the match window
// lists. The texts say what he asked for ("posé", "mis en production", "lancé", "choisi"),
// never what was built: the orders can't tell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "orders/course_names.h"
#include "orders/match_course.h"

struct CourseLine {
    uint32_t frame = 0;
    std::string what; // "posé  Centrale électrique  (1132, 854)"
};

// Every entry of the course, cancels and sales included, sorted by frame (stable).
std::vector<CourseLine> CourseLines(const PlayerCourse& course, const CourseData& data);

// "0m 08s", "12m 30s": the game time at a frame.
std::string CourseTime(uint32_t frame);

// "0m 08s  posé  Centrale électrique  (1132, 854)": the line with its game time before it.
std::string TimedCourseLine(const CourseLine& line);
