#include "PacketLabels.h"

#include "recording/Packets.h"

#include "common/NumberFormat.h"

#include <QDateTime>

#include <array>
#include <cmath>
#include <span>

namespace brantview {

namespace {

// A time of day the way the instrument's fields give it; fields out of range carry
// over into the next unit.
QDateTime timeOfDay(int hour, int minute, int second)
{
    const int seconds = ((hour * 3600 + minute * 60 + second) % 86400 + 86400) % 86400;
    return QDateTime(QDate(2000, 1, 1), QTime::fromMSecsSinceStartOfDay(seconds * 1000));
}

QString reviewKindName(int kind)
{
    static const std::array<const char16_t *, 8> names = {u"阅",   u"怀疑",  u"鱼鳞纹始点", u"鱼鳞纹终点",
                                                          u"关注1", u"关注2", u"关注3",      u"关注4"};
    return kind >= 1 && kind <= 8 ? QString::fromUtf16(names[size_t(kind - 1)]) : QString();
}

void drawReviewMarks(SlotDrawing &view, double x, int32_t p)
{
    double y = view.H;
    for (const ReviewMark &mark : view.slot.ReviewMarks) {
        if (mark.kind > 199 || mark.position() != p)
            continue;
        y += 24;
        PrintCursor line(view.canvas, x, y);
        line.print(reviewKindName(mark.kind), ReviewCyan, view.textFont);
        const QDateTime date(QDate(mark.markYear(), mark.month, mark.day), QTime(0, 0));
        line.print(common::formatDateTimePattern(date, u"(yyyy-MM-dd"), ReviewCyan, view.textFont);
        line.print(common::formatDateTimePattern(timeOfDay(mark.hour, mark.minute, mark.second), u" h:m:sAM/PM)"),
                   ReviewCyan, view.textFont);
    }
}

QString channelList(int flags)
{
    static const std::array<const char *, ChannelCount> texts = {"1,", "2,", "3,", "4,", "", "6,", "1A,", "2A,", "6A,"};
    QString list;
    for (int k = 0; k < ChannelCount; ++k)
        if ((flags >> k) & 1)
            list += QLatin1String(texts[size_t(k)]);
    return list;
}

QString railText(int railType)
{
    static const std::array<const char16_t *, 4> texts = {u" 43轨", u" 50轨", u" 60轨", u" 75轨"};
    return railType >= 0 && railType < 4 ? QString::fromUtf16(texts[size_t(railType)]) : QString();
}

// D.MMmmm × 100000 as degrees, minutes and seconds.
QString dmsText(uint32_t value)
{
    const uint32_t degrees = value / 100000;
    const double minutes = (value % 100000) / 1000.0;
    const double wholeMinutes = std::floor(minutes);
    return common::formatPattern(degrees, u"00°") + common::formatPattern(wholeMinutes, u"00′")
        + common::formatPattern((minutes - wholeMinutes) * 60, u"00.00″");
}

} // namespace

void DrawMileageHeader(SlotDrawing &view, const uint8_t *bytes, int32_t p, int curve)
{
    const MileagePacket packet =
        MileagePacket::parse(std::span<const uint8_t, PacketLength::Mileage>(bytes, PacketLength::Mileage));
    const double x = view.x(p);
    if (x > 100 && x < view.layout.R - 100)
        view.slot.CurrentPost = {p, {bytes[8], bytes[7], bytes[6], bytes[5]}};

    const int32_t colour = curve == 1 || curve == 2 ? CurveMagenta : view.settings.ForeColour;
    PrintCursor line(view.canvas, x, view.H);
    if (curve == 1)
        line.print(QStringLiteral("曲线上股"), colour, view.textFont);
    else if (curve == 2)
        line.print(QStringLiteral("曲线下股"), colour, view.textFont);
    line.print(common::formatPattern(packet.mileage / 10.0, u"###0KM+##0.0M"), colour, view.textFont);
    line.print(common::formatDateTimePattern(timeOfDay(packet.hour, packet.minute, packet.second), u"  h:m:sAM/PM  "),
               colour, view.textFont);
    if (!view.settings.SyncMode && view.slotIndex == 1 && view.bothSlots)
        line.print(QStringLiteral(" 参考文件"), colour, view.textFont);
    else
        line.print(common::formatPattern(packet.speed / 10.0, u"0.0km/h") + QLatin1Char('(')
                       + channelList(packet.channelFlags) + QLatin1Char(')'),
                   colour, view.textFont);
    drawReviewMarks(view, x, p);
}

GainsShown gainsOf(const uint8_t *bytes)
{
    GainsShown g;
    for (int k = 0; k < ChannelCount; ++k)
        g.gains[size_t(k)] = bytes[k];
    g.reflection = bytes[9];
    g.railType = bytes[10];
    return g;
}

void DrawGainText(SlotDrawing &view, const uint8_t *bytes, int32_t p)
{
    static const std::array<const char *, ChannelCount> labels = {" 1:", " 2:", " 3:", " 4:", " 5:", " 6:",
                                                                  " 1A:", " 2A:", " 6A:"};
    const GainsShown now = gainsOf(bytes);
    const std::optional<GainsShown> &last = view.gainsShown;
    QString text;
    for (int k = 0; k < ChannelCount; ++k) {
        const bool shown = k < 6 || ExtraChannelFitted(view.probes, k - 6);
        const int gain = now.gains[size_t(k)];
        if (shown && (!last || last->gains[size_t(k)] != gain))
            text += QLatin1String(labels[size_t(k)]) + QString::number(gain) + QStringLiteral("dB");
        if (k == 4 && view.zeroReflection && (!last || last->reflection != now.reflection))
            text += QStringLiteral("(-") + QString::number(now.reflection) + QStringLiteral("dB)");
    }
    if (last && now.railType != last->railType && now.railType < 4)
        text += railText(last->railType) + railText(now.railType);
    text = text.isEmpty() ? QStringLiteral("(dB)") : QLatin1Char('(') + text + QLatin1Char(')');
    view.canvas.text(view.x(p), view.H - 15, text, GainBlue, view.textFont);
    view.gainsShown = now;
}

void DrawGpsText(SlotDrawing &view, const uint8_t *bytes, int32_t p)
{
    const GpsPacket gps = GpsPacket::parse(std::span<const uint8_t, PacketLength::Gps>(bytes, PacketLength::Gps));
    auto value = [&](uint32_t raw) {
        return view.settings.GpsDms ? dmsText(raw)
                                    : common::formatPattern(GpsPacket::decimalDegrees(raw), u"#0.000000##°");
    };
    const QString text =
        QStringLiteral("GPS:东经") + value(gps.longitude) + QStringLiteral(",北纬") + value(gps.latitude);
    view.canvas.text(view.x(p), view.H, text, view.settings.ForeColour, view.textFont);
}

void DrawPowerText(SlotDrawing &view, const uint8_t *bytes, int32_t p)
{
    const PowerPacket power =
        PowerPacket::parse(std::span<const uint8_t, PacketLength::Power>(bytes, PacketLength::Power));
    const double degrees = (power.negative ? -1 : 1) * (power.degrees + power.hundredths / 100.0);
    view.canvas.text(view.x(p), view.H,
                     common::formatPattern(power.voltage / 10.0, u"##.0") + QStringLiteral("V,")
                         + common::formatPattern(degrees, u"###.00") + QStringLiteral("°C,"),
                     view.settings.ForeColour, view.textFont);
}

} // namespace brantview
