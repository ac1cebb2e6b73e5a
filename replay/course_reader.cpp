#include "replay/course_reader.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "replay/key_index.h"

namespace {

// The game selects each player's command centre at the start without an order; its real id
// shows only when he clicks it. The game's object ids start at 1.
constexpr uint32_t StartCommandCentre = 0;
// The sneak attack places a tunnel where it is fired.
constexpr uint32_t SneakAttackPower = 58;
// Above this many comparisons, a list is looked up through a set instead.
constexpr std::size_t LinearLookUpLimit = 4096;

// Adds the ids list doesn't hold yet, in their order.
void AppendMissing(std::vector<uint32_t>& list, const std::vector<uint32_t>& ids) {
    if (list.size() * ids.size() <= LinearLookUpLimit) {
        for (const uint32_t id : ids)
            if (std::find(list.begin(), list.end(), id) == list.end()) list.push_back(id);
        return;
    }
    std::unordered_set<uint32_t> held(list.begin(), list.end());
    for (const uint32_t id : ids)
        if (held.insert(id).second) list.push_back(id);
}

// Takes out of list every id of sortedIds.
void RemoveAll(std::vector<uint32_t>& list, const std::vector<uint32_t>& sortedIds) {
    std::erase_if(list, [&sortedIds](uint32_t id) {
        return std::binary_search(sortedIds.begin(), sortedIds.end(), id);
    });
}

uint64_t QueueKeyOf(uint32_t producer, uint32_t productionId) {
    return uint64_t{producer} << 32 | productionId;
}

constexpr uint32_t QueuedAtAll = 0;

} // namespace

CourseReader::CourseReader() : selection_{StartCommandCentre} {}

CourseReader::Ids& CourseReader::heldSelection() {
    if (selectionNoted_) {
        selectionNoted_ = false;
        Objects(selecting_, selection_);
    }
    return selection_;
}

inline std::optional<uint32_t> CourseReader::firstSelected() const {
    if (!selectionNoted_) {
        if (selection_.empty()) return std::nullopt;
        return selection_.front();
    }
    if (const auto plain = selecting_.flagThenObjects()) {
        if (plain->count == 0) return std::nullopt;
        return selecting_.object(0);
    }
    std::optional<uint32_t> first;
    selecting_.forEachObject([&first](uint32_t id) {
        if (!first) first = id;
    });
    return first;
}

void CourseReader::Objects(const OrderArguments& arguments, Ids& ids) {
    ids.clear();
    arguments.forEachObject([&ids](uint32_t id) { ids.push_back(id); });
}

void CourseReader::select(uint32_t type, const OrderArguments& arguments) {
    if (type == order::ClearSelection) {
        noteNewSelection(nullptr);
    } else if (type == order::SelectNew || type == order::SelectAdd) {
        if (arguments.boolean(0).value_or(true)) {
            noteNewSelection(&arguments);
        } else {
            Objects(arguments, scratch_);
            AppendMissing(heldSelection(), scratch_);
        }
    } else if (type == order::Deselect) {
        Objects(arguments, scratch_);
        std::sort(scratch_.begin(), scratch_.end());
        RemoveAll(heldSelection(), scratch_);
    } else if (type >= order::FirstGroupSet && type <= order::LastGroupSet) {
        // An object belongs to one group at most.
        Ids& group = groups_[type - order::FirstGroupSet];
        Objects(arguments, group);
        scratch_ = group;
        std::sort(scratch_.begin(), scratch_.end());
        for (Ids& other : groups_)
            if (&other != &group) RemoveAll(other, scratch_);
    } else if (type >= order::FirstGroupRecall && type <= order::LastGroupRecall) {
        selectionNoted_ = false;
        selection_ = groups_[type - order::FirstGroupRecall];
    } else if (type >= order::FirstGroupAdd && type <= order::LastGroupAdd) {
        AppendMissing(heldSelection(), groups_[type - order::FirstGroupAdd]);
    }
}

void CourseReader::queue(uint32_t frame, const OrderArguments& arguments) {
    const std::optional<uint32_t> object = arguments.integer(0);
    if (!object) return;
    // Filled in place: a whole entry built aside and copied is read back before its parts are
    // written, and the processor waits for them.
    QueuedUnit& unit = course_.queued.emplace_back();
    unit.frame = frame;
    unit.object = *object;
    QueueKey& key = queueKeys_.emplace_back();
    const std::optional<uint32_t> productionId = arguments.integer(1);
    const std::optional<uint32_t> producer = firstSelected();
    if (!producer || !productionId) return;
    key.producer = *producer;
    key.productionId = *productionId;
    key.known = true;
}

