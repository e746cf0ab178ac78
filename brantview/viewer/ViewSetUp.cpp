#include "ViewSetUp.h"

#include "recording/ParamsInEffect.h"

#include "common/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace brantview {

ScrollRange ScrollRangeOf(const RecordingSlot &slot)
{
    // Past 32767 units of 340 Steps each unit takes more Steps: the bar keeps its length.
    const double last = double(LastViewPosition(slot));
    ScrollRange range;
    range.ScrollScale = ScrollScale(slot);
    range.Min = last / 340.0 <= 32767.0 ? int32_t(std::floor(last / -340.0)) : -32767;
    return range;
}

int32_t ScrollValueOf(int64_t viewStart, const ScrollRange &range)
{
    const double value = std::nearbyint(double(viewStart) / double(range.ScrollScale));
    return int32_t(std::clamp(value, double(range.Min), double(range.Max)));
}

int32_t ViewStartOfScrollValue(int32_t value, const ScrollRange &range)
{
    return value * range.ScrollScale;
}

QString ViewPositionText(int64_t viewStart)
{
    return common::formatPattern(std::floor(double(viewStart) * NominalStepM), u"###0+##0") + QStringLiteral("M");
}

int32_t StepBarMaximum(int R)
{
    return std::max(R - 150, SettingRanges::Step.min);
}

ViewSetUp SetUpView(RecordingSlot &slot, int slotIndex, ViewSetUpKind kind, int R, int offsetSelection,
                    OffsetTable &offsetTable, ChannelValues &channelOffsets)
{
    ViewSetUp shown;
    shown.caption = QStringLiteral("B超探伤---") + slot.FileName;
    shown.slotCaption = slotIndex == 0 ? QStringLiteral("文件1") : QStringLiteral("文件2");
    shown.scroll = ScrollRangeOf(slot);
    if (kind == ViewSetUpKind::FreshLoad)
        slot.ViewStart = shown.scroll.ScrollScale;
    slot.CurrentColumn = CurrentColumnOf(slot);
    shown.scrollValue = ScrollValueOf(slot.ViewStart, shown.scroll);
    shown.Text_dis = ViewPositionText(slot.ViewStart);
    shown.stepBarMaximum = StepBarMaximum(R);

    TakeParamsInEffect(slot);
    const ParamEntry *params = ParamsInEffect(slot);
    const int64_t serialKey = (params ? paramBlockOf(*params) : ParamBlock{}).serialKey();
    shown.offsetTableDue = SelectChannelOffsets(offsetTable, serialKey, offsetSelection, channelOffsets);
    return shown;
}

} // namespace brantview
