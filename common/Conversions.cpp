#include "Conversions.h"

#include <algorithm>
#include <limits>

namespace common {

namespace {
constexpr double kBelowMin = double(std::numeric_limits<int32_t>::min()) - 1.0;
constexpr double kAboveMax = double(std::numeric_limits<int32_t>::max()) + 1.0;
} // namespace

std::optional<int32_t> truncatedToInt32(double value)
{
    if (!(value > kBelowMin && value < kAboveMax))
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t saturatedToInt32(double value)
{
    if (value != value)
        return 0;
    return static_cast<int32_t>(
        std::clamp(value, double(std::numeric_limits<int32_t>::min()), double(std::numeric_limits<int32_t>::max())));
}

} // namespace common
