#include "AScanPanel.h"

#include "AScanBackdrop.h"

#include "common/CanvasText.h"
#include "recording/ChannelGeometry.h"
#include "recording/StdErrors.h"
#include "recording/StdFormat.h"

#include <QPen>

#include <QFontMetrics>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cmath>

using common::canvasFont;
using common::prepareCanvas;
using common::textOut;

namespace {

constexpr int kChannels = StdFormat::ChannelCount;
constexpr int kEchoesPerChannel = 4;
constexpr int kPanelRows = 21;     // rows of the A-display (left half)
constexpr int kTextLines = 10;     // text lines of the right half
constexpr int kEchoRise = 8;       // rows an echo spike rises above its base line
constexpr int kGateLift = 2;       // pixels a gate lies above its base line
constexpr int kGate3Gap = 6;       // pixels between gate 1 and gate 3 of channel 5

// Base row of each channel's A-display: the 70° pairs share rows 8..10, the
// 37° and 0° channels use rows 18..20.
constexpr int kBaseRow[kChannels] = {8, 9, 10, 18, 19, 20, 8, 9, 10};

// Horizontal distance and depth per millimetre of sound path (sine, cosine of the beam).
struct BeamFactors {
    double horizontal;
    double depth;
};
constexpr BeamFactors kBeam70 = {0.939692, 0.34202};
constexpr BeamFactors kBeam37 = {0.601815, 0.798635};
constexpr BeamFactors kBeam0 = {0.0, 1.0};
constexpr BeamFactors kBeam[kChannels] = {kBeam70, kBeam70, kBeam70, kBeam37, kBeam37, kBeam0,
                                          kBeam70, kBeam70, kBeam70};

constexpr const char *kReadingFormat[kChannels] = {
    "1:↘%3d,→%3d,↓%3d",  "2:↘%3d,→%3d,↓%3d",  "3:↘%3d,→%3d,↓%3d",
    "4:↘%3d,→%3d,↓%3d",  "5:↘%3d,→%3d,↓%3d",  "6:↘%3d,→%3d,↓%3d",
    "1A:↘%3d,→%3d,↓%3d", "2A:↘%3d,→%3d,↓%3d", "3A:↘%3d,→%3d,↓%3d",
};

// Pixel positions of the panel; every real position is truncated toward zero.
class PanelGeometry {
public:
    PanelGeometry(int w, int h) : m_w(w), m_h(h) {}

    int width() const { return m_w; }
    int height() const { return m_h; }
    int half() const { return pixel(m_w / 2.0); }
    int threeQuarters() const { return pixel(3.0 * m_w / 4.0); }
    int rowY(int row) const { return pixel(double(m_h) / kPanelRows * row); }
    int textLineY(int line) const { return pixel(double(m_h) / kTextLines * line); }
    // Position v (0..400) of a channel's time base.
    int timeX(double v) const { return pixel(v / 400.0 / 2.0 * m_w); }

