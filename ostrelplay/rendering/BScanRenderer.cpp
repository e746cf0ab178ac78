#include "BScanRenderer.h"

#include "AScanPanel.h"
#include "AxisLines.h"
#include "common/CanvasText.h"
#include "recording/ChannelGeometry.h"
#include "EchoStrokes.h"
#include "EventGlyphs.h"
#include "common/Conversions.h"
#include "common/NumberFormat.h"
#include "recording/StdText.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using common::canvasFont;
using common::prepareCanvas;
using common::textOut;

namespace {

const char *const kChannelNames[10] = {"1", "2", "3", "4", "5", "6", "1A", "2A", "3A", nullptr};

bool isSeventyDegree(int ch)
{
    return ch == 0 || ch == 1 || ch == 2 || ch == 6 || ch == 7 || ch == 8;
}

[[noreturn, gnu::noinline, gnu::cold]] void outOfRange()
{
    throw StdDataError(QStringLiteral("坐标超出范围"));
}

// Truncation toward zero; a value no integer holds (NaN included) fails the frame.
inline int32_t trunc32(double value)
{
    const std::optional<int32_t> whole = common::truncatedToInt32(value);
    if (!whole)
        outOfRange();
    return *whole;
}

Qt::PenStyle helpLinePenStyle(int style, Qt::PenStyle previous)
{
    switch (style) {
    case 0: return Qt::DotLine;
    case 1: return Qt::SolidLine;
    case 2: return Qt::DashLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    default: return previous;
    }
}

QString twoPlaces(int value)
{
    return common::zeroPadded(value, 2);
}

// Draws one frame; members hold what the steps share.
class BScanFrame {
public:
    BScanFrame(const mystdfile &file, StdFrame &frame, int mapWidth, int mapHeight, int curPos)
        : f(file), fr(frame), s(frame.style), mapWidth(mapWidth), mapHeight(mapHeight), curPos(curPos)
    {
    }

    // Steps up to the panel; returns false when the frame ends there.
    bool setUp(int &width);
    void drawFrame(QPainter &p, int width);
    void walkRows(QPainter &p);
    void paintLists(QPainter &p);

private:
    int col(int64_t row) const { return trunc32(double(curPos - row) * 2 * fr.WScale); }
    void drawMarks(QPainter &p, int64_t row);
    void addEchoes(int64_t row, std::array<bool, 10> &hasEcho);
    void applyChannelFilter(const std::array<bool, 10> &hasEcho);
    void addRecords(QPainter &p, int64_t row);
    void writeMileageLine(QPainter &p, int64_t row, const TPACKET &mileage);
    QString operatorText(int number) const;
    bool recordsShown();

