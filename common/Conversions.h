#pragma once
// Real values made whole numbers the way the recordings' software does it:
// truncated toward zero. Values from damaged files can be anything, so every
// conversion says what happens outside the range of an int.

#include <cstdint>
#include <optional>

namespace common {

// Truncated toward zero when that fits an int32; nothing otherwise (NaN included).
std::optional<int32_t> truncatedToInt32(double value);

// Truncated toward zero, held within int32; NaN gives 0. For positions that are
// clipped to a picture anyway.
int32_t saturatedToInt32(double value);

} // namespace common
