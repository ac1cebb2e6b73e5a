#include "replay/start_spots.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

#include "replay/random_picks.h"

namespace {

constexpr int8_t Unknown = -1;
// The game counts a spot whose waypoint the map lacks as this far from any other.
constexpr float MissingSpotDistance = 1000000.0f;
// The game draws until a spot fits; a hostile record (observers holding every spot) could make
// that endless. The real generator settles within a few draws.
constexpr int MaxSpotDraws = 1000;
// Teams index a table of one entry per slot.
constexpr int TeamCount = static_cast<int>(MaxStartSpots);

// Spots, slots and teams are small signed numbers here, as in the game.
template <typename Table> auto& At(Table& table, int i) {
    return table[static_cast<std::size_t>(i)];
}

// The placement as the game runs it over its slots, in 32-bit floats.
class Placement {
public:
    Placement(const TZH_replay& replay, const MapSpots& spots)
        : players_(replay.players), count_(static_cast<int>(spots.size())),
          slots_(std::min(players_.size(), MaxStartSpots)) {
        for (int a = 0; a < count_; ++a)
            for (int b = 0; b < count_; ++b)
                At(At(distance_, a), b) = a == b ? 0.0f : Distance(At(spots, a), At(spots, b));
        for (std::size_t i = 0; i < slots_; ++i)
            held_[i] = std::max<int8_t>(static_cast<int8_t>(players_[i].slotValue3), Unknown);
        for (int s = 0; s < static_cast<int>(MaxStartSpots); ++s)
            At(taken_, s) = s >= count_;
    }

    // Spots of the slots, in the record's order: -1 where none could be given.
    const std::array<int8_t, MaxStartSpots>& place(LogicRandom& random) {
        bool chosen = takeFixedSpots();
        std::array<int, MaxStartSpots> teamSpot;
        teamSpot.fill(Unknown);
        for (std::size_t i = 0; i < slots_; ++i) {
            if (observer(i) || (held_[i] >= 0 && held_[i] < count_)) continue;
            const int team = players_[i].team;
            const bool hasTeam = team >= 0 && team < TeamCount;
            int spot = Unknown;
            if (!chosen) {
                spot = draw(random, false);
                chosen = spot != Unknown;
            } else if (hasTeam && At(teamSpot, team) != Unknown) {
                spot = closestFreeTo(At(teamSpot, team));
            } else {
                spot = farthestFree();
            }
            // A fixed spot beyond the map's ones is given up, like the game's.
            held_[i] = static_cast<int8_t>(spot);
            if (spot == Unknown) continue;
            At(taken_, spot) = true;
            // Only a spot the game picked for a team is remembered for its later members.
            if (hasTeam && At(teamSpot, team) == Unknown) At(teamSpot, team) = spot;
        }
        placeObservers(random);
        return held_;
    }

private:
    static float Distance(const std::optional<MapPoint>& a, const std::optional<MapPoint>& b) {
        if (!a || !b) return MissingSpotDistance;
        const float dx = a->x - b->x;
        const float dy = a->y - b->y;
        return std::sqrt(dx * dx + dy * dy);
    }

    bool observer(std::size_t i) const { return players_[i].army == ObserverArmy; }

    bool heldBySomeSlot(int spot) const {
        return std::find(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(slots_),
                         spot) != held_.begin() + static_cast<std::ptrdiff_t>(slots_);
    }

    // Fixed spots first; any fixed spot, even one the map lacks, means a spot was chosen.
    bool takeFixedSpots() {
        bool chosen = false;
        for (std::size_t i = 0; i < slots_; ++i) {
            if (observer(i) || held_[i] < 0) continue;
            chosen = true;
            if (held_[i] < static_cast<int>(MaxStartSpots)) At(taken_, held_[i]) = true;
        }
        return chosen;
    }

    // A spot no slot holds (free) or, for an observer, one some slot holds.
    int draw(LogicRandom& random, bool wantHeld) const {
        for (int k = 0; k < MaxSpotDraws; ++k) {
            const int spot = static_cast<int>(random.between(0, static_cast<uint32_t>(count_ - 1)));
            if (heldBySomeSlot(spot) == wantHeld) return spot;
        }
        return Unknown;
    }

    // The free spot nearest to a team-mate's; the lowest number wins a tie. When none is free
    // the game falls back on spot 0, and so does this.
    int closestFreeTo(int mate) const {
        float closest = FLT_MAX;
        int best = 0;
        for (int s = 0; s < count_; ++s)
            if (!At(taken_, s) && At(At(distance_, mate), s) < closest) {
                closest = At(At(distance_, mate), s);
                best = s;
            }
        return best;
    }

    // The free spot whose summed distance to the taken ones is largest; the lowest number wins
    // a tie. Unknown when every spot is taken.
    int farthestFree() const {
        float farthest = 0.0f;
        int best = Unknown;
        for (int s = 0; s < count_; ++s) {
            if (At(taken_, s)) continue;
            float sum = 0.0f;
            for (int t = 0; t < count_; ++t)
                if (At(taken_, t) && t != s) sum += At(At(distance_, s), t);
            if (best == Unknown || sum > farthest) {
                farthest = sum;
                best = s;
            }
        }
        return best;
    }

    // Observers watch from a player's spot, drawn; with no player at all, from spot 0.
    void placeObservers(LogicRandom& random) {
        bool anyPlayer = false;
        for (std::size_t i = 0; i < slots_; ++i)
            anyPlayer = anyPlayer || !observer(i);
        for (std::size_t i = 0; i < slots_; ++i)
            if (observer(i)) held_[i] = static_cast<int8_t>(anyPlayer ? draw(random, true) : 0);
    }

    const std::vector<TZH_player>& players_;
    int count_;
    std::size_t slots_;
    std::array<std::array<float, MaxStartSpots>, MaxStartSpots> distance_{};
    std::array<int8_t, MaxStartSpots> held_{}; // each slot's spot as the game sees it so far
    std::array<bool, MaxStartSpots> taken_{};
};

} // namespace

std::vector<PlayerStart> ResolveStartSpots(const TZH_replay& replay, const MapSpots* spots) {
    std::vector<PlayerStart> starts(replay.players.size());
    if (!replay.valid) return starts;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const TZH_player& p = replay.players[i];
        const auto stored = static_cast<int8_t>(p.slotValue3);
        starts[i].random = p.army == ObserverArmy || stored < 0;
        if (!starts[i].random) starts[i].spot = stored;
    }
    const bool usable = spots && !spots->empty() && spots->size() <= MaxStartSpots;
    if (!usable || !replay.seed) return starts;
    LogicRandom random = RandomAfterPicks(replay.players, *replay.seed, replay.vanilla);
    const auto placed = Placement(replay, *spots).place(random);
    for (std::size_t i = 0; i < std::min(starts.size(), MaxStartSpots); ++i)
        starts[i].spot = placed[i];
    return starts;
}
