#include "Headers.h"

#include "HeaderLines.h"

namespace brantview {

namespace {

constexpr double LeftMargin = 10;
constexpr double LineGap = 4;   // between the lines of the full header
constexpr double BarDrop = 14;  // from the text top to a channel bar
constexpr double BarWidth = 5;
constexpr double ChannelGap = 15;      // between one channel's text and the next
constexpr double ShortBarLength = 10;  // the one-line header's bars
constexpr double ShortBarInset = 2;

HeaderValues valuesFor(const RecordingSlot &slot, const ViewSources &sources, ViewState &state)
{
    HeaderValues values = headerValuesInEffect(slot, sources, state.DoubleProbeMode);
    state.DoubleProbeMode = values.probe.doubleProbeMode;
    return values;
}

void drawLine(ViewCanvas &canvas, const HeaderLine &line, const BrantSettings &settings, double x, double y)
{
    const QFont textFont = viewFont(settings.TextFonts[1]);
    PrintCursor cursor(canvas, x, y);
    cursor.print(line.text, settings.ForeColour, textFont);
    for (const ChannelPiece &piece : line.channels) {
        const int32_t colour = settings.ChannelColour[size_t(piece.channel)];
        const double start = cursor.x();
        cursor.print(piece.text, settings.ForeColour, textFont);
        if (line.bar == ChannelBar::Underline) {
            canvas.line(start, y + BarDrop, cursor.x(), y + BarDrop, colour, Qt::SolidLine, BarWidth);
        } else {
            const double barStart = cursor.x() + ShortBarInset;
            canvas.line(barStart, y + BarDrop, barStart + ShortBarLength, y + BarDrop, colour, Qt::SolidLine, BarWidth);
            cursor.skip(ShortBarInset + ShortBarLength);
        }
        cursor.skip(ChannelGap);
    }
    cursor.print(line.title, settings.ForeColour, viewFont(settings.TextFonts[0]));
}

}  // namespace

QStringList DrawFullHeader(ViewCanvas &canvas, const RecordingSlot &slot, const BrantSettings &settings,
                           const ViewSources &sources, ViewState &state, double top)
{
    const std::vector<HeaderLine> lines = FullHeaderLines(valuesFor(slot, sources, state), settings);
    const double spacing = canvas.lineHeight(viewFont(settings.TextFonts[1])) + LineGap;
    QStringList texts;
    double y = top;
    for (const HeaderLine &line : lines) {
        drawLine(canvas, line, settings, LeftMargin, y);
        texts.append(line.plain());
        y += spacing;
    }
    return texts;
}

QString DrawLineHeader(ViewCanvas &canvas, const RecordingSlot &slot, const BrantSettings &settings,
                       const ViewSources &sources, ViewState &state, double x, double y)
{
    const HeaderLine line = LineHeader(valuesFor(slot, sources, state), settings);
    drawLine(canvas, line, settings, x, y);
    return line.plain();
}

}  // namespace brantview
