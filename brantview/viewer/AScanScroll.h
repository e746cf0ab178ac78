#pragma once
// The scroll bar of the A-scan record display runs backwards through the file: value 0
// is the last frame, value Max the first.

#include <algorithm>

namespace brantview {

// Max of the scroll bar for `frameCount` frames (at least 1).
constexpr int AScanScrollMax(int frameCount)
{
    return std::max(frameCount - 1, 0);
}

// The frame a fresh load shows: the last of the file.
constexpr int AScanFirstShownFrame(int frameCount)
{
    return AScanScrollMax(frameCount);
}

// The frame index (0 = first of the file) shown at scroll value `value`.
constexpr int AScanFrameOfValue(int max, int value)
{
    return max - std::clamp(value, 0, max);
}

// The scroll value that shows frame `frameIndex`.
constexpr int AScanValueOfFrame(int max, int frameIndex)
{
    return max - std::clamp(frameIndex, 0, max);
}

}  // namespace brantview
