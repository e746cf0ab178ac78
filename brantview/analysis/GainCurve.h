#pragma once
// The plot of "灵敏度全程变化曲线": how one channel's attenuation (or the 0° reflection
// value) stepped along the whole recording, from its gain packets, on a scale from lo
// at the bottom margin to hi 50 pixels below the top, and where LinedB stands for a view.

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace brantview {

class ViewCanvas;

inline constexpr int GainOptionCount = 10;

struct GainOption {
    QString caption;
    int byte;           // of the gain packet, from 1
    int colourChannel;  // the ChannelColour index the curve takes
};

// OptiondB(0..9): the nine channels in channel order, then the 0° reflection value
// drawn in the colour of channel "6".
const std::array<GainOption, GainOptionCount> &GainOptions();

int32_t GainCurveColour(int option, const ChannelValues &ChannelColour);

// Margins of the plot in pixels.
inline constexpr int GainMarginLeft = 30;
inline constexpr int GainMarginTop = 50;
inline constexpr int GainMarginBottom = 10;
inline constexpr int GainTickLeft = 10;
inline constexpr int GainLineWidth = 2;

// The scale's numbers: the form's default font, 9 points on a 96-dpi screen, in pixels.
QFont GainScaleFont();

// What an empty plot says.
inline const QString NoGainPacketsText = QStringLiteral("本记录没有灵敏度数据");
inline const QString NoRecordingLengthText = QStringLiteral("记录长度为0，无法绘制曲线");

// The plot's data, taken from a slot when the window opens.
struct GainData {
    std::vector<GainEntry> GainTable;
    int64_t totalLength = 0;  // the position of the last column, Steps
};

GainData GainDataOf(const RecordingSlot &slot);

// lo starts at 70 and hi at 0; hi is at least lo + 10.
struct GainScale {
    int lo = 70;
    int hi = 80;
};

GainScale GainRange(const std::vector<GainEntry> &table, int option);

// A step of the curve: from `position` on the value is `value`.
struct GainStep {
    int32_t position = 0;
    int value = 0;
};

class GainPlot {
public:
    GainPlot(const GainData &data, int option, QSize size);

    // An empty text when the curve can be drawn, otherwise what the empty plot says.
    QString unavailable() const;
    const GainScale &scale() const { return m_scale; }
    const std::vector<GainStep> &steps() const { return m_steps; }
    double xs() const { return m_xs; }  // pixels per Step
    double ys() const { return m_ys; }  // pixels per dB
    int x(int64_t position) const;
    int y(int value) const;
    // The curve as one line through its corners, in pixels.
    std::vector<QPoint> polyline() const;
    // LinedB's x for the view at `viewStart`; nothing on an empty plot.
    std::optional<int> lineX(int32_t viewStart) const;

private:
    QSize m_size;
    int64_t m_totalLength;
    GainScale m_scale;
    std::vector<GainStep> m_steps;
    double m_xs = 0;
    double m_ys = 0;
};

// Clears to black and draws the curve in `colour` with the axis, its ticks and
// numbers, or says why there is none.
void DrawGainPlot(ViewCanvas &canvas, const GainPlot &plot, int32_t colour);
// LinedB into a picture, for the batch program: from the top margin to the bottom one.
void DrawLinedB(ViewCanvas &canvas, int x);
inline constexpr int32_t LinedBColour = 0xC0C0C0;

} // namespace brantview
