#include "orders/player_selection.h"

#include <algorithm>
#include <numeric>

uint32_t PlayerSelection::Setting::held(uint32_t position) {
    // Each step halves the path, so that runs of objects that left are crossed once.
    while (nextHeld[position] != position) {
        nextHeld[position] = nextHeld[nextHeld[position]];
        position = nextHeld[position];
    }
    return position;
}

void PlayerSelection::Setting::leave(uint32_t position) {
    nextHeld[position] = position + 1;
}

PlayerSelection::PlayerSelection() : objects_{StartCommandCentre} {
    runs_.push_back(Run{nullptr, 0, 1});
}

void PlayerSelection::startSelection() {
    ++selection_;
    runs_.clear();
    objects_.clear();
    deselected_.clear();
    firstRun_ = 0;
    firstPosition_ = 0;
}

void PlayerSelection::readNoted() {
    if (!isNoted_) return;
    isNoted_ = false;
    startSelection();
    append(noted_);
}

PlayerSelection::ObjectState& PlayerSelection::stateOf(uint32_t object) {
    const uint32_t at = objectIndex_.getOrPut(object, static_cast<uint32_t>(states_.size()));
    if (at == states_.size()) states_.emplace_back();
    return states_[at];
}

// An object deselected joins again in a later run only: an earlier run that holds it has lost
// it, a later one still holds it.
bool PlayerSelection::deselectedFrom(uint32_t object, std::size_t run) const {
    if (deselected_.empty()) return false;
    const std::optional<uint32_t> at = objectIndex_.get(object);
    if (!at) return false;
    const ObjectState& state = states_[*at];
    return state.deselectedIn == selection_ && run < state.deselectedBefore;
}

// Objects added join after those held, each where it first joins: an object held already, or
// met twice, adds a later place of it that never comes first.
void PlayerSelection::append(const OrderArguments& arguments) {
    const auto begin = static_cast<uint32_t>(objects_.size());
    arguments.forEachObject([this](uint32_t id) { objects_.push_back(id); });
    const auto end = static_cast<uint32_t>(objects_.size());
    if (end > begin) runs_.push_back(Run{nullptr, begin, end});
}

void PlayerSelection::deselect(const OrderArguments& arguments) {
    arguments.forEachObject([this](uint32_t id) {
        ObjectState& state = stateOf(id);
        state.deselectedIn = selection_;
        state.deselectedBefore = static_cast<uint32_t>(runs_.size());
        deselected_.push_back(id);
    });
}

// An object belongs to one group at most: those of the order leave the group that held them.
void PlayerSelection::setGroup(uint8_t group, const OrderArguments& arguments) {
    auto setting = std::make_shared<Setting>(++settings_);
    arguments.forEachObject([&](uint32_t id) {
        ObjectState& state = stateOf(id);
        if (state.setting == setting->serial) return; // twice in the order
        if (state.group != NoGroup && state.group != group) {
            const std::shared_ptr<Setting>& left = groups_[state.group];
            if (left->serial == state.setting) {
                // A selection that took the whole group before keeps the object.
                if (left->selection == selection_ && !isNoted_)
                    left->leftSince.push_back(state.position);
                else
                    left->leave(state.position);
            }
        }
        state.group = group;
        state.setting = setting->serial;
        state.position = static_cast<uint32_t>(setting->objects.size());
        setting->objects.push_back(id);
    });
    setting->nextHeld.resize(setting->objects.size() + 1);
    std::iota(setting->nextHeld.begin(), setting->nextHeld.end(), 0u);
    groups_[group] = std::move(setting);
}

void PlayerSelection::addGroup(uint8_t group) {
    Setting* const setting = groups_[group].get();
    if (!setting) return;
    if (setting->selection != selection_) {
        // Whole, as a run: those that left it before now are skipped from here on.
        for (const uint32_t position : setting->leftSince)
            setting->leave(position);
        setting->leftSince.clear();
        setting->selection = selection_;
        setting->addedUpTo = deselected_.size();
        runs_.push_back(Run{groups_[group], 0, static_cast<uint32_t>(setting->objects.size())});
        return;
    }
    // Taken whole into this selection before: of its objects, only those deselected since can
    // be missing, and those that still belong to it join again, in its order.
    scratch_.clear();
    for (std::size_t i = setting->addedUpTo; i < deselected_.size(); ++i) {
        const ObjectState& state = stateOf(deselected_[i]);
        if (state.group == group && state.setting == setting->serial)
            scratch_.emplace_back(state.position, deselected_[i]);
    }
    setting->addedUpTo = deselected_.size();
    std::sort(scratch_.begin(), scratch_.end());
    const auto begin = static_cast<uint32_t>(objects_.size());
    for (std::size_t i = 0; i < scratch_.size(); ++i)
        if (i == 0 || scratch_[i].first != scratch_[i - 1].first)
            objects_.push_back(scratch_[i].second);
    const auto end = static_cast<uint32_t>(objects_.size());
    if (end > begin) runs_.push_back(Run{nullptr, begin, end});
}

void PlayerSelection::take(uint32_t type, const OrderArguments& arguments) {
    if (type == order::ClearSelection) {
        noteNew(nullptr);
    } else if (type == order::SelectNew || type == order::SelectAdd) {
        if (arguments.boolean(0).value_or(true)) {
            noteNew(&arguments);
        } else {
            readNoted();
            append(arguments);
        }
    } else if (type == order::Deselect) {
        readNoted();
        deselect(arguments);
    } else if (type >= order::FirstGroupSet && type <= order::LastGroupSet) {
        setGroup(static_cast<uint8_t>(type - order::FirstGroupSet), arguments);
    } else if (type >= order::FirstGroupRecall && type <= order::LastGroupRecall) {
        isNoted_ = false;
        startSelection();
        addGroup(static_cast<uint8_t>(type - order::FirstGroupRecall));
    } else if (type >= order::FirstGroupAdd && type <= order::LastGroupAdd) {
        readNoted();
        addGroup(static_cast<uint8_t>(type - order::FirstGroupAdd));
    }
}

// The first place, from where the first object was found, whose object the selection still
// holds: a place passed never holds one again, so each is passed once.
std::optional<uint32_t> PlayerSelection::first() {
    if (isNoted_) {
        if (const auto plain = noted_.flagThenObjects()) {
            if (plain->count == 0) return std::nullopt;
            return noted_.object(0);
        }
        readNoted();
    }
    for (; firstRun_ < runs_.size(); ++firstRun_, firstPosition_ = 0) {
        const Run& run = runs_[firstRun_];
        const std::vector<uint32_t>& objects = run.setting ? run.setting->objects : objects_;
        uint32_t at = std::max(firstPosition_, run.begin);
        for (;; ++at) {
            if (run.setting) at = run.setting->held(at);
            if (at >= run.end) break;
            if (!deselectedFrom(objects[at], firstRun_)) {
                firstPosition_ = at;
                return objects[at];
            }
        }
    }
    return std::nullopt;
}
