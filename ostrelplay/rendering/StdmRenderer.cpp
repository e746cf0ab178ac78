#include "StdmRenderer.h"

#include "common/CanvasText.h"
#include "common/Conversions.h"

#include "recording/StdFormat.h"

#include <QPainter>
#include <QPolygon>

using common::canvasFont;
using common::prepareCanvas;
using common::textOut;

namespace {

constexpr int TraceWidth = StdmTraceColumns;  // x = 420 divides the trace from the texts
constexpr int TextFontSize = 10;

// Gate values of a damaged file can lie far outside the trace; the picture clips them.
int gateX(double v)
{
    return common::saturatedToInt32(v / 400.0 * StdmTraceColumns);
}

int gateY(double h)
{
    return common::saturatedToInt32((100.0 - h) * 4.0);
}

// A channel's colour; a record naming no channel draws its trace in the text colour.
QColor channelColour(const StdmColours &colours, int ch, const QColor &fallback)
{
    return ch >= 0 && ch < int(colours.channel.size()) ? colours.channel[size_t(ch)] : fallback;
}

void drawFrameLines(QPainter &p, const StdmColours &colours)
{
    p.setPen(QPen(colours.frame, 3));
    p.drawLine(TraceWidth, 0, TraceWidth, StdmBitmapHeight);
    p.drawLine(TraceWidth, 90, StdmBitmapWidth, 90);
    p.drawLine(TraceWidth, 140, StdmBitmapWidth, 140);

    p.setPen(QPen(colours.frame, 1, Qt::DotLine));
    for (int x = 42; x <= 378; x += 42)
        p.drawLine(x, 0, x, StdmBitmapHeight);
    p.drawLine(0, 360, TraceWidth, 360);
    p.drawLine(0, 320, TraceWidth, 320);
}

void drawGates(QPainter &p, const TSYSTEMPARA &para, int ch, int r, const StdmColours &colours)
{
    if (ch < 0 || ch >= StdFormat::ChannelCount)
        return;
    const int y1 = gateY(para.m_Gate1Height[r][ch]);
    p.setPen(QPen(channelColour(colours, ch, colours.text), 2));
    p.drawLine(gateX(para.m_Gate1Start[r][ch]), y1, gateX(double(para.m_Gate1Start[r][ch]) + para.m_Gate1Width[r][ch]), y1);
    if (ch < 3 || ch > 5)
        return;
    // The 37° and 0° gates sit just above gate 1 in the colour of the channel before.
    p.setPen(QPen(channelColour(colours, ch - 1, colours.text), 2));
    p.drawLine(gateX(para.m_Gate2Start[r][ch]), y1 - 2, gateX(double(para.m_Gate2Start[r][ch]) + para.m_Gate2Width[r][ch]), y1 - 2);
    if (ch == 5)
        p.drawLine(gateX(para.m_Gate3Start[r][ch]), y1 - 2,
                   gateX(double(para.m_Gate3Start[r][ch]) + para.m_Gate3Width[r][ch]), y1 - 2);
}

void drawTrace(QPainter &p, const TSTDMFRAME &frame, int ch, const StdmColours &colours)
{
    QPolygon points(StdmTraceColumns);
    for (int n = 0; n < StdmTraceColumns; ++n)
        points[n] = QPoint(n, n == 0 || n == StdmTraceColumns - 1 ? StdmBitmapHeight : frame.m_Trace[n - 1]);
    p.setPen(QPen(channelColour(colours, ch, colours.text), 1));
    p.drawPolyline(points);
}

QString gainCorrectText(int32_t value)
{
    return value == 0 ? QStringLiteral("未补偿") : value == 1 ? QStringLiteral("已补偿") : QString();
}

QString rejectionText(int8_t value)
{
    return value == 0 ? QStringLiteral("无") : value == 1 ? QStringLiteral("大") : QString();
}

// A reading of the record's channel; a record naming no channel shows the label alone.
template <typename... Values>
QString channelText(bool known, const char *format, Values... values)
{
    const QString text = QString::asprintf(format, values...);
    return known ? text : text.left(text.indexOf(QStringLiteral("： ")) + 2);
}

void drawTexts(QPainter &p, const TSYSTEMPARA &para, const TSTDMFRAME &frame, int CurPos, int ch, int r,
               const StdmColours &colours)
{
    p.setFont(canvasFont(TextFontSize));
    p.setPen(colours.text);
    const bool known = ch >= 0 && ch < StdFormat::ChannelCount;
    const int c = known ? ch : 0;

    textOut(p, 435, 10, QString::asprintf("时间： %.1f s", (CurPos + 1) / 10.0));
    textOut(p, 435, 30, QStringLiteral("通道： ") + stdmChannelText(ch));
    textOut(p, 525, 30, channelText(known, "角度： %.1f", double(para.m_ProbeAngle[c])));
    textOut(p, 435, 50, channelText(known, "范围： %.0f", double(para.m_Range[c])));
    textOut(p, 435, 70, channelText(known, "增益： %.1f + %.1f", double(para.m_Gain[r][c]), double(para.m_DeltaGain[r][c])));
    textOut(p, 435, 100, QString::asprintf("声程： %.0f", double(frame.m_SoundPath)));
    textOut(p, 525, 100, QString::asprintf("深度： %.0f", double(frame.m_Depth)));
    textOut(p, 435, 120, QString::asprintf("水平： %.0f", double(frame.m_Horizontal)));
    textOut(p, 525, 120, QString::asprintf("幅度： %.0f ", double(frame.m_Amplitude)) + QLatin1Char('%'));
    textOut(p, 435, 150, channelText(known, "A门起点： %3d", int(para.m_Gate1Start[r][c])));
    textOut(p, 435, 170, channelText(known, "A门宽度： %3d", int(para.m_Gate1Width[r][c])));
    textOut(p, 435, 190, channelText(known, "B门起点： %3d", int(para.m_Gate2Start[r][c])));
    textOut(p, 435, 210, channelText(known, "B门宽度： %3d", int(para.m_Gate2Width[r][c])));
    textOut(p, 435, 230, channelText(known, "C门宽度： %3d", int(para.m_Gate3Width[r][c])));
    textOut(p, 435, 250, channelText(known, "闸门高度： %3d", int(para.m_Gate1Height[r][c])));
    textOut(p, 435, 270, channelText(known, "零点： %.1f", double(para.m_ProbeDelay[c])));
    textOut(p, 435, 290, QStringLiteral("增益补偿： ") + gainCorrectText(para.m_GainCorrect));
    textOut(p, 435, 310, QStringLiteral("抑制： ") + rejectionText(para.m_Rejection));
}

} // namespace

