#include "EchoTracePicture.h"

#include "TwipCanvas.h"

#include "viewer/ViewCanvas.h"

#include <QPainter>

#include <cmath>

namespace brantview {

namespace {

constexpr int GateScale = 240;       // gate bounds and reference positions are in 1/240 of the width
constexpr int GateListEnd = 240;     // a bound of 240: no (further) gate
constexpr double SpikeLineWidth = 2;  // points
constexpr double BaselineWidth = 1;   // a dotted line shows its dots only one point wide
constexpr double RulerLineWidth = 3;
constexpr int RulerInset = 10;
constexpr int RulerTick = 200;
constexpr int RulerNumberGap = 150;  // from a tick's end to its number's centre
constexpr float RulerFontSize = 12;

// Real values become whole twips rounded to the nearest, halves to even.
int whole(double value)
{
    return int(std::nearbyint(value));
}

// The row each channel's echoes are drawn on, "1" … "6A".
constexpr std::array<int, ChannelCount> ChannelRow = {TraceRow::One,  TraceRow::Two,  TraceRow::Three,
                                                      TraceRow::Four, TraceRow::Zero, TraceRow::Six,
                                                      TraceRow::One,  TraceRow::Two,  TraceRow::Six};

// The RailSetupTable entry whose gates each row shows.
constexpr std::array<int, 7> RowEntry = {1, 0, 0, 2, 3, 4, 9};

// The top three rows spike toward the top edge, the others toward the bottom.
bool spikesUp(int row)
{
    return row <= TraceRow::Two;
}

struct TracePainter {
    TwipCanvas &canvas;
    const EchoTrace &trace;
    const TraceColours &colours;
    TraceDrawing &drawing;

    int rowY(int row) const { return drawing.y0 + TraceRowSpacing * row; }

    TraceSpike spike(int row, int x, int32_t colour, int channel) const
    {
        const int y = rowY(row);
        const int peak = spikesUp(row) ? 0 : drawing.H;
        canvas.polyline({QPointF(x, y), QPointF(x, peak), QPointF(x + SpikeWidth, y)}, colour, SpikeLineWidth);
        return {row, x, y, peak, colour, channel};
    }

    void echoSpikes()
    {
        for (int k = 0; k < ChannelCount; ++k) {
            const auto &depths = trace.echoes.depths[size_t(k)];
            if (depths[0] == 0 && depths[1] == 0)
                continue;
            // A probe kind without a range cannot place its echoes: they are left out.
            const std::optional<int> range = TraceRange(trace.probes, k);
            if (!range || *range <= 0) {
                drawing.unrangedChannels.push_back(k);
                continue;
            }
            for (const int32_t d : depths)
                if (d != 0)
                    drawing.spikes.push_back(spike(ChannelRow[size_t(k)], whole(double(drawing.Wd) * d / *range),
                                                   colours.channel[size_t(k)], k));
        }
    }

    int32_t bound(int row, int entry) const { return trace.RailSetupTable[size_t(row)][size_t(entry)]; }

    double gateMiddle(int entry, int gate) const { return (bound(2 * gate, entry) + bound(2 * gate + 1, entry)) / 2.0; }

    bool gateSet(int entry, int gate) const
    {
        return bound(2 * gate, entry) != GateListEnd && bound(2 * gate + 1, entry) != GateListEnd;
    }

    int xOfGateValue(double value) const { return whole(double(drawing.Wd) * value / GateScale); }

    bool doubleProbeSet() const { return trace.doubleProbeMode == 1 || trace.doubleProbeMode == 2; }

    void referenceSpikes()
    {
        if (!trace.echoes.loss) {
            const double B = gateMiddle(4, gateSet(4, 1) ? 1 : 0);
            drawing.references.push_back(spike(TraceRow::Zero, xOfGateValue(B), colours.channel[4], 4));
        }
        if (doubleProbeSet() && !trace.echoes.band) {
            const int channel = 5 + trace.doubleProbeMode;
            drawing.references.push_back(
                spike(TraceRow::DoubleProbe, xOfGateValue(gateMiddle(9, 0)), colours.channel[size_t(channel)], channel));
        }
    }

    TraceBaseline baselineOf(int row) const
    {
        TraceBaseline line;
        line.row = row;
        line.y = rowY(row);
        line.entry = RowEntry[size_t(row)];
        line.plain = bound(0, line.entry) == 0;
        if (line.plain)
            return line;
        for (int gate = 0; gate < 2 && gateSet(line.entry, gate); ++gate)
            line.gates.push_back({xOfGateValue(bound(2 * gate, line.entry)), xOfGateValue(bound(2 * gate + 1, line.entry))});
        return line;
    }

