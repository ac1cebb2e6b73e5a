#include "tools/career_report.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "orders/course_texts.h"
#include "replay/display_text.h"
#include "replay/replay_texts.h"
#include "tools/json_writer.h"
#include "tools/replay_report.h"

namespace {

// "2025-04-27".
std::string IsoDay(const TZH_date& date) {
    char text[32]; // room for any three 16-bit numbers
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{date.year}, unsigned{date.month},
                  unsigned{date.day});
    return text;
}

// "2025-04".
std::string MonthText(CareerMonth month) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", MonthYear(month), MonthNumber(month));
    return text;
}

void DayJson(JsonWriter& json, const std::optional<TZH_date>& date) {
    if (date)
        json.value(IsoDay(*date));
    else
        json.null();
}

std::string ArmyText(int8_t army) {
    if (const auto name = ArmyName(army)) return std::string(*name);
    return army == RandomArmy ? "random" : "army " + std::to_string(army);
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Games(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " game" : " games");
}

const TZH_replay& FirstFile(const CareerReport& report, uint32_t game) {
    return report.records[report.career.games[game].record];
}

template <typename Each> void EachGameRead(const CareerReport& report, const Each& each) {
    for (uint32_t g = 0; g < report.career.games.size(); ++g)
        if (report.orders[g]) each(g, *report.orders[g]);
}

} // namespace

std::string CareerJson(const CareerReport& report) {
    const Career& career = report.career;
    const CareerOrderFigures figures = TallyOrders(career, report.records, report.orders);
    std::string out;
    {
        JsonWriter json(out);
        json.beginObject();
        json.member("name", DisplayText(career.name));
        json.member("games", career.games.size());
        DayJson(json.key("first"), career.first);
        DayJson(json.key("last"), career.last);
        json.member("seconds", career.seconds);
        json.key("armies").beginArray();
        for (const CareerArmy& army : career.armies)
            json.beginObject()
                .member("army", army.army)
                .member("games", army.games.size())
                .member("random", army.random)
                .endObject();
        json.endArray();
        json.key("maps").beginArray();
        for (const CareerMap& map : career.maps)
            json.beginObject()
                .member("map", DisplayText(map.map))
                .member("games", map.games.size())
                .endObject();
        json.endArray();
        json.key("players").beginArray();
        for (const CareerPlayer& player : career.players) {
            json.beginObject()
                .member("name", DisplayText(player.name))
                .member("with", player.with.size())
                .member("against", player.against.size());
            DayJson(json.key("last"), player.last);
            json.endObject();
        }
        json.endArray();
        json.key("ends")
            .beginObject()
            .member("surrendered", figures.ends.surrendered.size())
            .member("quit", figures.ends.quit.size())
            .member("dropped", figures.ends.dropped.size())
            .member("none", figures.ends.none.size())
            .endObject();
        json.key("gamesPlayed").beginArray();
        EachGameRead(report, [&](uint32_t g, const CareerGameOrders& orders) {
            const TZH_replay& record = FirstFile(report, g);
            json.beginObject().member("path", DisplayText(record.file.path));
            DateJson(json.key("date"), record.date);
            json.member("army", career.games[g].army);
            ApmJson(json.key("apm"), orders.apm);
            LeftJson(json.key("left"), orders.left);
            json.endObject();
        });
        json.endArray();
        json.key("openings").beginArray();
        for (const CareerOpening& opening : figures.openings) {
            json.beginObject().member("army", opening.army);
            json.key("objects").beginArray();
            for (const OpeningPlacement& placement : opening.objects)
                json.value(placement.object);
            json.endArray().key("names").beginArray();
            for (const OpeningPlacement& placement : opening.objects)
                json.value(PlacementName(opening.data, placement));
            json.endArray().member("games", opening.games.size()).endObject();
        }
        json.endArray();
        json.endObject();
    }
    out += '\n';
    return out;
}

std::string CareerLines(const CareerReport& report) {
    const Career& career = report.career;
    const CareerOrderFigures figures = TallyOrders(career, report.records, report.orders);
    const auto seconds = static_cast<int32_t>(std::min<int64_t>(career.seconds, INT32_MAX));
    std::string text = DisplayText(career.name) + ": " + Games(career.games.size());
    if (career.first && career.last)
        text += ", from " + IsoDay(*career.first) + " to " + IsoDay(*career.last);
    text += ", played " + FormatDuration(seconds) + "\n";
    text += "months:\n";
    for (const CareerMonthGames& month : career.months)
        text += "  " + MonthText(month.month) + "  " + Games(month.games.size()) + "\n";
    text += "armies:\n";
    for (const CareerArmy& army : career.armies) {
        const double share = 100.0 * static_cast<double>(army.games.size()) /
                             static_cast<double>(career.games.size());
        text += "  " + ArmyText(army.army) + "  " + Games(army.games.size()) + " (" +
                Fixed(share, 1) + "%)";
        if (army.random) text += ", " + std::to_string(army.random) + " random";
        text += "\n";
    }
    text += "maps:\n";
    for (const CareerMap& map : career.maps)
        text += "  " + DisplayText(map.map) + "  " + Games(map.games.size()) + "\n";
    text += "players:\n";
    for (const CareerPlayer& player : career.players) {
        text += "  " + DisplayText(player.name) + "  with " + std::to_string(player.with.size()) +
                ", against " + std::to_string(player.against.size());
        if (player.last) text += ", last " + IsoDay(*player.last);
        text += "\n";
    }
    const CareerEnds& ends = figures.ends;
    text += "ends: surrendered " + std::to_string(ends.surrendered.size()) + ", quit " +
            std::to_string(ends.quit.size()) + ", dropped " + std::to_string(ends.dropped.size()) +
            ", none " + std::to_string(ends.none.size()) + "\n";
    text += "activity:\n";
    for (std::size_t m = 0; m < career.months.size(); ++m)
        if (figures.monthApm[m])
            text += "  " + MonthText(career.months[m].month) + "  median " +
                    Fixed(*figures.monthApm[m], 1) + " apm\n";
    EachGameRead(report, [&](uint32_t g, const CareerGameOrders& orders) {
        const TZH_replay& record = FirstFile(report, g);
        text += "  ";
        if (record.date) text += IsoDay(*record.date) + "  ";
        text += DisplayText(record.file.name) + ": " + ArmyText(career.games[g].army);
        if (orders.apm) text += ", " + Fixed(*orders.apm, 1) + " apm";
        if (orders.left)
            text += ", left at " + FormatDuration(SecondsAtFrame(orders.left->frame)) + ", " +
                    std::string(LeaveHowName(orders.left->how));
        text += "\n";
    });
    text += "openings:\n";
    for (const CareerOpening& opening : figures.openings) {
        text += "  " + ArmyText(opening.army) + "  ";
        for (std::size_t i = 0; i < opening.objects.size(); ++i)
            text += (i ? ", " : "") + PlacementText(opening.data, opening.objects[i]);
        text += "  " + Games(opening.games.size()) + ", third at " +
                CourseTime(static_cast<uint32_t>(opening.thirdSeconds * FramesPerSecond)) + "\n";
    }
    return text;
}
