#include "career/career.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "orders/match.h"

namespace {

auto DateFields(const TZH_date& d) {
    return std::tie(d.year, d.month, d.day, d.hour, d.minute, d.second, d.milliseconds);
}

bool SameDate(const std::optional<TZH_date>& a, const std::optional<TZH_date>& b) {
    if (!a || !b) return !a && !b;
    return DateFields(*a) == DateFields(*b) && a->dayOfWeek == b->dayOfWeek;
}

bool SameSeat(const TZH_player& a, const TZH_player& b) {
    return a.name == b.name && a.human == b.human && a.army == b.army &&
           a.slotValue1 == b.slotValue1 && a.team == b.team && a.slotValue3 == b.slotValue3;
}

// A hash of what SameMatch compares, so that only likely copies are compared whole.
uint64_t MatchHash(const TZH_replay& r) {
    uint64_t hash = r.seed.value_or(0);
    const auto mix = [&hash](uint64_t value) {
        hash ^= value + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2);
    };
    if (r.date) {
        const TZH_date& d = *r.date;
        mix(uint64_t{d.year} << 48 | uint64_t{d.month} << 40 | uint64_t{d.day} << 32 |
            uint64_t{d.hour} << 24 | uint64_t{d.minute} << 16 | uint64_t{d.second} << 10 |
            d.milliseconds);
    }
    for (const TZH_player& p : r.players)
        mix(std::hash<std::string_view>{}(p.name));
    return hash;
}

void KeepLater(std::optional<TZH_date>& last, const std::optional<TZH_date>& date) {
    if (date && (!last || EarlierDate(*last, *date))) last = date;
}

void KeepEarlier(std::optional<TZH_date>& first, const std::optional<TZH_date>& date) {
    if (date && (!first || EarlierDate(*date, *first))) first = date;
}

// Most games first, then by key.
template <typename Figure, typename Count, typename Key>
void SortFigures(std::vector<Figure>& figures, const Count& count, const Key& key) {
    std::sort(figures.begin(), figures.end(), [&](const Figure& a, const Figure& b) {
        const std::size_t ca = count(a), cb = count(b);
        if (ca != cb) return ca > cb;
        return key(a) < key(b);
    });
}

void TallyMonths(Career& career, const std::vector<TZH_replay>& records) {
    if (!career.first || !career.last) return;
    const CareerMonth first = MonthOf(*career.first);
    career.months.resize(static_cast<std::size_t>(MonthOf(*career.last) - first + 1));
    for (std::size_t m = 0; m < career.months.size(); ++m)
        career.months[m].month = first + static_cast<CareerMonth>(m);
    for (uint32_t g = 0; g < career.games.size(); ++g)
        if (const auto& date = records[career.games[g].record].date)
            career.months[static_cast<std::size_t>(MonthOf(*date) - first)].games.push_back(g);
}

void TallyArmies(Career& career) {
    std::array<int, 256> at{}; // index + 1 in armies, by the army's byte
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        const CareerGame& game = career.games[g];
        int& index = at[static_cast<uint8_t>(game.army)];
        if (index == 0) {
            career.armies.push_back({game.army, {}, 0});
            index = static_cast<int>(career.armies.size());
        }
        CareerArmy& army = career.armies[static_cast<std::size_t>(index - 1)];
        army.games.push_back(g);
        army.random += game.armyRandom ? 1 : 0;
    }
    SortFigures(
        career.armies, [](const CareerArmy& a) { return a.games.size(); },
        [](const CareerArmy& a) { return a.army; });
}

void TallyMaps(Career& career, const std::vector<TZH_replay>& records) {
    std::unordered_map<std::string_view, std::size_t> at;
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        const Text& map = records[career.games[g].record].map.name;
        const auto [it, added] = at.try_emplace(map, career.maps.size());
        if (added) career.maps.push_back({map, {}});
        career.maps[it->second].games.push_back(g);
    }
    SortFigures(
        career.maps, [](const CareerMap& m) { return m.games.size(); },
        [](const CareerMap& m) -> const Text& { return m.map; });
}

