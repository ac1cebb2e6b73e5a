// The course of a match for one human player: what his orders say he placed, queued, fired and
// picked, and when. The orders tell what he asked for, never what the game carried out: a
// placed building may never have been finished, a queued unit never trained.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A spot on the map in the game's world coordinates.
struct WorldPoint {
    float x = 0;
    float y = 0;
};

// A building placed by a dozer or worker, or the sneak attack's tunnel (a power that places a
// building: object is then the power's number).
struct PlacedBuilding {
    uint32_t frame = 0;
    uint32_t object = 0; // the object's number in the game's data
    WorldPoint at;
    float angle = 0; // radians
    bool sneakAttack = false;
};

// One queue order; Red Guards come two per order. A cancelled entry keeps its place in the
// list with the frame of the first cancel that hit it.
struct QueuedUnit {
    uint32_t frame = 0;
    uint32_t object = 0;
    std::optional<uint32_t> cancelled;
};

// A general's power fired: at a place (1041), at an object or without a target (no place).
// The sneak attack, which places a tunnel, is among the placed buildings instead.
struct FiredPower {
    uint32_t frame = 0;
    uint32_t power = 0;
    std::optional<WorldPoint> at;
};

struct PickedScience {
    uint32_t frame = 0;
    uint32_t science = 0;
};

// An upgrade queued, or its queueing cancelled.
struct UpgradeOrder {
    uint32_t frame = 0;
    uint32_t key = 0;
    bool cancel = false;
};

struct PlayerCourse {
    std::vector<PlacedBuilding> placed; // in time order, as all lists here
    std::vector<QueuedUnit> queued;
    std::vector<uint32_t> constructionCancels; // frames: which building is not in the file
    std::vector<uint32_t> sales;               // frames
    std::vector<uint32_t> resumed;             // frames of resumed constructions
    std::vector<FiredPower> powers;
    std::vector<PickedScience> sciences;
    std::vector<UpgradeOrder> upgrades;
    std::vector<uint32_t> commandsPerMinute; // commands in each game minute, up to his leaving
                                             // or the end, counted as for actions per minute
};
