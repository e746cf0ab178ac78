#include "SynthEchoes.h"

#include "recording/ChannelGeometry.h"

#include <cmath>

namespace {

constexpr bool looksForward(int channel)
{
    return channel <= 3;
}

int64_t halfDown(int64_t value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

} // namespace

EchoPlacer::EchoPlacer(const TSYSTEMPARA &para, int64_t firstRow, int railTypeBefore, int railTypeAfter,
                       int64_t switchRow)
    : m_firstRow(firstRow), m_railTypeBefore(railTypeBefore), m_railTypeAfter(railTypeAfter), m_switchRow(switchRow)
{
    // Drawn depth is twice the geometry's Y; measuring Y for a large datum gives the
    // data per millimetre without a second copy of the channel tables.
    constexpr int probe = 100000;
    for (int c = 0; c < 9; ++c) {
        m_probe[c] = para.m_StartPoint[c] + 100;
        m_range[c] = para.m_Range[c];
        for (int r = 0; r < 5; ++r) {
            const TPos pos = ChannelGeometry::echoPosition(c, r, probe, probe, 0, m_range[c]);
            m_dataPerDepth[r][c] = pos.ys > 0 ? probe / (2.0 * pos.ys) : 0.0;
        }
    }
}

int EchoPlacer::railTypeAt(int64_t row) const
{
    return m_switchRow >= 0 && row >= m_switchRow ? m_railTypeAfter : m_railTypeBefore;
}

int EchoPlacer::railTypeAtRail(int64_t railMm) const
{
    return railTypeAt(halfDown(railMm) - m_firstRow);
}

int32_t EchoPlacer::railHeight(int railType) const
{
    return ChannelGeometry::bandHeights(railType, false)[5];
}

int32_t EchoPlacer::boltHoleDepth(int railType) const
{
    return railHeight(railType) * 14 / 25;
}

int32_t EchoPlacer::headDepthLimit(int railType) const
{
    return ChannelGeometry::depthLimit(railType, 0);
}

int32_t EchoPlacer::backEchoData(int railType) const
{
    const TDataHeight bands = ChannelGeometry::bandHeights(railType, false);
    const int32_t drawnAt = bands[3] + (bands[4] - bands[3]) * 3 / 5;
    return int32_t(dataForDepth(5, railType, drawnAt - bands[1]));
}

double EchoPlacer::dataForDepth(int channel, int railType, double depth) const
{
    return depth * m_dataPerDepth[railType][channel];
}

int64_t EchoPlacer::rowOverRail(int64_t railMm) const
{
    return halfDown(railMm + m_probe[5]) - m_firstRow;
}

void EchoPlacer::addReflector(std::vector<EchoTrace> &out, int channel, int64_t railMm, double depth, int halfRows,
                              double depthPerRow, int length) const
{
    const int railType = railTypeAtRail(railMm);
    const double centre = dataForDepth(channel, railType, depth);
    const int displacement =
        ChannelGeometry::echoPosition(channel, railType, int(centre), int(centre), 0, m_range[channel]).xs;
    const int64_t row = halfDown(railMm + m_probe[channel] + displacement) - m_firstRow;
    const double step =
        (looksForward(channel) ? -depthPerRow : depthPerRow) * m_dataPerDepth[railType][channel];
    EchoTrace trace;
    trace.first = row - halfRows;
    trace.last = row + halfRows;
    trace.channel = channel;
    trace.data = int32_t(std::lround((centre - step * halfRows) * 256));
    trace.slope = int32_t(std::lround(step * 256));
    trace.length = int16_t(length);
    out.push_back(trace);
}

void EchoPlacer::addLostBackEcho(std::vector<EchoTrace> &out, int64_t fromMm, int64_t toMm) const
{
    EchoTrace trace;
    trace.first = rowOverRail(fromMm);
    trace.last = rowOverRail(toMm);
    trace.channel = kLostBackEcho;
    out.push_back(trace);
}
