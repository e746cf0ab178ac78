#include "NavigationDrag.h"

#include "recording/ParamsInEffect.h"

#include <cmath>

namespace brantview {

std::optional<int32_t> DraggedViewStart(const RecordingSlot &slot, double x, double dragAnchorX)
{
    const double n = std::nearbyint(double(slot.ViewStart) + x - dragAnchorX);
    if (n <= -300 || n >= double(LastViewPosition(slot)))
        return std::nullopt;
    return int32_t(n);
}

bool DragView(RecordingSlot &slot, double x, double dragAnchorX)
{
    const std::optional<int32_t> n = DraggedViewStart(slot, x, dragAnchorX);
    if (!n)
        return false;
    slot.ViewStart = *n;
    slot.CurrentColumn = CurrentColumnOf(slot);
    return true;
}

} // namespace brantview