    // Gate and echo values come from the recording and may lie far off the panel;
    // such positions are held at a distance the rasteriser still handles.
    static int pixel(double v)
    {
        constexpr double kFar = 1 << 20;
        return static_cast<int>(std::clamp(v, -kFar, kFar));
    }

private:
    int m_w;
    int m_h;
};

QPen panelPen(const QColor &color, int width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(color, width, style, Qt::RoundCap, Qt::RoundJoin);
}

int nearestInt(double value)
{
    const double rounded = std::nearbyint(value);  // halves to even in the default rounding mode
    if (!(rounded >= INT_MIN && rounded <= INT_MAX))
        throw StdDataError(QStringLiteral("回波读数超出范围"));
    return static_cast<int>(rounded);
}

// Rebuilds the table from the echo packets of `row` when the row has a proper head.
void readRowEchoes(const mystdfile &file, int row, TAScanEchoes &echoes)
{
    const StdFormat::RowPackets packets = file.rowPackets(row);
    if (!packets.valid())
        return;
    const char16_t head = file.std_packet[size_t(packets.head)].m_Cmd;
    if (head != u'@' && head != u'#')
        return;
    echoes = TAScanEchoes{};
    for (int64_t i = packets.echoBegin; i < packets.echoEnd; ++i) {
        const TPACKET packet = file.std_packet[size_t(i)];
        if (packet.m_Cmd == u'9') {
            echoes.lostWave = true;
        } else if (packet.m_Cmd >= u'0' && packet.m_Cmd < u'0' + kChannels) {
            const int ch = packet.m_Cmd - u'0';
            if (echoes.count[ch] < kEchoesPerChannel)
                echoes.echo[ch][size_t(echoes.count[ch]++)] = {packet.m_Data1, packet.m_Data2};
        }
    }
}

void drawGrid(QPainter &painter, const PanelGeometry &panel, const QColor &frame)
{
    const int w = panel.width();
    const int h = panel.height();
    painter.setPen(panelPen(frame, 1, Qt::DotLine));
    for (int k = 1; k <= 9; ++k) {
        const int x = PanelGeometry::pixel(w / 2.0 / 10.0 * k);
        painter.drawLine(x, 0, x, h);
    }
    for (int row : {1, 2, 11, 12})
        painter.drawLine(0, panel.rowY(row), panel.half(), panel.rowY(row));

    painter.setPen(panelPen(frame, 1));
    painter.drawLine(panel.half(), 0, panel.half(), h);
    painter.drawLine(panel.threeQuarters(), 0, panel.threeQuarters(), h);
    for (int k = 1; k <= 9; ++k)
        painter.drawLine(panel.half(), panel.textLineY(k), w, panel.textLineY(k));
}

void drawBaseLines(QPainter &painter, const PanelGeometry &panel, const DisplayStyle &style)
{
    for (int k = 0; k < 3; ++k) {
        painter.setPen(panelPen(style.color_channel[size_t(k)], 2));
        for (int row : {8 + k, 18 + k})
            painter.drawLine(0, panel.rowY(row), panel.half(), panel.rowY(row));
    }
}

// Gates of channels 0..5; channels 3..5 leave a gap where gate 2 lies, channel 5
// also shows gate 3 behind gate 1.
void drawGates(QPainter &painter, const PanelGeometry &panel, const mystdfile &file, const DisplayStyle &style)
{
    const TSYSTEMPARA &p = file.std_systempara;
    const int r = StdFormat::railRow(p.m_RailType);
    for (int ch = 0; ch <= 5; ++ch) {
        painter.setPen(panelPen(style.color_channel[size_t(ch)], 3));
        const int y = panel.rowY(kBaseRow[ch]) - kGateLift;
        const auto segment = [&](int x1, int x2) { painter.drawLine(x1, y, x2, y); };
        const int64_t gate1Start = p.m_Gate1Start[r][ch];
        const int64_t gate1End = gate1Start + p.m_Gate1DrawWidth[r][ch];
        if (ch < 3) {
            segment(panel.timeX(gate1Start), panel.timeX(gate1End));
            continue;
        }
        const int64_t gate2Start = p.m_Gate2Start[r][ch];
        segment(panel.timeX(gate1Start), panel.timeX(gate2Start));
        segment(panel.timeX(gate2Start + p.m_Gate2DrawWidth[r][ch]), panel.timeX(gate1End));
        if (ch == 5)
            segment(panel.timeX(gate1End) + kGate3Gap, panel.timeX(gate1End + p.m_Gate3DrawWidth[r][ch]));
    }
}

void drawEchoes(QPainter &painter, const PanelGeometry &panel, const TAScanEchoes &echoes, const DisplayStyle &style)
{
    for (int ch = 0; ch < kChannels; ++ch) {
        painter.setPen(panelPen(style.color_channel[size_t(ch)], 3));
        const int baseY = panel.rowY(kBaseRow[ch]);
        const int topY = panel.rowY(kBaseRow[ch] - kEchoRise);
        for (int k = 0; k < std::min(echoes.count[size_t(ch)], kEchoesPerChannel); ++k) {
            const int start = echoes.echo[size_t(ch)][size_t(k)][0];
            const int end = echoes.echo[size_t(ch)][size_t(k)][1];
            if (start > 0)
                painter.drawLine(panel.timeX(start), baseY, panel.timeX((start + end) / 2), topY);
        }
    }
}

// The back-wall echo where the rail foot should answer on the 0° time base.
void drawBottomEcho(QPainter &painter, const PanelGeometry &panel, const mystdfile &file, const StdFrame &frame)
{
    const DisplayStyle &style = frame.style;
    const float range = file.std_systempara.m_Range[8];
    if (frame.AScanEchoes.lostWave || range == 0.0f || !std::isfinite(range))
        return;
    const int railHeight = ChannelGeometry::bandHeights(file.std_systempara.m_RailType, false)[5];
    const int x = PanelGeometry::pixel(railHeight / double(range) / 2.0 * panel.width());
    painter.setPen(panelPen(style.color_channel[9], 3));
    painter.drawLine(x, panel.rowY(20), x, panel.rowY(12));
}

void drawGainTexts(QPainter &painter, const PanelGeometry &panel, const mystdfile &file, const DisplayStyle &style)
{
    painter.setFont(canvasFont(style.font_size));
    painter.setPen(style.color_text);
    for (int ch = 0; ch < kChannels; ++ch)
        textOut(painter, panel.threeQuarters() + 2, panel.textLineY(ch) + 2, file.GetPara(12 + ch));
}

} // namespace

