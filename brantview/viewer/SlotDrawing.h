#pragma once
// What the drawing of one slot's view carries from column to column: where the slot
// lies, the fonts and rows of its labels, the collision cursor, the gains last
// shown and the dots counted per channel.

#include "ChannelNames.h"
#include "ViewCanvas.h"
#include "ViewLayout.h"
#include "ViewState.h"

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QFont>

#include <array>
#include <cstdint>
#include <optional>

namespace brantview {

inline constexpr int32_t MarkRed = packedColour(255, 0, 0);
inline constexpr int32_t ReviewCyan = packedColour(0, 255, 255);
inline constexpr int32_t CurveMagenta = packedColour(240, 48, 240);
inline constexpr int32_t GainBlue = packedColour(128, 240, 255);
inline constexpr int32_t CalibrationGreen = packedColour(160, 255, 160);
inline constexpr int32_t SwitchTeal = packedColour(0, 240, 240);
inline constexpr int32_t RangeGreen = packedColour(96, 224, 128);

// The gains, 0° reflection value and rail type a gain text last showed.
struct GainsShown {
    std::array<int, ChannelCount> gains{};
    int reflection = 0;
    int railType = 0;
};

struct SlotDrawing {
    SlotDrawing(ViewCanvas &canvas, RecordingSlot &slot, int slotIndex, const BrantSettings &settings,
                const ViewState &state, const SlotLayout &layout, bool bothSlots);

    ViewCanvas &canvas;
    RecordingSlot &slot;
    int slotIndex;
    const BrantSettings &settings;
    const ViewState &state;
    SlotLayout layout;
    bool bothSlots;

    std::array<float, ChannelCount> O{};  // channel offsets, applied in splice mode only
    double G = 0;  // glyph row
    double H = 0;  // header row
    QFont glyphFont;       // font 0 at 18
    QFont trendFont;       // font 0 at 12
    QFont textFont;        // font 1 at its own size
    QFont calibrationFont; // font 1 at 12
    QFont scaleFont;       // font 1 at 9, the distance scale
    ProbeConfig probes;
    bool zeroReflection = true;  // 0° mode of the parameters in effect (byte 37 bit 2 clear)

    double X0 = 0;  // collision cursor: x of the last glyph, 0 before the first
    std::optional<GainsShown> gainsShown;
    std::array<int, ChannelCount> dotsPerChannel{};

    double x(int64_t position) const { return layout.x(position, slot.ViewStart); }
    // A white mark or a frame line in `colour`, or in the foreground colour while
    // printing, so that the print picture is black on white.
    int32_t lineColour(int32_t colour) const { return state.PrintFlag ? settings.ForeColour : colour; }
    // Moves a glyph of collision width `w` left of the previous one; returns its x.
    double placeGlyph(double x, double w);
};

} // namespace brantview