void TallyPlayers(Career& career, const std::vector<TZH_replay>& records) {
    std::unordered_map<std::string_view, std::size_t> at;
    std::vector<std::string_view> met; // in this game: each name once
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        const CareerGame& game = career.games[g];
        const TZH_replay& record = records[game.record];
        const int8_t team = record.players[game.seat].team;
        met.clear();
        for (std::size_t i = 0; i < record.players.size(); ++i) {
            const TZH_player& other = record.players[i];
            if (i == game.seat || !PlaysTheMatch(other) ||
                std::find(met.begin(), met.end(), other.name) != met.end())
                continue;
            met.push_back(other.name);
            const auto [it, added] = at.try_emplace(other.name, career.players.size());
            if (added) career.players.push_back({other.name, {}, {}, {}});
            CareerPlayer& player = career.players[it->second];
            const bool with = team != NoTeam && other.team == team;
            (with ? player.with : player.against).push_back(g);
            KeepLater(player.last, record.date);
        }
    }
    SortFigures(
        career.players, [](const CareerPlayer& p) { return p.with.size() + p.against.size(); },
        [](const CareerPlayer& p) -> const Text& { return p.name; });
}

} // namespace

std::optional<std::size_t> CareerSeat(const TZH_replay& record, std::string_view name) {
    if (!record.valid) return std::nullopt;
    for (std::size_t i = 0; i < record.players.size(); ++i)
        if (PlaysTheMatch(record.players[i]) && record.players[i].name == name) return i;
    return std::nullopt;
}

CareerMonth MonthOf(const TZH_date& date) {
    return static_cast<CareerMonth>(date.year) * 12 + date.month - 1;
}

int MonthYear(CareerMonth month) {
    return month / 12;
}

int MonthNumber(CareerMonth month) {
    return month % 12 + 1;
}

bool EarlierDate(const TZH_date& a, const TZH_date& b) {
    return DateFields(a) < DateFields(b);
}

bool SameMatch(const TZH_replay& a, const TZH_replay& b) {
    return a.seed == b.seed && SameDate(a.date, b.date) &&
           std::equal(a.players.begin(), a.players.end(), b.players.begin(), b.players.end(),
                      SameSeat);
}

CareerGames CareerPlayer::games() const {
    CareerGames all;
    all.reserve(with.size() + against.size());
    std::set_union(with.begin(), with.end(), against.begin(), against.end(),
                   std::back_inserter(all));
    return all;
}

Career TallyCareer(const std::vector<TZH_replay>& records, std::string_view name) {
    Career career;
    career.name = Text(name);
    std::unordered_multimap<uint64_t, uint32_t> byHash; // a match's hash -> its game
    for (std::size_t r = 0; r < records.size(); ++r) {
        const TZH_replay& record = records[r];
        const std::optional<std::size_t> seat = CareerSeat(record, name);
        if (!seat) continue;
        const uint64_t hash = MatchHash(record);
        const auto [from, to] = byHash.equal_range(hash);
        const auto copied = std::find_if(from, to, [&](const auto& entry) {
            return SameMatch(records[career.games[entry.second].record], record);
        });
        if (copied != to) {
            career.games[copied->second].copies.push_back(r);
            continue;
        }
        const TZH_player& him = record.players[*seat];
        byHash.emplace(hash, static_cast<uint32_t>(career.games.size()));
        career.games.push_back(
            {r, {}, static_cast<uint8_t>(*seat), him.armyResolved, him.armyRandom});
        KeepEarlier(career.first, record.date);
        KeepLater(career.last, record.date);
        career.seconds += record.duration;
    }
    TallyMonths(career, records);
    TallyArmies(career);
    TallyMaps(career, records);
    TallyPlayers(career, records);
    return career;
}

std::vector<std::size_t> CareerFiles(const Career& career, const CareerGames& games) {
    std::vector<std::size_t> files;
    for (const uint32_t g : games) {
        files.push_back(career.games[g].record);
        files.insert(files.end(), career.games[g].copies.begin(), career.games[g].copies.end());
    }
    std::sort(files.begin(), files.end());
    return files;
}
