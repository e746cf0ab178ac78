#include "HeaderLines.h"

#include "HeaderPieces.h"
#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"

namespace brantview {

namespace {

QString olderGainsLine(const HeaderValues &v)
{
    return QStringLiteral("  衰减量: ") + gainWithExtra(v, QStringLiteral("1:"), 0, 0) + u' '
           + gainWithExtra(v, QStringLiteral("2:"), 1, 1) + QStringLiteral(" 3:") + QString::number(v.gain(2))
           + QStringLiteral("dB 4:") + QString::number(v.gain(3)) + QStringLiteral("dB 5:") + QString::number(v.gain(4))
           + QStringLiteral("dB") + reflectionText(v) + u' ' + gainWithExtra(v, QStringLiteral("6:"), 5, 2);
}

QString olderMissText(const HeaderValues &v)
{
    return v.params.byte(26) != 0 ? common::formatPattern(v.params.byte(24), u"##") : QStringLiteral("关闭");
}

}  // namespace

QString HeaderLine::plain() const
{
    QString line = text;
    for (size_t i = 0; i < channels.size(); ++i)
        line += (i == 0 ? QString() : QStringLiteral(" ")) + channels[i].text;
    return line + title;
}

std::vector<HeaderLine> FullHeaderLines(const HeaderValues &values, const BrantSettings &settings)
{
    return values.newFirmware() ? FullHeaderLines700(values, settings) : FullHeaderLinesOlder(values, settings);
}

HeaderLine LineHeader(const HeaderValues &values, const BrantSettings &settings)
{
    return values.newFirmware() ? LineHeader700(values) : LineHeaderOlder(values, settings);
}

std::vector<HeaderLine> FullHeaderLinesOlder(const HeaderValues &v, const BrantSettings &settings)
{
    std::vector<HeaderLine> lines;
    lines.push_back(HeaderLine::of(operatorLine(v)));
    lines.push_back(HeaderLine::of(olderGainsLine(v)));
    lines.push_back(channelLine(v));
    lines.push_back(HeaderLine::of(QStringLiteral("测量位置: ") + positionText(v)));
    lines.push_back(HeaderLine::of(directionText(v) + QStringLiteral("  钢轨轨型: ") + railTypeText(v.railType())
                                   + QStringLiteral("  ") + filterOrDamageText(v, settings)));
    lines.push_back(HeaderLine::of(QStringLiteral("失    检: ") + olderMissText(v)));
    HeaderLine legend =
        HeaderLine::of(QStringLiteral("     F1-阅   F2-怀疑   F3-鱼鳞纹始点   F4-鱼鳞纹终点 F5-关注1  F6-关注2\""));
    legend.title = titleText(v);
    lines.push_back(legend);
    return lines;
}

HeaderLine LineHeaderOlder(const HeaderValues &v, const BrantSettings &settings)
{
    const ParamBlock &p = v.params;
    QString text = recordDateText(v, u"yy/m/d,") + common::formatPattern(p.operatorNumber(), u"000") + serialText(v)
                   + u',' + alarmModeText(v) + zeroModeText(v) + u',';
    for (const int k : HeaderChannelOrder) {
        if (k >= 6 && !v.extraFitted(k - 6))
            continue;
        text += u'(' + QString::number(v.gain(k)) + (k == 4 ? reflectionText(v) : QString()) + QStringLiteral("),");
    }
    text += lineKindText(p.byte(14), v.firmwareVersion()) + QStringLiteral(",(") + v.lineText + QStringLiteral("),")
            + railSideText(p.byte(13)) + QString::number(p.kilometrePost()) + QStringLiteral("公里")
            + QString::number(p.byte(18)) + QStringLiteral("号轨") + referenceEndText(p.byte(11))
            + common::formatPattern(p.byte(12) / 10.0, u"##.0") + directionText(v) + u',' + railTypeText(v.railType())
            + QStringLiteral(",过滤: ") + filterText(settings);
    return HeaderLine::of(text);
}

}  // namespace brantview
