#pragma once
// Real values made whole numbers the way the recordings' software does it:
// truncated toward zero. Values from damaged files can be anything, so every
// conversion says what happens outside the range of an int. Inline: the drawing
// converts every echo position of every frame.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace common {

// Truncated toward zero when that fits an int32; nothing otherwise (NaN included).
inline std::optional<int32_t> truncatedToInt32(double value)
{
    constexpr double belowMin = double(std::numeric_limits<int32_t>::min()) - 1.0;
    constexpr double aboveMax = double(std::numeric_limits<int32_t>::max()) + 1.0;
    if (!(value > belowMin && value < aboveMax))
        return std::nullopt;
    return static_cast<int32_t>(value);
}

// Truncated toward zero, held within int32; NaN gives 0. For positions that are
// clipped to a picture anyway.
inline int32_t saturatedToInt32(double value)
{
    if (value != value)
        return 0;
    return static_cast<int32_t>(
        std::clamp(value, double(std::numeric_limits<int32_t>::min()), double(std::numeric_limits<int32_t>::max())));
}

} // namespace common
