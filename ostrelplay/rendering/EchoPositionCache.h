#pragma once
// Echo positions remembered between frames. Each end of an echo is placed from
// its own data value alone once the channel's rail type, probe start point and
// range are given, so a table per channel answers the same as the geometry does
// while those stay the same.

#include "recording/STDDataStruct.h"

#include <array>
#include <cstdint>

class EchoPositionCache {
public:
    // Readies a channel (0..8) for positions with these inputs; a change forgets the table.
    void prepare(int channel, int railType, int startPoint, float range);

    // The position of an echo of a prepared channel: the same result as
    // ChannelGeometry::echoPosition, and it throws as that does.
    TPos position(int channel, int data1, int data2)
    {
        Channel &table = m_channels[size_t(channel)];
        const End start = end(table, channel, data1);
        const End stop = end(table, channel, data2);
        return {start.x, start.y, stop.x, stop.y};
    }

    // prepare() and position() in one call; any channel number.
    TPos position(int channel, int railType, int data1, int data2, int startPoint, float range);

private:
    static constexpr int kValues = 1024;  // data values 0..1023 are remembered

    struct End {
        int32_t x;
        int32_t y;
    };
    struct Channel {
        bool valid = false;
        int railType = 0;
        int startPoint = 0;
        float range = 0;
        std::array<End, kValues> ends;
        std::array<bool, kValues> known;
    };

    End end(Channel &table, int channel, int data)
    {
        if (data >= 0 && data < kValues && table.known[size_t(data)])
            return table.ends[size_t(data)];
        return compute(table, channel, data);
    }
    End compute(Channel &table, int channel, int data);

    std::array<Channel, 9> m_channels{};
};