    void drawBaseline(const TraceBaseline &line)
    {
        const int y = line.y;
        if (line.plain) {
            canvas.line(0, y, drawing.Wd, y, White, BaselineWidth);
            return;
        }
        const int rise = spikesUp(line.row) ? -GateRise : GateRise;
        int from = 0;
        for (const TraceGate &gate : line.gates) {
            if (gate.from > from)
                canvas.line(from, y, gate.from, y, White, BaselineWidth, Qt::DotLine);
            canvas.polyline({QPointF(gate.from, y), QPointF(gate.from, y + rise), QPointF(gate.to, y + rise),
                             QPointF(gate.to, y)},
                            colours.fore, SpikeLineWidth);
            from = std::max(from, gate.to);
        }
        if (from < drawing.Wd)
            canvas.line(from, y, drawing.Wd, y, White, BaselineWidth, Qt::DotLine);
    }

    void baselines()
    {
        for (int row = TraceRow::Six; row <= TraceRow::DoubleProbe; ++row) {
            if (row == TraceRow::DoubleProbe && !doubleProbeSet())
                break;
            drawing.baselines.push_back(baselineOf(row));
            drawBaseline(drawing.baselines.back());
        }
    }
};

} // namespace

TraceDrawing DrawEchoTrace(QImage &image, double dpi, const EchoTrace &trace, const TraceColours &colours)
{
    TwipCanvas canvas(image, dpi);
    canvas.clear(colours.back);
    TraceDrawing drawing;
    drawing.Wd = canvas.width();
    drawing.H = canvas.height();
    drawing.y0 = whole(drawing.H / 2.0) - TraceRowsHalfSpan;
    TracePainter painter{canvas, trace, colours, drawing};
    painter.echoSpikes();
    painter.referenceSpikes();
    painter.baselines();
    return drawing;
}

void DrawTraceRuler(QImage &image, double dpi, RulerEdge edge, const TextFont &font, const TraceColours &colours)
{
    TwipCanvas canvas(image, dpi);
    canvas.clear(colours.back);
    const QFont numberFont = viewFont(font, RulerFontSize);
    const bool vertical = edge == RulerEdge::Right;
    const int length = vertical ? canvas.height() : canvas.width();
    // Distances measured from the edge that faces the trace, inward.
    const int depth = vertical ? canvas.width() : canvas.height();
    auto across = [&](int fromEdge) { return edge == RulerEdge::Top ? fromEdge : depth - fromEdge; };
    auto point = [&](double along, int fromEdge) {
        return vertical ? QPointF(across(fromEdge), along) : QPointF(along, across(fromEdge));
    };
    canvas.polyline({point(0, RulerInset), point(length, RulerInset)}, colours.fore, RulerLineWidth);
    for (int division = 0; division <= 10; ++division) {
        const double along = double(length) * division / 10;
        canvas.polyline({point(along, RulerInset), point(along, RulerInset + RulerTick)}, colours.fore, RulerLineWidth);
        if (division >= 1 && division <= 9) {
            const QPointF centre = point(along, RulerInset + RulerTick + RulerNumberGap);
            canvas.centredText(centre.x(), centre.y(), QString::number(division), colours.fore, numberFont);
        }
    }
}

TraceWindowPicture DrawTraceWindowPicture(int Wd, int H, double dpi, const EchoTrace &trace, const TextFont &font,
                                          const TraceColours &colours)
{
    const int wd = pixelsOfTwips(Wd, dpi);
    const int h = pixelsOfTwips(H, dpi);
    const int ruler = pixelsOfTwips(RulerDepth, dpi);
    TraceWindowPicture result;
    result.image = QImage(ruler + wd, ruler + h + ruler, QImage::Format_RGB32);
    result.image.fill(colourOf(colours.back));

    QImage pictureA(wd, h, QImage::Format_RGB32);
    result.drawing = DrawEchoTrace(pictureA, dpi, trace, colours);
    QImage top(wd, ruler, QImage::Format_RGB32);
    DrawTraceRuler(top, dpi, RulerEdge::Bottom, font, colours);
    QImage bottom(wd, ruler, QImage::Format_RGB32);
    DrawTraceRuler(bottom, dpi, RulerEdge::Top, font, colours);
    QImage side(ruler, h, QImage::Format_RGB32);
    DrawTraceRuler(side, dpi, RulerEdge::Right, font, colours);

    QPainter painter(&result.image);
    painter.drawImage(ruler, 0, top);
    painter.drawImage(0, ruler, side);
    painter.drawImage(ruler, ruler, pictureA);
    painter.drawImage(ruler, ruler + h, bottom);
    return result;
}

} // namespace brantview
