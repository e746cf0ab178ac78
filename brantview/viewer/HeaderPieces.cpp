#include "HeaderPieces.h"

#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"

#include <QDate>
#include <QDateTime>

namespace brantview {

QString gainWithExtra(const HeaderValues &v, const QString &label, int k, int extra, const QString &second)
{
    QString text = label + QString::number(v.gain(k)) + second + QStringLiteral("dB");
    if (v.extraFitted(extra))
        text += u'(' + label.left(label.size() - 1) + QStringLiteral("A:") + QString::number(v.gain(6 + extra))
                + QStringLiteral("dB)");
    return text;
}

QString reflectionText(const HeaderValues &v)
{
    return v.reflectionMode() ? QStringLiteral("(-") + QString::number(v.reflectionValue()) + QStringLiteral("dB)")
                              : QString();
}

QString alarmModeText(const HeaderValues &v)
{
    switch (v.params.byte(37) & 3) {
    case 0: return QStringLiteral("70(一般)");
    case 1: return QStringLiteral("70(智能)");
    case 2: return QStringLiteral("70(分别)");
    default: return {};
    }
}

QString zeroModeText(const HeaderValues &v)
{
    return v.reflectionMode() ? QStringLiteral("0(反射)") : QStringLiteral("0(穿透)");
}

QString recordDateText(const HeaderValues &v, QStringView pattern)
{
    const QDate date(fullYear(v.params.byte(9)), v.params.byte(8), v.params.byte(7));
    if (!date.isValid())
        return {};
    return common::formatDateTimePattern(QDateTime(date, QTime(0, 0)), pattern);
}

QString serialText(const HeaderValues &v)
{
    QString hand;
    if (v.newFirmware())
        hand = (v.params.byte(25) & 0x80) ? QStringLiteral("右手车") : QStringLiteral("左手车");
    return u'(' + v.params.serialText() + hand + u')';
}

QString positionText(const HeaderValues &v)
{
    const ParamBlock &p = v.params;
    QString text = lineKindText(p.byte(14), v.firmwareVersion()) + u'(' + v.lineText + QStringLiteral("),")
                   + railSideText(p.byte(13));
    if (v.recordKind() == 0)
        text += selectedPointText(v);
    return text;
}

QString selectedPointText(const HeaderValues &v)
{
    const ParamBlock &p = v.params;
    return QString::number(p.kilometrePost()) + QStringLiteral("公里") + QString::number(p.byte(18))
           + QStringLiteral("号轨") + referenceEndText(p.byte(11)) + common::formatPattern(p.byte(12) / 10.0, u"##.0");
}

QString directionText(const HeaderValues &v)
{
    return v.params.byte(22) == 2 ? QStringLiteral("里程增加") : QStringLiteral("里程减少");
}

QString filterText(const BrantSettings &s)
{
    auto family = [](const QString &angle, bool shown, int minRun, const QString &comma) {
        return shown ? u'(' + angle + u'<' + QString::number(minRun) + u')' + comma
                     : angle + QStringLiteral("忽略") + comma;
    };
    return family(QStringLiteral("70°"), s.Show70, s.MinRun70, QStringLiteral(","))
           + family(QStringLiteral("37°"), s.Show37, s.MinRun37, QStringLiteral(","))
           + family(QStringLiteral("0°"), s.Show0, s.MinRun0, QString());
}

QString filterOrDamageText(const HeaderValues &v, const BrantSettings &settings)
{
    if (v.recordKind() == 1)
        return QStringLiteral("过滤设置: ") + filterText(settings);
    return QStringLiteral("伤损程度: ") + damageStars(v);
}

QString damageStars(const HeaderValues &v)
{
    return QString(v.params.byte(38), u'*');
}

QString titleText(const HeaderValues &v)
{
    return v.recordKind() == 1 ? QStringLiteral("Brantel数字钢轨探伤仪B超全程记录")
                               : QStringLiteral("Brantel数字钢轨探伤仪B超选点记录");
}

QString operatorLine(const HeaderValues &v)
{
    QString text;
    if (v.replayerName)
        text = QStringLiteral("回放员: ") + *v.replayerName + QStringLiteral("  ");
    return text + QStringLiteral("工(串)号: ") + v.workNumberText + serialText(v) + QStringLiteral("  报警方式：")
           + alarmModeText(v) + zeroModeText(v) + QStringLiteral("  探伤日期: ") + recordDateText(v, u"yyyy年m月d日")
           + QStringLiteral("  版本号: ") + QString::number(v.firmwareVersion());
}

std::vector<int> namedChannels(const HeaderValues &v)
{
    std::vector<int> channels;
    // Extra channels that are not fitted have no name.
    for (const int k : HeaderChannelOrder)
        if (!ChannelName(v.probe, k).isEmpty())
            channels.push_back(k);
    return channels;
}

HeaderLine channelLine(const HeaderValues &v)
{
    HeaderLine line;
    line.text = QStringLiteral("通道设置: ");
    for (const int k : namedChannels(v))
        line.channels.push_back({k, ChannelName(v.probe, k)});
    return line;
}

}  // namespace brantview