StdmColours stdmColours(const DisplayStyle &style)
{
    return {style.color_background, style.color_frame, style.color_text, style.color_channel};
}

void prepareStdmCanvas(QImage &bitmap)
{
    prepareCanvas(bitmap, StdmBitmapWidth, StdmBitmapHeight);
}

void drawStdmFrame(QImage &bitmap, const TSYSTEMPARA &para, const TSTDMFRAME &frame, int CurPos,
                   const StdmColours &colours)
{
    prepareStdmCanvas(bitmap);
    const int ch = para.m_AutoAmpl;
    const int r = StdFormat::railRow(para.m_RailType);
    QPainter p(&bitmap);
    p.fillRect(0, 0, StdmBitmapWidth, StdmBitmapHeight, colours.background);
    drawFrameLines(p, colours);
    drawGates(p, para, ch, r, colours);
    drawTrace(p, frame, ch, colours);
    drawTexts(p, para, frame, CurPos, ch, r, colours);
}

void StdmPlayer::InitStdmFile()
{
    stdm_playing = false;
    stdm_Bitmap = QImage();
    prepareStdmCanvas(stdm_Bitmap);
    stdm_curfile = 0;
}

void StdmPlayer::DrawStdmBitMap(const mystdmfile &file, int CurPos, const StdmColours &colours)
{
    if (stdm_curfile < 0 || stdm_curfile >= file.stdm_filecount || CurPos < 0 || CurPos >= StdmFrameCount)
        return;
    drawStdmFrame(stdm_Bitmap, file.stdm_systemparas[size_t(stdm_curfile)],
                  file.stdm_moviedatas[size_t(stdm_curfile)].m_Frames[CurPos], CurPos, colours);
}
