#include "WordReportTexts.h"

#include "viewer/AScanText.h"
#include "viewer/HeaderPieces.h"

#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"

namespace brantview {

namespace {

// Progress after the title and after each body paragraph, as the report runs.
constexpr int BScanProgress[] = {35, 40, 50, 55, 60, 65, 70, 75, 80, 90, 95};
constexpr int AScanProgress[] = {40, 50, 60, 70, 80};

// The recording's own bytes and the user's line names may hold anything; the
// document name stays one name in the recording's folder.
QString fileNamePiece(const QString &text)
{
    QString piece = text;
    for (QChar &c : piece)
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || QStringView(u":*?\"<>|").contains(c))
            c = u'_';
    return piece;
}

// "站线," … "其它,": the line kind word of the firmware's reading, with its comma.
QString lineKindWord(int kind, int firmwareVersion)
{
    const QString word = lineKindText(kind, firmwareVersion);
    return word.isEmpty() ? word : word + u',';
}

QString gainText(const HeaderValues &v, int k, const QString &label)
{
    return QString::number(v.gain(k)) + QStringLiteral("dB(") + label + QStringLiteral("通道)");
}

QString tabs(int n)
{
    return QString(n, u'\t');
}

template <size_t N>
void numberProgress(ReportText &report, const int (&values)[N])
{
    report.title.progress = values[0];
    for (size_t i = 0; i < report.body.size() && i + 1 < N; ++i)
        report.body[i].progress = values[i + 1];
    report.pictureProgress = values[N - 1];
}

}  // namespace

std::optional<QString> HeaderMileageText(const RecordingSlot &slot)
{
    const MileagePost &post = slot.CurrentPost;
    if (post.position == 0 && post.mileageValue() == 0)
        return std::nullopt;
    return common::formatPattern(post.mileageValue() / 10.0, u"###0KM+##0.0M");
}

QString BScanReportFileName(const HeaderValues &v, const std::optional<QString> &mileageText)
{
    QStringList pieces{recordDateText(v, u"yyyy年m月d日"), serialText(v), v.lineText, railSideText(v.params.byte(13))};
    if (mileageText)
        pieces.append(*mileageText);
    for (QString &piece : pieces)
        piece = fileNamePiece(piece);
    return pieces.join(u'.') + QStringLiteral(".doc");
}

ReportText BScanReportText(const HeaderValues &v)
{
    const ParamBlock &p = v.params;
    const auto extra = [&](int extraChannel, const QString &text) {
        return v.extraFitted(extraChannel) ? text : QString();
    };
    const auto name = [&](int k) { return ChannelName(v.probe, k); };
    const QString gap = QStringLiteral("  ");

    QString position = QStringLiteral("探测位置:   ") + lineKindWord(p.byte(14), v.firmwareVersion()) + u'('
                       + v.lineText + QStringLiteral("),") + railSideText(p.byte(13));
    if (v.recordKind() == 0)
        position += selectedPointText(v) + QStringLiteral("米");

    ReportText report;
    report.caption = QStringLiteral("B超报告");
    report.title.text = QStringLiteral("Brantel全数字钢轨探伤仪B超报告");
    const QStringList lines{
        QStringLiteral("工(串)号: ") + v.workNumberText + serialText(v) + QStringLiteral("       报警方式：")
            + alarmModeText(v) + zeroModeText(v),
        QStringLiteral("探伤日期:   ") + recordDateText(v, u"yyyy年m月d日"),
        QStringLiteral("衰减量: ") + gainText(v, 0, QStringLiteral("1")) + gap
            + extra(0, gainText(v, 6, QStringLiteral("1A")) + gap) + gainText(v, 1, QStringLiteral("2")) + gap
            + extra(1, gainText(v, 7, QStringLiteral("2A")) + gap) + gainText(v, 2, QStringLiteral("3")) + gap,
        QStringLiteral("       ") + gainText(v, 3, QStringLiteral("4")) + gap + gainText(v, 4, QStringLiteral("5"))
            + gap + gainText(v, 5, QStringLiteral("6")) + gap + extra(2, gainText(v, 8, QStringLiteral("6A"))),
        QStringLiteral("通道设置:") + name(0) + gap + name(6) + gap + name(1) + u' ' + name(7) + gap + name(2),
        QStringLiteral("         ") + name(3) + gap + name(4) + gap + name(5) + u' ' + name(8),
        position,
        QStringLiteral("探伤方向:   ") + directionText(v),
        QStringLiteral("钢轨轨型:   ") + railTypeText(v.railType()),
    };
    for (const QString &line : lines)
        report.body.push_back({line});
    if (v.recordKind() != 1)
        report.body.push_back({QStringLiteral("伤损程度:    ") + damageStars(v)});
    numberProgress(report, BScanProgress);
    return report;
}

QString AScanReportLineText(const AScanFrame &frame)
{
    const int layout = frame.referenceEnd >> 1;
    if (layout != 0)
        return AScanLineText(frame);
    static const char16_t *const lines[] = {u"上行线", u"下行线", u"站线", u"联线", u"单线", u"其它线"};
    const int value = frame.trackOrLine();
    const QString line = value >= 100 && value <= 105 ? QString::fromUtf16(lines[value - 100])
                                                      : QString::number(value - 5) + QStringLiteral("号线");
    return line + railSideText(frame.railSide());
}

ReportText AScanReportText(const AScanFrame &frame)
{
    ReportText report;
    report.caption = QStringLiteral("A超报告");
    report.title.text = QStringLiteral("BrantelD全数字钢轨探伤仪A超报告");
    const QStringList lines{
        QStringLiteral("探伤日期:   ") + AScanDateText(frame) + tabs(2) + QStringLiteral("探伤时间:   ")
            + AScanTimeText(frame),
        QStringLiteral("通道号:     ") + AScanChannelText(frame) + tabs(5) + QStringLiteral("衰减量:     ")
            + QString::number(frame.attenuation) + QStringLiteral("dB"),
        QStringLiteral("钢轨轨型:   ") + railTypeText(frame.railType()) + tabs(4) + QStringLiteral("量程:       ")
            + AScanRangeText(frame),
        QStringLiteral("探测位置:   ") + AScanReportLineText(frame) + u',' + QString::number(frame.kilometrePost())
            + QStringLiteral("公里") + QString::number(frame.railNumber) + QStringLiteral("号轨") + u','
            + referenceEndText(frame.referenceEndBit()) + common::formatPattern(frame.distance / 10.0, u"00.0")
            + QStringLiteral("米"),
    };
    for (const QString &line : lines)
        report.body.push_back({line});
    numberProgress(report, AScanProgress);
    return report;
}

}  // namespace brantview