int AScanPanelWidthForTexts(const mystdfile &file, const DisplayStyle &style)
{
    const QFontMetrics metrics(canvasFont(style.font_size));
    int widest = 0;
    for (int ch = 0; ch < kChannels; ++ch)
        widest = std::max(widest, metrics.horizontalAdvance(file.GetPara(12 + ch)));
    return 4 * (widest + 2 + 4);
}

namespace {

// Sound path, horizontal distance and depth of each channel's first echo.
void drawReadings(QPainter &painter, const PanelGeometry &panel, const mystdfile &file, const StdFrame &frame)
{
    const DisplayStyle &style = frame.style;
    painter.setFont(canvasFont(style.font_size));
    painter.setPen(style.color_text);
    for (int ch = 0; ch < kChannels; ++ch) {
        const int start = frame.AScanEchoes.echo[size_t(ch)][0][0];
        if (frame.AScanEchoes.count[size_t(ch)] > 0 && start > 0)
            textOut(painter, panel.half() + 2, panel.textLineY(ch) + 2, AScanReading(file, ch, start));
    }
}

} // namespace

const QImage &AScanBackdrop::image(const mystdfile &file, const DisplayStyle &style, int w, int h, bool withGainTexts)
{
    const TSYSTEMPARA &p = file.std_systempara;
    const int r = StdFormat::railRow(p.m_RailType);
    Key key;
    key.w = w;
    key.h = h;
    key.withGainTexts = withGainTexts;
    key.fontSize = style.font_size;
    key.colours = {style.color_background.rgb(), style.color_frame.rgb(), style.color_text.rgb()};
    for (int ch = 0; ch < 6; ++ch) {
        key.channelColours[size_t(ch)] = style.color_channel[size_t(ch)].rgb();
        key.gates[size_t(ch)] = {p.m_Gate1Start[r][ch], p.m_Gate1DrawWidth[r][ch], p.m_Gate2Start[r][ch],
                                 p.m_Gate2DrawWidth[r][ch], p.m_Gate3DrawWidth[r][ch]};
    }
    if (withGainTexts)
        for (int ch = 0; ch < kChannels; ++ch)
            key.gainTexts[size_t(ch)] = file.GetPara(12 + ch);
    if (key == m_key && !m_image.isNull())
        return m_image;

    m_key = key;
    prepareCanvas(m_image, w, h);
    const PanelGeometry panel(m_image.width(), m_image.height());
    QPainter painter(&m_image);
    painter.fillRect(m_image.rect(), style.color_background);
    // The canvas keeps its solid background brush: texts and the gaps of dotted
    // lines are painted in the background colour.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(style.color_background);
    drawGrid(painter, panel, style.color_frame);
    drawBaseLines(painter, panel, style);
    drawGates(painter, panel, file, style);
    if (withGainTexts)
        drawGainTexts(painter, panel, file, style);
    return m_image;
}

void DrawAScanPanel(const mystdfile &file, StdFrame &frame, int AMapWidth, int AMapHeight, int CurPos,
                    bool rowInRange)
{
    const DisplayStyle &style = frame.style;
    if (rowInRange)
        readRowEchoes(file, CurPos, frame.AScanEchoes);

    prepareCanvas(frame.std_ABitMap, AMapWidth, AMapHeight);
    const QImage &backdrop =
        frame.AScanStatic.image(file, style, frame.std_ABitMap.width(), frame.std_ABitMap.height(), rowInRange);
    std::memcpy(frame.std_ABitMap.bits(), backdrop.constBits(), size_t(backdrop.sizeInBytes()));
    if (!rowInRange)
        return;

    const PanelGeometry panel(frame.std_ABitMap.width(), frame.std_ABitMap.height());
    QPainter painter(&frame.std_ABitMap);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(style.color_background);
    drawEchoes(painter, panel, frame.AScanEchoes, style);
    drawBottomEcho(painter, panel, file, frame);
    drawReadings(painter, panel, file, frame);
}

QString AScanReading(const mystdfile &file, int ch, int start)
{
    if (ch < 0 || ch >= kChannels)
        return {};
    const double soundPath = start * double(file.std_systempara.m_Range[ch]) / 400.0;
    return QString::asprintf(kReadingFormat[ch], nearestInt(soundPath),
                             nearestInt(soundPath * kBeam[ch].horizontal), nearestInt(soundPath * kBeam[ch].depth));
}
