#pragma once
// Where an echo lies on the B-scan: its projection kind shifts it along the rail by
// the probe's forward reach and places it below the top margin at half its depth,
// in the band of its probe family; and which kind and channel each echo code takes.

#include "SlotDrawing.h"

#include <array>
#include <cstdint>

namespace brantview {

enum class Band : uint8_t { Top, B0, B1, B2, B1Marker };

struct Projection {
    double reach = 0;        // horizontal shift per mm of sound path, before the step length
    double depthFactor = 0;  // vertical offset per mm of sound path, before VS
    Band band = Band::Top;
};

// Kinds 0..11.
inline constexpr std::array<Projection, 12> ProjectionKinds = {{
    {0.9397, 0.171, Band::Top},    {-0.9397, 0.171, Band::Top},
    {0.6018, 0.3993, Band::B0},    {-0.6018, 0.3993, Band::B0},
    {0, 0.5, Band::B1},
    {0.309, 0.4755, Band::B0},     {-0.309, 0.4755, Band::B0},
    {0.9397, 0.171, Band::B2},     {-0.9397, 0.171, Band::B2},
    {0.6018, 0.3993, Band::B2},    {-0.6018, 0.3993, Band::B2},
    {0, 0, Band::B1Marker},
}};

inline constexpr int BandMarkerKind = 11;

// An echo code's projection kind, channel and trend series (−1: none).
struct EchoCode {
    int8_t kind = -1;
    int8_t channel = 0;
    int8_t trendSeries = -1;
};

// Codes 0..33; codes without an echo have kind −1.
inline constexpr std::array<EchoCode, 34> EchoCodes = {{
    {},                                                   // 0
    {0, 0, 0},  {1, 0, 0},  {0, 1, 1},  {1, 1, 1},          // 1..4
    {2, 2, -1}, {5, 2, -1}, {0, 2, -1},                   // 5..7
    {3, 3, -1}, {6, 3, -1}, {1, 3, -1},                   // 8..10
    {4, 4, -1},                                           // 11
    {0, 5, 2},  {1, 5, 2},  {4, 5, -1},                   // 12..14
    {},                                                   // 15
    {0, 5, 2},  {1, 5, 2},                                // 16, 17
    {0, 6, 3},  {1, 6, 3},  {0, 7, 4},  {1, 7, 4},  {0, 8, 5}, {1, 8, 5},  // 18..23
    {}, {},                                               // 24, 25
    {7, 0, -1}, {8, 0, -1}, {7, 1, -1}, {8, 1, -1},       // 26..29
    {9, 2, -1}, {10, 3, -1},                              // 30, 31
    {}, {4, 4, -1},                                       // 32, 33
}};

// The trend series' channels, for the colour of their marks.
inline constexpr std::array<int, 6> TrendSeriesChannel = {0, 1, 5, 6, 7, 8};

// Draws the dot of an echo of sound path `d` at position `p`; returns its x, or −1
// when d is 0. The dot is set only when 0 ≤ x ≤ R.
int PlotEcho(SlotDrawing &view, int d, int32_t p, int kind, float offset, int32_t colour);

// Whether a PlotEcho x lies on the view.
inline bool onView(const SlotDrawing &view, int x)
{
    return x >= 0 && x <= view.layout.R;
}

} // namespace brantview