    const mystdfile &f;
    StdFrame &fr;
    const DisplayStyle &s;
    const int mapWidth;
    const int mapHeight;
    const int curPos;
    int bitmapHeight = 0;
    std::array<int, 10> runLength{};
    int lastMetres = 0;
    int versionChecked = -1;  // -1 not yet, 0 fails, 1 passes
    std::array<int, 9> depthLimits{};  // deepest y of a 70° echo per channel, this frame
    std::vector<TREMARK> marksInView;
    size_t nextMark = 0;
};

bool BScanFrame::setUp(int &width)
{
    fr.CurPlayPos = curPos;
    const TDataHeight &H = f.std_OIMG_Height;
    if (H[4] == 0)
        return false;
    fr.HScale = double(mapHeight) * 5 / 6 / H[4];
    if (s.WidthCompress) {
        if (s.std_OIMG_Width == 0)
            return false;
        fr.WScale = double(mapWidth) / s.std_OIMG_Width;
        width = mapWidth;
    } else {
        fr.WScale = fr.HScale;
        width = trunc32(s.std_OIMG_Width * fr.WScale);
    }
    return true;
}

void BScanFrame::drawFrame(QPainter &p, int width)
{
    const TDataHeight &H = f.std_OIMG_Height;
    const int height = mapHeight;
    int y[5];
    for (int n = 0; n < 5; ++n)
        y[n] = trunc32(H[n] * fr.HScale);
    y[0] += s.LineWidth - 1;
    y[4] -= s.LineWidth;

    QImage &image = fr.std_BBitMap;
    image.fill(s.color_background);
    p.setPen(QPen(s.color_frame, std::max(s.LineWidth, 1), Qt::SolidLine, Qt::FlatCap));
    for (int yn : y)
        p.drawLine(0, yn, width, yn);
    axisLine(image, width / 2, 0, width / 2, height, s.color_frame.rgb(), Qt::DotLine);
    Qt::PenStyle style = Qt::SolidLine;
    p.setPen(QPen(s.color_frame, 1, style));

    const int rowX = trunc32(double(curPos) * 2 * fr.WScale);
    if (fr.tools.CountDis) {
        const int xs = rowX - fr.tools.CountDisStart.x() + 2 * fr.tools.CountDisStartXY.x();
        const int ys = fr.tools.CountDisStart.y();
        if (fr.tools.CountDisPoint >= 1) {
            p.drawLine(xs - 7, ys - 7, xs + 7, ys + 7);
            p.drawLine(xs + 7, ys - 7, xs - 7, ys + 7);
        }
        if (fr.tools.CountDisPoint >= 2) {
            const int xe = rowX - fr.tools.CountDisEnd.x() + 2 * fr.tools.CountDisEndXY.x();
            const int ye = fr.tools.CountDisEnd.y();
            p.drawLine(xe - 7, ye - 7, xe + 7, ye + 7);
            p.drawLine(xe + 7, ye - 7, xe - 7, ye + 7);
            p.drawLine(xs, ys, xe, ye);
        }
    }
    if (fr.tools.CountDisPro) {
        const QColor yellow(255, 255, 0);
        style = Qt::DotLine;
        p.setPen(QPen(yellow, 1, style));
        const int xs = rowX - fr.tools.CountDisProStart.x() + 2 * fr.tools.CountDisProStartXY.x();
        p.drawLine(xs, 0, xs, height);
        p.drawLine(0, fr.tools.CountDisProStart.y(), width, fr.tools.CountDisProStart.y());
        if (fr.tools.CountDisProCompleted) {
            const int xe = rowX - fr.tools.CountDisProEnd.x() + 2 * fr.tools.CountDisProEndXY.x();
            p.drawLine(xe, 0, xe, height);
            p.drawLine(0, fr.tools.CountDisProEnd.y(), width, fr.tools.CountDisProEnd.y());
            p.drawLine(xs, fr.tools.CountDisProStart.y(), xe, fr.tools.CountDisProEnd.y());
            const double metres = std::abs(fr.tools.CountDisProStart.x() - fr.tools.CountDisProEnd.x()) / fr.WScale / 1000;
            const int depth = trunc32(std::abs(fr.tools.CountDisProStart.y() - fr.tools.CountDisProEnd.y()) / fr.HScale);
            p.setFont(canvasFont(8));
            textOut(p, xe, fr.tools.CountDisProEnd.y(),
                    QStringLiteral("测距结果：  →:") + QString::number(metres, 'f', 3) + QStringLiteral("m,  ↓:")
                        + QString::number(depth) + QStringLiteral("mm"));
        }
    }

    const auto styles = f.settings().helpLineStyles();
    p.setFont(canvasFont(8));
    p.setPen(s.color_frame);
    for (int n = 0; n < 6; ++n) {
        style = helpLinePenStyle(styles[n], style);
        const int depth = f.HelpLine[n];
        const bool aboveLine1 = depth < H[1];
        const int yLine = trunc32((aboveLine1 ? depth : depth - f.std_bshowhidevalue) * fr.HScale);
        axisLine(image, 0, yLine, width, yLine, s.color_frame.rgb(), style);
        textOut(p, 10, yLine, QString::number(aboveLine1 ? depth : depth - H[1]));
    }

    if (s.std_ColorShow) {
        for (int k = 0; k < 10; ++k) {
            p.setPen(s.color_channel[k]);
            textOut(p, width - 25, 10 + 15 * k, kChannelNames[k] ? QString::fromLatin1(kChannelNames[k]) : QStringLiteral("失波"));
        }
    }
}

bool BScanFrame::recordsShown()
{
    if (versionChecked < 0)
        versionChecked = versionShowsRecords(f.std_systempara) ? 1 : 0;
    return versionChecked == 1;
}

void BScanFrame::drawMarks(QPainter &p, int64_t row)
{
    while (nextMark < marksInView.size() && marksInView[nextMark].m_Pos < row)
        ++nextMark;
    for (; nextMark < marksInView.size() && marksInView[nextMark].m_Pos == row; ++nextMark) {
        p.setPen(s.color_text);
        p.setFont(canvasFont(int(s.font_size * 1.1)));
        textOut(p, col(row), trunc32(mapHeight - 3.0 * s.font_size), QString(QChar(marksInView[nextMark].m_Cmd)));
    }
}

void BScanFrame::addEchoes(int64_t row, std::array<bool, 10> &hasEcho)
{
    const TDataHeight &H = f.std_OIMG_Height;
    const StdFormat::RowPackets span = f.rowPackets(row);
    const double shift = double(curPos - row) * 2;
    const int lengthLimit70 = trunc32(20 * fr.HScale);
    for (int64_t i = span.echoBegin; i < span.echoEnd; ++i) {
        const TPACKET &packet = f.std_packet[i];
        const int ch = int(packet.m_Cmd) - '0';
        if (ch == 9) {
            const QPoint at(trunc32((shift + fr.probepara_p[5]) * fr.WScale), trunc32(H[4] * fr.HScale - s.LineWidth));
            fr.BScanLists.lines[9].push_back({9, at, at});
            continue;
        }
        if (ch < 0 || ch > 8 || hasEcho[ch])
            continue;
        const int length = std::abs(int(packet.m_Data2) - int(packet.m_Data1));
        const bool seventy = isSeventyDegree(ch);
        if (length > (seventy ? lengthLimit70 : 20))
            continue;
        const TPos pos = fr.EchoPositions.position(ch, packet.m_Data1, packet.m_Data2);
        QPoint start(trunc32((shift + pos.xs) * fr.WScale), 0);
        QPoint end(trunc32((shift + pos.xe) * fr.WScale), 0);
        if (seventy) {
            start.setY(trunc32(pos.ys * 2 * fr.HScale));
            end.setY(trunc32(pos.ye * 2 * fr.HScale));
            const int limit = depthLimits[ch];
            if (start.y() > limit)
                continue;
            end.setY(std::min(end.y(), limit));
        } else {
            const int y = trunc32((double(pos.ys) * 2 + H[1] - f.std_bshowhidevalue) * fr.HScale);
            start.setY(y);
            end.setY(y);
        }
        fr.BScanLists.lines[ch].push_back({int8_t(ch), start, end});
        hasEcho[ch] = true;
    }
}

void BScanFrame::applyChannelFilter(const std::array<bool, 10> &hasEcho)
{
    for (int ch = 0; ch < 10; ++ch) {
        if (hasEcho[ch]) {
            ++runLength[ch];
            continue;
        }
        const int n = runLength[ch];
        if (s.ChannelFilter[ch] > n) {
            auto &list = fr.BScanLists.lines[ch];
            list.resize(list.size() > size_t(n) ? list.size() - size_t(n) : 0);
        }
        runLength[ch] = 0;
    }
}

QString BScanFrame::operatorText(int number) const
{
    QString text;
    for (int e = 0; e < 8; ++e) {
        const QString entry = stdText(f.std_systempara.m_OperatorRecord[e], 8).trimmed();
        if (entry.isEmpty())
            continue;  // unused places of the table
        bool ok = false;
        const int entryNumber = entry.left(3).toInt(&ok);
        if (!ok)
            throw StdDataError(QStringLiteral("操作者表第 %1 项的编号无效").arg(e + 1));
        if (entryNumber == number)
            text = QStringLiteral("操作者") + entry.mid(3);
    }
    return text;
}

void BScanFrame::writeMileageLine(QPainter &p, int64_t row, const TPACKET &mileage)
{
    QString line = f.GetPara(0).left(10) + QLatin1Char(' ') + fr.InstantTime + QStringLiteral("  ")
        + QString::number(mileage.m_Data1) + QStringLiteral("Km,") + QString::number(mileage.m_Data2) + QLatin1Char('m');
    if (s.std_SpeedShow)
        line += QStringLiteral("  速度:") + QString::asprintf("%.1f", fr.ScanSpeed / 100.0 * SpeedFactor)
            + QStringLiteral("km/h");
    p.setPen(s.color_text);
    p.setFont(canvasFont(s.font_size, true));
    textOut(p, col(row), trunc32(mapHeight - 1.8 * s.font_size), line);
}

void BScanFrame::addRecords(QPainter &p, int64_t row)
{
    const StdFormat::RowPackets span = f.rowPackets(row);
    if (!span.valid())
        return;
    const auto &packets = f.std_packet;
    const int x0 = trunc32(double(col(row)) + f.std_systempara.m_ZoomStartPoint);
    const int textY = trunc32(bitmapHeight - 2.0 * s.font_size);
    const int railType = f.std_systempara.m_RailType;
    const int turnoutY = trunc32(ChannelGeometry::bandHeights(railType, false)[4] * fr.HScale);
    const int64_t rows = int64_t(f.std_packetindex.size());
    const auto neighbourHead = [&](int64_t r) -> int64_t { return r >= 0 && r < rows ? f.std_packetindex[r] : -1; };
    const auto codeAt = [&](int64_t head, int64_t offset) -> char16_t {
        const TPACKET *packet = head < 0 ? nullptr : StdFormat::packetAt(packets, head, offset);
        return packet ? packet->m_Cmd : char16_t(0);
    };

    for (int64_t i = span.recordBegin; i < span.recordEnd; ++i) {
        const TPACKET &packet = packets[i];
        const int64_t k = i - span.head;
        const char16_t code = packet.m_Cmd;
        switch (code) {
        case u'D':
            fr.BScanLists.texts.push_back(
                {QStringLiteral("道岔号") + QString::number(packet.m_Data1), QPoint(x0, turnoutY)});
            break;
        case u'M': {
            const bool speedFollows = (i + 1 < span.recordEnd && packets[i + 1].m_Cmd == u'O')
                || codeAt(neighbourHead(row + 1), k) == u'O';
            if (speedFollows)
                fr.BScanLists.texts.push_back({QString::number(packet.m_Data1) + QStringLiteral("Km,")
                                                  + QString::number(packet.m_Data2) + QLatin1Char('m'),
                                              QPoint(x0, textY)});
            if (recordsShown()) {
                if (packet.m_Data2 % 2 == 0 && packet.m_Data2 != lastMetres)
                    writeMileageLine(p, row, packet);
                lastMetres = packet.m_Data2;
            }
            break;
        }
        case u'O': {
            const bool mileageBefore = (i - 1 >= span.recordBegin && packets[i - 1].m_Cmd == u'M')
                || codeAt(neighbourHead(row - 1), k) == u'M';
            const QString time = twoPlaces(packet.m_Data2 / 60) + QLatin1Char(':') + twoPlaces(packet.m_Data2 % 60);
            if (mileageBefore) {
                const int offset = fr.BScanLists.texts.empty() ? 0 : int(fr.BScanLists.texts.back().Text.size());
                fr.BScanLists.texts.push_back({common::zeroPadded(f.std_systempara.m_Date, 8) + QLatin1Char(' ') + time
                                                  + QStringLiteral(" 速度:")
                                                  + common::formatFloat(float(packet.m_Data1 / 100.0 * SpeedFactor))
                                                  + QStringLiteral("km/h"),
                                              QPoint(x0 + s.font_size * offset, textY)});
            }
            if (recordsShown()) {
                fr.ScanSpeed = packet.m_Data1;
                fr.InstantTime = time;
            }
            break;
        }
        case u'U':
            fr.BScanLists.texts.push_back({operatorText(packet.m_Data1), QPoint(x0, turnoutY)});
            break;
        case u'P':
            if (!fr.BScanLists.signs.empty())
                fr.BScanLists.signs.pop_back();
            break;
        default:
            if (eventGlyph(code - u'A'))
                fr.BScanLists.signs.push_back(
                    {int8_t(code - u'A'),
                     QPoint(int(x0 + 12 * s.sign_size * k), trunc32(bitmapHeight - 12.0 * s.sign_size))});
            break;
        }
    }
}

void BScanFrame::walkRows(QPainter &p)
{
    bitmapHeight = fr.std_BBitMap.height();
    const int halfWidth = s.std_OIMG_Width / 2;
    const int64_t first = std::max<int64_t>(int64_t(curPos) - halfWidth + 1, 0);
    const int64_t last = std::min<int64_t>(int64_t(curPos) + int64_t(s.std_bshowmode) * (halfWidth + 1),
                                           int64_t(f.std_packetindex.size()) - 2);

    if (f.std_CurFile >= 0 && size_t(f.std_CurFile) < f.std_mark.size()) {
        for (const TREMARK &mark : f.std_mark[f.std_CurFile])
            if (mark.m_Pos >= first && mark.m_Pos <= last)
                marksInView.push_back(mark);
        std::stable_sort(marksInView.begin(), marksInView.end(),
                         [](const TREMARK &a, const TREMARK &b) { return a.m_Pos < b.m_Pos; });
    }

    const int railType = f.std_systempara.m_RailType;
    for (int ch = 0; ch < 9; ++ch) {
        fr.EchoPositions.prepare(ch, railType, fr.probepara_p[ch], f.std_systempara.m_Range[ch]);
        depthLimits[ch] = trunc32(ChannelGeometry::depthLimit(railType, ch) * fr.HScale);
    }

    for (int64_t row = first; row <= last; ++row) {
        drawMarks(p, row);
        std::array<bool, 10> hasEcho{};
        addEchoes(row, hasEcho);
        applyChannelFilter(hasEcho);
        addRecords(p, row);
    }
}

void BScanFrame::paintLists(QPainter &p)
{
    for (int ch = 0; ch < 10; ++ch) {
        const QColor colour = s.channelhide[ch] ? s.color_background : s.color_channel[ch];
        strokeEchoLines(fr.std_BBitMap, fr.BScanLists.lines[ch], colour.rgb(), s.DocSize);
    }

    const int cell = s.sign_size;
    p.setPen(Qt::NoPen);
    p.setBrush(s.color_sign);
    for (const TSignToDraw &sign : fr.BScanLists.signs) {
        const TGlyph *glyph = eventGlyph(sign.Sign);
        for (int j = 0; j < 16; ++j)
            for (int m = 0; m < 16; ++m)
                if ((*glyph)[j] & (0x8000 >> m))
                    p.drawEllipse(QRect(sign.Pos.x() + m * cell, sign.Pos.y() + j * cell, cell, cell));
    }
    p.setBrush(Qt::NoBrush);

    p.setPen(s.color_text);
    p.setFont(canvasFont(s.font_size, true));
    for (const TTextToDraw &text : fr.BScanLists.texts)
        if (!text.Text.isEmpty())
            textOut(p, text.Pos.x(), text.Pos.y(), text.Text);
}

} // namespace

