#pragma once
// One A-scan frame of 5 March 2024, 14:05:09, attenuation 42 dB, at 300 km rail 12, 5.7 m
// from the rail end, its samples silent; the fields the tests vary are named.

#include "recording/BrantFormat.h"

#include <cstdint>

namespace ascantest {

struct FrameFields {
    int side = 1;
    int channel = 1;
    int probe = 0;
    int railType = 2;
    int lineKind = 1;
    int track = 37;
    int layout = 0;  // byte 10 bits 1..7: 0 the old layout
};

inline brantview::AScanFrame frame(const FrameFields &f = {})
{
    brantview::AScanFrame frame;
    frame.sideAndChannel = uint8_t(f.side | f.channel << 1);
    frame.hour = 14;
    frame.minute = 5;
    frame.second = 9;
    frame.day = 5;
    frame.month = 3;
    frame.year = 24;
    frame.probe = uint8_t(f.probe);
    frame.distance = 57;
    frame.attenuation = 42;
    frame.referenceEnd = uint8_t(1 | f.layout << 1);
    frame.kmPost[0] = 0x01;
    frame.kmPost[1] = 0x2C;
    frame.railNumber = 12;
    frame.lineKindAndTrackLow = uint8_t(f.lineKind | (f.track % 32) << 3);
    frame.railTypeAndTrackHigh = uint8_t(f.railType | (f.track / 32) << 3);
    return frame;
}

} // namespace ascantest
