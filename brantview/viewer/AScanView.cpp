#include "AScanView.h"

#include "AScanText.h"

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

constexpr double TickLength = 10;
constexpr double TickLabelGap = 2;
constexpr double ValueLineGap = 5;
constexpr int Ticks = 11;

void drawText(ViewCanvas &canvas, const AScanTextBlock &block, const BrantSettings &settings)
{
    const TextFont &font0 = settings.TextFonts[0];
    const TextFont &font1 = settings.TextFonts[1];
    const QFont titleFont = viewFont(font0);
    const QFont labelFont = viewFont(font1);
    QFont valueFont = labelFont;
    valueFont.setBold(font0.Bold);

    PrintCursor cursor(canvas, 0, AScanTextTop);
    cursor.print(block.title, settings.ForeColour, titleFont);
    // The line break comes after the switch to font 1; the taller font keeps the
    // title clear of the first line.
    cursor.newLine(std::max(canvas.lineHeight(titleFont), canvas.lineHeight(labelFont)));
    // The value lines step by font 1's size, the cell height of 宋体 for which the box
    // was placed at T = 200: the substitute font's taller cell would run the block
    // into the amplitude labels.
    const double lineStep = font1.Size + ValueLineGap;
    for (const AScanTextLine &line : block.lines) {
        cursor.print(line.label, settings.ForeColour, labelFont);
        cursor.print(line.value, settings.ForeColour, valueFont);
        cursor.newLine(lineStep);
    }
}

void drawAxes(ViewCanvas &canvas, double x0, double s, const BrantSettings &settings)
{
    const int32_t colour = settings.AScanAxisColour;
    const double width = settings.AScanAxisWidth;
    const double T = AScanBoxTop;
    const double bottom = T + AScanBoxHeight;
    const QFont labelFont = viewFont(settings.TextFonts[1]);
    canvas.line(x0, T, x0, bottom, colour, Qt::SolidLine, width);
    canvas.line(x0, bottom, x0 + 240 * s, bottom, colour, Qt::SolidLine, width);
    for (int i = 0; i < Ticks; ++i) {
        const double y = T + 16 * i;
        canvas.line(x0 - TickLength, y, x0, y, colour, Qt::SolidLine, width);
        const QString label = QString::number(10 - i);
        canvas.text(x0 - TickLength - TickLabelGap - canvas.textWidth(label, labelFont), y - 16, label,
                    settings.ForeColour, labelFont);
    }
    for (int i = 0; i < Ticks; ++i) {
        const double x = x0 + 24 * i * s;
        canvas.line(x, bottom, x, bottom + TickLength, colour, Qt::SolidLine, width);
        const QString label = QString::number(i);
        canvas.text(x - canvas.textWidth(label, labelFont) / 2, bottom + TickLength, label, settings.ForeColour,
                    labelFont);
    }
}

void drawWave(ViewCanvas &canvas, const AScanFrame &frame, double x0, double s, const BrantSettings &settings)
{
    const double bottom = AScanBoxTop + AScanBoxHeight;
    for (int i = 0; i + 1 < int(std::size(frame.samples)); ++i)
        canvas.line(x0 + i * s, bottom - frame.samples[i], x0 + (i + 1) * s, bottom - frame.samples[i + 1],
                    settings.AScanWaveColour, Qt::SolidLine, settings.AScanPointSize);
}

}  // namespace

double AScanBoxLeft(const ViewCanvas &canvas, const BrantSettings &settings)
{
    const double widest = canvas.textWidth(QStringLiteral("10"), viewFont(settings.TextFonts[1]));
    return std::max(40.0, std::ceil(widest + TickLength + TickLabelGap));
}

QStringList DrawAScanFrame(ViewCanvas &canvas, const AScanFrame &frame, int frameIndex, const BrantSettings &settings)
{
    canvas.clear(settings.BackColour);
    const AScanTextBlock block = AScanFrameText(frame, frameIndex);
    drawText(canvas, block, settings);
    const double x0 = AScanBoxLeft(canvas, settings);
    const double s = settings.AScanScaleValue / 10.0;
    drawAxes(canvas, x0, s, settings);
    drawWave(canvas, frame, x0, s, settings);
    return block.joined();
}

}  // namespace brantview