QString frameFailureText()
{
    return QStringLiteral("该段数据有误，无法回放，请选择其他数据");
}

void drawFailureText(StdFrame &frame)
{
    for (QImage *image : {&frame.std_BBitMap, &frame.std_ABitMap}) {
        if (image->isNull())
            continue;
        QPainter p(image);
        p.setPen(frame.style.color_text);
        p.setFont(canvasFont(frame.style.font_size, true));
        textOut(p, 5, 5, frameFailureText());
    }
}

bool versionShowsRecords(const TSYSTEMPARA &para)
{
    const QString version = stdText(para.m_Version, 20);
    if (version.size() < 3 || !version.at(2).isDigit())
        throw StdDataError(QStringLiteral("数据版本号“%1”无效").arg(version));
    return version.at(2).digitValue() < 7 || version == QLatin1String("1.7.X");
}

void StdFrame::startSubFile(const mystdfile &file)
{
    CurPlayPos = 0;
    tools.CountDis = false;
    const QString time = common::zeroPadded(file.std_systempara.m_Time, 6);
    InstantTime = time.mid(0, 2) + QLatin1Char(':') + time.mid(2, 2);
}

void StdFrame::DrawBitMap(const mystdfile &file, int MapWidth, int MapHeight, int AMapWidth, int AMapHeight, int CurPos)
{
    BScanLists.clear();
    BScanFrame frame(file, *this, MapWidth, MapHeight, CurPos);
    int width = std::max(std_BBitMap.width(), 1);
    const bool drawable = frame.setUp(width);
    prepareCanvas(std_BBitMap, width, MapHeight);
    if (!drawable) {
        std_BBitMap.fill(style.color_background);  // no bands to draw; keep the image defined
        return;
    }

    QPainter p(&std_BBitMap);
    frame.drawFrame(p, width);
    const bool rowsInRange = CurPos >= 0 && CurPos <= file.std_scandataindex.m_PacketIndexCount - 5;
    DrawAScanPanel(file, *this, AMapWidth, AMapHeight, CurPos, rowsInRange);
    if (!rowsInRange)
        return;
    frame.walkRows(p);
    frame.paintLists(p);
}
