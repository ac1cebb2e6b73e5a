#include "orders/order_arguments.h"

#include <cstring>

namespace {

float LittleReal(const unsigned char* at) {
    const uint32_t bits = Little32(at);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

std::optional<float> OrderArguments::real(std::size_t index) const {
    const unsigned char* at = find(ArgumentType::Real, index);
    if (!at) return std::nullopt;
    return LittleReal(at);
}

std::optional<WorldPoint> OrderArguments::location(std::size_t index) const {
    const unsigned char* at = find(ArgumentType::Location, index);
    if (!at) return std::nullopt;
    return WorldPoint{LittleReal(at), LittleReal(at + 4)};
}
