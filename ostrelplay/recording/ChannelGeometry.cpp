#include "ChannelGeometry.h"

#include "StdErrors.h"
#include "StdFormat.h"
#include "common/Conversions.h"

#include <algorithm>
#include <cmath>

namespace ChannelGeometry {

namespace {

constexpr TDataHeight kNormalBands[5] = {
    {{0, 84, 126, 198, 224, 140}},
    {{0, 84, 126, 210, 236, 152}},
    {{0, 96, 144, 242, 272, 176}},
    {{0, 96, 144, 242, 272, 176}},
    {{0, 96, 144, 242, 272, 176}},
};
constexpr TDataHeight kCollapsedBands[5] = {
    {{0, 84, 84, 156, 182, 140}},
    {{0, 84, 84, 168, 194, 152}},
    {{0, 96, 96, 194, 224, 176}},
    {{0, 96, 96, 194, 224, 176}},
    {{0, 96, 96, 194, 224, 176}},
};

// Rail types 0/1 share one row of each table, 2/3 the other; "Auto" uses 2/3.
constexpr double kDepthDivisor[2][9] = {
    {10.6779, 8.5423, 10.6779, 5.0, 5.0, 4.0, 10.6779, 8.5423, 10.6779},
    {8.5423, 8.5423, 8.5423, 4.0, 4.0, 3.2, 8.5423, 8.5423, 8.5423},
};
constexpr int kHorizontalFactor[9] = {-3077, -3077, -3077, -753, 753, 0, 3077, 3077, 3077};
constexpr int32_t kDepthLimit[2][9] = {
    {64, 64, 64, 144, 144, 144, 64, 64, 64},
    {72, 72, 72, 144, 144, 144, 72, 72, 72},
};

int tableRow(int railType)
{
    return StdFormat::railRow(railType) <= 1 ? 0 : 1;
}

int32_t truncated(double value)
{
    const std::optional<int32_t> whole = common::truncatedToInt32(value);
    if (!whole)
        throw StdDataError(QStringLiteral("回波位置超出范围"));
    return *whole;
}

} // namespace

TDataHeight bandHeights(int railType, bool collapsed)
{
    const int r = std::clamp(railType, 0, 4);
    return collapsed ? kCollapsedBands[r] : kNormalBands[r];
}

int32_t collapsedDepth(const TDataHeight &bands, bool collapsed)
{
    return collapsed ? bands[1] / 2 : 0;
}

int32_t depthLimit(int railType, int channel)
{
    if (channel < 0 || channel > 8)
        return 0;
    return kDepthLimit[tableRow(railType)][channel];
}

TPos echoPosition(int channel, int railType, int data1, int data2, int startPoint, float range)
{
    TPos pos{0, 0, 0, 0};
    if (channel < 0 || channel > 8)
        return pos;
    const double q = kDepthDivisor[tableRow(railType)][channel];
    const double h = kHorizontalFactor[channel];
    const double r = range;
    if (channel == 5) {
        pos.xs = pos.xe = startPoint;
        pos.ys = truncated(data1 / q * r / 250);
        pos.ye = truncated(data2 / q * r / 250);
        return pos;
    }
    const double p1 = data1 / q;
    const double p2 = data2 / q;
    pos.xs = truncated(startPoint + p1 * 2 * h * r / 250 / 1000);
    pos.ys = truncated(p1 * r / 250);
    pos.xe = truncated(startPoint + p2 * 2 * h * r / 250 / 1000);
    pos.ye = truncated(p2 * r / 250);
    return pos;
}

} // namespace ChannelGeometry
