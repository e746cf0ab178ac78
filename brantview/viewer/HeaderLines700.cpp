#include "HeaderLines.h"

#include "HeaderPieces.h"
#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"

namespace brantview {

namespace {

QString secondText(const HeaderValues &v, int k)
{
    return u'-' + QString::number(v.secondGain(k));
}

QString gainsLine(const HeaderValues &v)
{
    return QStringLiteral("  衰减量: ") + gainWithExtra(v, QStringLiteral("1:"), 0, 0, secondText(v, 0)) + u' '
           + gainWithExtra(v, QStringLiteral("2:"), 1, 1, secondText(v, 1)) + QStringLiteral(" 3:")
           + QString::number(v.gain(2)) + secondText(v, 2) + QStringLiteral("dB 4:") + QString::number(v.gain(3))
           + secondText(v, 3) + QStringLiteral("dB 5:") + QString::number(v.gain(4)) + QStringLiteral("dB ")
           + gainWithExtra(v, QStringLiteral("6:"), 5, 2);
}

QString missLine(const HeaderValues &v)
{
    static const char16_t *const labels[] = {u"1:", u"1A:", u"2:", u"2A:", u"3:", u"4:", u"6:", u"6A:"};
    static const int channels[] = {0, 6, 1, 7, 2, 3, 5, 8};
    QString text = QStringLiteral("失检度(后台通道):  ");
    for (size_t i = 0; i < std::size(channels); ++i)
        text += (i == 0 ? QString() : QStringLiteral(" ")) + QString::fromUtf16(labels[i])
                + QString::number(v.missValues[size_t(channels[i])]) + QStringLiteral("dB");
    return text;
}

QString numberOrNone(const std::optional<int> &number)
{
    return number ? QString::number(*number) : QStringLiteral("无");
}

}  // namespace

std::vector<HeaderLine> FullHeaderLines700(const HeaderValues &v, const BrantSettings &settings)
{
    std::vector<HeaderLine> lines;
    lines.push_back(HeaderLine::of(operatorLine(v)));
    lines.push_back(HeaderLine::of(gainsLine(v)));
    lines.push_back(channelLine(v));
    lines.push_back(HeaderLine::of(missLine(v)));
    lines.push_back(
        HeaderLine::of(QStringLiteral("测量位置: ") + positionText(v) + QStringLiteral("  ") + directionText(v)));
    lines.push_back(HeaderLine::of(QStringLiteral("经过道岔(股号): ") + numberOrNone(v.switchNumber) + u'('
                                   + numberOrNone(v.trackNumber) + u')'));
    lines.push_back(HeaderLine::of(QStringLiteral("钢轨轨型: ") + railTypeText(v.railType())));
    lines.push_back(HeaderLine::of(filterOrDamageText(v, settings)));
    lines.push_back(HeaderLine::of(QStringLiteral("失    检: ")
                                   + (v.params.byte(26) != 0 ? QStringLiteral("打开") : QStringLiteral("关闭"))));
    HeaderLine legend = HeaderLine::of(QStringLiteral("       F1-阅   F2-怀疑   F3-鱼鳞纹始点   F4-鱼鳞纹终点"));
    legend.title = titleText(v);
    lines.push_back(legend);
    return lines;
}

HeaderLine LineHeader700(const HeaderValues &v)
{
    HeaderLine line;
    line.text = recordDateText(v, u"yy/m/d,") + common::formatPattern(v.params.operatorNumber(), u"000") + serialText(v)
                + u',' + railTypeText(v.railType());
    line.bar = ChannelBar::Short;
    for (const int k : namedChannels(v)) {
        const QString detail = k < 4 ? secondText(v, k) : k == 4 ? reflectionText(v) : QString();
        line.channels.push_back(
            {k, ChannelName(v.probe, k) + u'(' + QString::number(v.gain(k)) + detail + QStringLiteral("),")});
    }
    return line;
}

}  // namespace brantview
