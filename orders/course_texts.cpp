#include "orders/course_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "replay/replay_texts.h"

namespace {

constexpr const char* Gap = "  ";

// "  (1132, 854)": a place in whole world units.
std::string Place(const WorldPoint& at) {
    char text[64];
    std::snprintf(text, sizeof text, "  (%.0f, %.0f)", static_cast<double>(at.x),
                  static_cast<double>(at.y));
    return text;
}

std::string Line(const char* verb, const std::string& what) {
    return std::string(verb) + Gap + what;
}

// "2 × Garde rouge" for the units that come two per order.
std::string Units(const CourseData& data, uint32_t object) {
    const uint32_t units = UnitsPerOrder(data, object);
    const std::string name = ObjectText(data, object);
    return units > 1 ? std::to_string(units) + " \u00d7 " + name : name;
}

} // namespace

std::string CourseTime(uint32_t frame) {
    const int32_t seconds = SecondsAtFrame(frame);
    char text[32];
    std::snprintf(text, sizeof text, "%dm %02ds", seconds / 60, seconds % 60);
    return text;
}

std::string TimedCourseLine(const CourseLine& line) {
    return CourseTime(line.frame) + Gap + line.what;
}

std::vector<CourseLine> CourseLines(const PlayerCourse& course, const CourseData& data) {
    std::vector<CourseLine> lines;
    for (const PlacedBuilding& p : course.placed) {
        // The sneak attack is a power fired where its tunnel comes up.
        const std::string what = p.sneakAttack ? Line("lanc\u00e9", PowerText(data, p.object))
                                               : Line("pos\u00e9", ObjectText(data, p.object));
        lines.push_back({p.frame, what + Place(p.at)});
    }
    for (const QueuedUnit& q : course.queued) {
        lines.push_back({q.frame, Line("mis en production", Units(data, q.object))});
        if (q.cancelled)
            lines.push_back({*q.cancelled, Line("annul\u00e9", Units(data, q.object)) +
                                               "  (mis en production \u00e0 " +
                                               CourseTime(q.frame) + ")"});
    }
    for (const uint32_t frame : course.constructionCancels)
        lines.push_back({frame, "construction annul\u00e9e"});
    for (const uint32_t frame : course.sales)
        lines.push_back({frame, "b\u00e2timent vendu"});
    for (const uint32_t frame : course.resumed)
        lines.push_back({frame, "construction reprise"});
    for (const FiredPower& p : course.powers)
        lines.push_back({p.frame, Line("lanc\u00e9", PowerText(data, p.power)) +
                                      (p.at ? Place(*p.at) : std::string())});
    for (const PickedScience& s : course.sciences)
        lines.push_back({s.frame, Line("choisi", ScienceText(data, s.science))});
    for (const UpgradeOrder& u : course.upgrades)
        if (IsResearch(data, u.key))
            lines.push_back({u.frame, Line(u.cancel ? "recherche annul\u00e9e" : "mis en recherche",
                                           UpgradeText(data, u.key))});
    std::stable_sort(lines.begin(), lines.end(),
                     [](const CourseLine& a, const CourseLine& b) { return a.frame < b.frame; });
    return lines;
}
