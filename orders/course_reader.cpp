#include "orders/course_reader.h"

#include <optional>

#include "orders/key_index.h"

namespace {

// The sneak attack places a tunnel where it is fired.
constexpr uint32_t SneakAttackPower = 58;

uint64_t QueueKeyOf(uint32_t producer, uint32_t productionId) {
    return uint64_t{producer} << 32 | productionId;
}

constexpr uint32_t QueuedAtAll = 0;

} // namespace

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
    const std::optional<uint32_t> producer = selection_.first();
    if (!producer || !productionId) return;
    key.producer = *producer;
    key.productionId = *productionId;
    key.known = true;
}

void CourseReader::cancel(uint32_t frame, const OrderArguments& arguments) {
    const std::optional<uint32_t> productionId = arguments.integer(0);
    const std::optional<uint32_t> selected = selection_.first();
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
                                      : PlayerSelection::StartCommandCentre;
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
        selection_.take(type, arguments);
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
