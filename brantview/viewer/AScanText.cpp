#include "AScanText.h"

#include "ChannelNames.h"

#include "recording/RecordTexts.h"

#include "common/NumberFormat.h"

#include <QDateTime>

#include <optional>

namespace brantview {

namespace {

// An A-scan frame carries no firmware version: line kinds 1 and 2 take the reading of
// the older firmware, which is what instruments recording these frames ran.
constexpr int AScanFirmwareVersion = 0;

// Channel numbers count from 1; 0 and numbers above 9 name no channel.
std::optional<int> channelIndex(const AScanFrame &frame)
{
    const int channel = frame.channel();
    if (channel < 1 || channel > ChannelCount)
        return std::nullopt;
    return channel - 1;
}

}  // namespace

QStringList AScanTextBlock::joined() const
{
    QStringList list{title};
    for (const AScanTextLine &line : lines)
        list.append(line.label + line.value);
    return list;
}

QString AScanDateText(const AScanFrame &frame)
{
    const QDate date(fullYear(frame.year), frame.month, frame.day);
    if (!date.isValid())
        return {};
    return common::formatDateTimePattern(QDateTime(date, QTime(0, 0)), u"yyyy年m月d日");
}

QString AScanTimeText(const AScanFrame &frame)
{
    const QTime time(frame.hour, frame.minute, frame.second);
    if (!time.isValid())
        return {};
    return common::formatDateTimePattern(QDateTime(QDate(2000, 1, 1), time), u"h:m:s AM/PM");
}

QString AScanChannelText(const AScanFrame &frame)
{
    const std::optional<int> k = channelIndex(frame);
    return k ? ChannelName(probeConfigOfFrame(frame), *k) : QString();
}

QString AScanRangeText(const AScanFrame &frame)
{
    const std::optional<int> k = channelIndex(frame);
    if (!k)
        return {};
    const std::optional<int> range = TraceRange(probeConfigOfFrame(frame), *k);
    return range ? QString::number(*range) + QStringLiteral("毫米") : QString();
}

QString AScanLineText(const AScanFrame &frame)
{
    QString text = lineKindText(frame.lineKind(), AScanFirmwareVersion);
    if (!text.isEmpty())
        text += u',';
    return text + trackOrLineText(frame.trackOrLine(), frame.lineKind()) + railSideText(frame.railSide());
}

QString AScanPositionText(const AScanFrame &frame)
{
    return AScanLineText(frame) + QString::number(frame.kilometrePost()) + QStringLiteral("公里") + QString::number(frame.railNumber)
           + QStringLiteral("号轨") + referenceEndText(frame.referenceEndBit())
           + common::formatPattern(frame.distance / 10.0, u"00.0") + QStringLiteral("米");
}

AScanTextBlock AScanFrameText(const AScanFrame &frame, int frameIndex)
{
    AScanTextBlock block;
    block.title =
        QStringLiteral("记录") + QString::number(frameIndex) + QStringLiteral("Brantel全数字钢轨探伤仪A超报告");
    block.lines = {{
        {QStringLiteral("探伤日期:"), AScanDateText(frame)},
        {QStringLiteral("探伤时间:"), AScanTimeText(frame)},
        {QStringLiteral("探头(通道):"), AScanChannelText(frame)},
        {QStringLiteral("衰减量:"), QString::number(frame.attenuation) + QStringLiteral("dB")},
        {QStringLiteral("钢轨轨型:"), railTypeText(frame.railType())},
        {QStringLiteral("量程:"), AScanRangeText(frame)},
        {QStringLiteral("探测位置:"), AScanPositionText(frame)},
    }};
    return block;
}

}  // namespace brantview
