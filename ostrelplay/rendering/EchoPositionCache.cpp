#include "EchoPositionCache.h"

#include "ChannelGeometry.h"

#include <cstring>

EchoPositionCache::End EchoPositionCache::end(Channel &table, int channel, int data)
{
    if (data < 0 || data >= kValues) {
        const TPos pos = ChannelGeometry::echoPosition(channel, table.railType, data, data, table.startPoint, table.range);
        return {pos.xs, pos.ys};
    }
    if (!table.known[data]) {
        const TPos pos = ChannelGeometry::echoPosition(channel, table.railType, data, data, table.startPoint, table.range);
        table.ends[data] = {pos.xs, pos.ys};
        table.known[data] = true;
    }
    return table.ends[data];
}

TPos EchoPositionCache::position(int channel, int railType, int data1, int data2, int startPoint, float range)
{
    if (channel < 0 || channel > 8)
        return ChannelGeometry::echoPosition(channel, railType, data1, data2, startPoint, range);
    Channel &table = m_channels[channel];
    if (!table.valid || table.railType != railType || table.startPoint != startPoint
        || std::memcmp(&table.range, &range, sizeof range) != 0) {
        table.valid = true;
        table.railType = railType;
        table.startPoint = startPoint;
        table.range = range;
        table.known.fill(false);
    }
    const End start = end(table, channel, data1);
    const End stop = end(table, channel, data2);
    return {start.x, start.y, stop.x, stop.y};
}