void CourseReader::cancel(uint32_t frame, const OrderArguments& arguments) {
    const std::optional<uint32_t> productionId = arguments.integer(0);
    const std::optional<uint32_t> selected = firstSelected();
    if (!selected || !productionId) return;
    unitCancels_.push_back(
        UnitCancel{frame, *selected, *productionId, static_cast<uint32_t>(course_.queued.size())});
}

// Each cancel pairs with the latest earlier queue entry of the same producer and production id;
// the producer is the start command centre when the one selected never queued before. An entry
// keeps its first cancel: a quick second click sends a second one before the first has run.
void CourseReader::pairCancels() {
    // The latest queue entry of each producer and production id; production id 0 (the game
    // counts from 1) marks that the producer queued at all.
    KeyIndex entries(2 * unitCancels_.back().queuedBefore);
    std::optional<uint32_t> lastProducer; // marked already
    uint32_t indexed = 0;
    for (const UnitCancel& unitCancel : unitCancels_) {
        for (; indexed < unitCancel.queuedBefore; ++indexed) {
            const QueueKey& key = queueKeys_[indexed];
            if (!key.known) continue;
            if (lastProducer != key.producer) {
                entries.put(QueueKeyOf(key.producer, QueuedAtAll), 0);
                lastProducer = key.producer;
            }
            entries.put(QueueKeyOf(key.producer, key.productionId), indexed);
        }
        const uint32_t producer = entries.get(QueueKeyOf(unitCancel.selected, QueuedAtAll))
                                      ? unitCancel.selected
                                      : StartCommandCentre;
        const std::optional<uint32_t> entry =
            entries.get(QueueKeyOf(producer, unitCancel.productionId));
        if (!entry || unitCancel.productionId == QueuedAtAll) continue;
        std::optional<uint32_t>& cancelled = course_.queued[*entry].cancelled;
        if (!cancelled) cancelled = unitCancel.frame;
    }
}

PlayerCourse CourseReader::finish() && {
    if (!unitCancels_.empty()) pairCancels();
    return std::move(course_);
}

void CourseReader::place(uint32_t frame, const OrderArguments& arguments, uint32_t type) {
    const std::optional<uint32_t> number = arguments.integer(0);
    const std::optional<WorldPoint> at = arguments.location(0);
    if (!number || !at) return;
    const bool sneakAttack = type == order::PowerAtLocation;
    course_.placed.push_back(
        PlacedBuilding{frame, *number, *at, arguments.real(0).value_or(0), sneakAttack});
}

void CourseReader::take(uint32_t frame, uint32_t type, const OrderArguments& arguments) {
    if (type <= order::LastGroupAdd) {
        select(type, arguments);
        return;
    }
    switch (type) {
    case order::PowerAtLocation:
        if (arguments.integer(0) == SneakAttackPower) {
            place(frame, arguments, type);
            return;
        }
        [[fallthrough]];
    case order::PowerWithoutTarget:
    case order::PowerAtObject:
        if (const auto power = arguments.integer(0)) {
            const std::optional<WorldPoint> at =
                type == order::PowerAtLocation ? arguments.location(0) : std::nullopt;
            course_.powers.push_back(FiredPower{frame, *power, at});
        }
        return;
    case order::PickScience:
        if (const auto science = arguments.integer(0))
            course_.sciences.push_back(PickedScience{frame, *science});
        return;
    case order::QueueUpgrade:
    case order::CancelUpgrade:
        if (const auto key = arguments.integer(0))
            course_.upgrades.push_back(UpgradeOrder{frame, *key, type == order::CancelUpgrade});
        return;
    case order::QueueUnit:
        queue(frame, arguments);
        return;
    case order::CancelUnit:
        cancel(frame, arguments);
        return;
    case order::PlaceBuilding:
        place(frame, arguments, type);
        return;
    case order::CancelConstruction:
        course_.constructionCancels.push_back(frame);
        return;
    case order::Sell:
        course_.sales.push_back(frame);
        return;
    case order::ResumeConstruction:
        course_.resumed.push_back(frame);
        return;
    default:
        return;
    }
}
