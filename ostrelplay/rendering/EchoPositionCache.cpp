#include "EchoPositionCache.h"

#include "recording/ChannelGeometry.h"

#include <cstring>

void EchoPositionCache::prepare(int channel, int railType, int startPoint, float range)
{
    Channel &table = m_channels[size_t(channel)];
    if (table.valid && table.railType == railType && table.startPoint == startPoint
        && std::memcmp(&table.range, &range, sizeof range) == 0)
        return;
    table.valid = true;
    table.railType = railType;
    table.startPoint = startPoint;
    table.range = range;
    table.known.fill(false);
}

EchoPositionCache::End EchoPositionCache::compute(Channel &table, int channel, int data)
{
    const TPos pos = ChannelGeometry::echoPosition(channel, table.railType, data, data, table.startPoint, table.range);
    const End result{pos.xs, pos.ys};
    if (data >= 0 && data < kValues) {
        table.ends[size_t(data)] = result;
        table.known[size_t(data)] = true;
    }
    return result;
}

TPos EchoPositionCache::position(int channel, int railType, int data1, int data2, int startPoint, float range)
{
    if (channel < 0 || channel > 8)
        return ChannelGeometry::echoPosition(channel, railType, data1, data2, startPoint, range);
    prepare(channel, railType, startPoint, range);
    return position(channel, data1, data2);
}
