#include "SpeedStatistics.h"

#include "WorkbookExport.h"

#include "common/NumberFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace brantview {

namespace {

std::optional<double> numberOf(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A whole count from a real that may lie far outside any count.
int64_t clampedFloor(double value)
{
    constexpr double limit = double(int64_t(1) << 62);
    return int64_t(std::floor(std::clamp(value, -limit, limit)));
}

// What the walks compare with: a sample is over when its speed (0.1 km/h) is above
// maxNotOver; a stretch counts when its samples are more than minCount. Both sides
// are whole, so 10 × 2.5 stays exactly 25 whatever binary form 2.5 takes.
struct Limits {
    int64_t maxNotOver;
    int64_t minCount;

    explicit Limits(const SpeedInputs &inputs)
        : maxNotOver(clampedFloor(inputs.Tspeed * 10.0 + 1e-9 * std::max(1.0, std::fabs(inputs.Tspeed * 10.0)))),
          minCount(clampedFloor(std::max(inputs.TLen, 0.0)))
    {
    }
    bool over(const MileageEntry &sample) const { return sample[MileageField::Speed] > maxNotOver; }
};

QString format(double value, const char16_t *pattern)
{
    return common::formatPattern(value, pattern);
}

double metresOf(const MileageEntry &sample)
{
    return double(sample[MileageField::Mileage]) / 10.0;
}

QString mileageText(const MileageEntry &sample)
{
    return format(metresOf(sample), u"   0000+000.0");
}

QString exportMileageText(const MileageEntry &sample)
{
    return format(metresOf(sample), u"###0,000.0");
}

QString kilometresText(int64_t samples, const char16_t *pattern)
{
    return format(double(samples) / 1000.0, pattern);
}

// The stretches of over-limit samples among those `examined` picks: each maximal run
// is handed to `stretch` (start, samples, speed sum) when it is long enough.
struct WalkTotals {
    int64_t examined = 0;
    int64_t stretches = 0;
    int64_t overSamples = 0;
};

template <typename Examined, typename Stretch>
WalkTotals walkStretches(const MileageSamples &samples, const Limits &limits, Examined examined, Stretch stretch)
{
    WalkTotals totals;
    const size_t count = samples.size();
    size_t k = 0;
    while (k < count) {
        if (!examined(samples[k])) {
            ++k;
            continue;
        }
        if (!limits.over(samples[k])) {
            ++totals.examined;
            ++k;
            continue;
        }
        const size_t start = k;
        int64_t sum = 0;
        while (k < count && examined(samples[k]) && limits.over(samples[k])) {
            sum += samples[k][MileageField::Speed];
            ++k;
        }
        const int64_t n = int64_t(k - start);
        totals.examined += n;
        if (n > limits.minCount) {
            ++totals.stretches;
            totals.overSamples += n;
            stretch(start, n, sum);
        }
    }
    return totals;
}

struct StretchTexts {
    QString listHeading;
    QStringList exportHeadings;
    // Only for the curve and straight statistics: the examined part's name.
    QString part;
};

template <typename Examined>
SpeedReport stretchReport(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                          bool withExport, const StretchTexts &texts, Examined examined)
{
    SpeedReport report;
    report.listLines.append(texts.listHeading);
    if (withExport) {
        report.rows.push_back(texts.exportHeadings);
        report.columnWidths = {{1, 12}, {2, 12}, {3, 12}};
    }
    const QString gap(9, QLatin1Char(' '));
    const WalkTotals totals =
        walkStretches(samples, Limits(inputs), examined, [&](size_t start, int64_t n, int64_t sum) {
            const double length = double(n) * SampleSpacing;
            const double average = double(sum) / double(n) / 10.0;
            report.listLines.append(mileageText(samples[start]) + gap + format(length, u"000米") + gap +
                                    format(average, u"0.00km/h"));
            if (withExport)
                report.rows.push_back({exportMileageText(samples[start]), format(length, u"##0"),
                                       format(average, u"0.00")});
        });

    const int64_t count = int64_t(samples.size());
    if (texts.part.isEmpty()) {
        report.totals = {
            QStringLiteral("全线总距离: ") + kilometresText(count, u"###0.###公里"),
            QStringLiteral("超速总次数: ") + format(double(totals.stretches), u"####0次"),
            QStringLiteral("超速总米数: ") + format(double(totals.overSamples), u"#######0米"),
        };
        if (count != 0)
            report.totals.append(QStringLiteral("超速百分比: ") +
                                 format(double(totals.overSamples) / double(count), u"#0.00%"));
        return report;
    }
    report.totals = {
        QStringLiteral("全线总距离:     ") + kilometresText(count, u"###0.0##公里"),
        texts.part + QStringLiteral("总距离:     ") + kilometresText(totals.examined, u"###0.0##公里"),
        texts.part + QStringLiteral("超速总次数: ") + format(double(totals.stretches), u"####0次"),
        texts.part + QStringLiteral("超速总米数: ") + format(double(totals.overSamples), u"#######0米"),
    };
    if (totals.examined != 0)
        report.totals.append(texts.part + QStringLiteral("超速百分比: ") +
                             format(double(totals.overSamples) / double(totals.examined), u"#0.00%"));
    return report;
}

bool inCurve(const MileageEntry &sample)
{
    return sample[MileageField::Curve] != 0;
}

// A sample index from a real: rounded, halves to even, held within [-1, count].
int64_t sampleIndex(double value, size_t count)
{
    return int64_t(std::nearbyint(std::clamp(value, -1.0, double(count))));
}

int64_t readNumber(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

} // namespace

std::variant<SpeedInputs, QString> ParseSpeedInputs(const SpeedInputTexts &texts, SpeedStatistic statistic)
{
    const bool marks = statistic == SpeedStatistic::MarkVicinity;
    SpeedInputs inputs;
    const struct {
        const QString &text;
        QString caption;
        double &value;
        bool used;
    } fields[] = {
        {texts.Tspeed, QStringLiteral("限速"), inputs.Tspeed, true},
        {texts.TLen, marks ? QStringLiteral("超速米个数") : QStringLiteral("连续超速距离"), inputs.TLen, true},
        {texts.TextPrev, QStringLiteral("标记前"), inputs.TextPrev, marks},
        {texts.TextNext, QStringLiteral("标记后"), inputs.TextNext, marks},
    };
    for (const auto &field : fields) {
        if (!field.used)
            continue;
        const std::optional<double> value = numberOf(field.text);
        if (!value)
            return QStringLiteral("“%1”应为数字，请重新输入").arg(field.caption);
        field.value = *value;
    }
    inputs.TLen = std::max(inputs.TLen, 0.0);
    return inputs;
}

QString SpeedStatisticUnavailable(const RecordingSlot &slot)
{
    if (slot.isEmpty())
        return QStringLiteral("请先打开B超记录文件");
    if (slot.isAScan())
        return QStringLiteral("当前文件是A超记录，没有速度数据");
    return {};
}

SpeedReport WholeLineOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                               bool withExport)
{
    const StretchTexts texts{
        QStringLiteral("  超速开始位置    连续超速距离    超速平均速度"),
        {QStringLiteral("超速开始位置"), QStringLiteral("连续超速距离"), QStringLiteral("超速平均速度")},
        {}};
    return stretchReport(samples, SampleSpacing, inputs, withExport, texts, [](const MileageEntry &) { return true; });
}

SpeedReport CurveOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                           bool withExport)
{
    const StretchTexts texts{
        QStringLiteral("  曲线超速开始    曲线连续超速    曲线超速均速"),
        {QStringLiteral("曲线超速开始 "), QStringLiteral("曲线连续超速 "), QStringLiteral("曲线超速均速")},
        QStringLiteral("曲线")};
    return stretchReport(samples, SampleSpacing, inputs, withExport, texts, inCurve);
}

SpeedReport StraightOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                              bool withExport)
{
    const StretchTexts texts{
        QStringLiteral("  直线超速开始    直线连续超速    直线超速均速"),
        {QStringLiteral("直线超速开始"), QStringLiteral("直线连续超速  "), QStringLiteral("直线超速均速")},
        QStringLiteral("直线")};
    return stretchReport(samples, SampleSpacing, inputs, withExport, texts,
                         [](const MileageEntry &sample) { return !inCurve(sample); });
}

SpeedReport MarkVicinityOverspeed(const MileageSamples &samples, const SpeedInputs &inputs, bool withExport)
{
    SpeedReport report;
    report.listLines.append(QStringLiteral(" 标记点附近超速米数多过设定的"));
    if (withExport) {
        report.rows.push_back({QStringLiteral("标记点附近超速米数多过设定的")});
        report.columnWidths = {{1, 24}};
    }

    // Over-limit samples before each index, so that any window is counted at once.
    const Limits limits(inputs);
    const size_t count = samples.size();
    std::vector<uint32_t> overBefore(count + 1, 0);
    for (size_t k = 0; k < count; ++k)
        overBefore[k + 1] = overBefore[k] + (limits.over(samples[k]) ? 1 : 0);

    int64_t marks = 0;
    int64_t hits = 0;
    for (size_t k = 0; k < count; ++k) {
        if (samples[k][MileageField::MarkFlag] == 0)
            continue;
        ++marks;
        const double here = double(k);
        const int64_t first = std::max<int64_t>(here > inputs.TextPrev ? sampleIndex(here - inputs.TextPrev, count) : 0, 0);
        const int64_t last = std::min(sampleIndex(here + inputs.TextNext, count), int64_t(count) - 1);
        const int64_t over = first <= last ? int64_t(overBefore[size_t(last) + 1] - overBefore[size_t(first)]) : 0;
        if (over <= limits.minCount)
            continue;
        ++hits;
        report.listLines.append(mileageText(samples[k]));
        if (withExport)
            report.rows.push_back({exportMileageText(samples[k])});
    }

    report.totals = {
        QStringLiteral("全线总距离:      ") + kilometresText(int64_t(count), u"###0.0##公里"),
        QStringLiteral("有标记总数:      ") + format(double(marks), u"#######0"),
        QStringLiteral("标记米前后有超速: ") + format(double(hits), u"########0"),
    };
    return report;
}

SpeedReport RunSpeedStatistic(SpeedStatistic statistic, const RecordingSlot &slot, const SpeedInputs &inputs,
                              bool withExport)
{
    switch (statistic) {
    case SpeedStatistic::Curve:
        return CurveOverspeed(slot.MileageTable, slot.SampleSpacing, inputs, withExport);
    case SpeedStatistic::Straight:
        return StraightOverspeed(slot.MileageTable, slot.SampleSpacing, inputs, withExport);
    case SpeedStatistic::MarkVicinity:
        return MarkVicinityOverspeed(slot.MileageTable, inputs, withExport);
    case SpeedStatistic::WholeLine:
        break;
    }
    return WholeLineOverspeed(slot.MileageTable, slot.SampleSpacing, inputs, withExport);
}

void FillSpeedSheet(Workbook &book, const SpeedReport &report)
{
    Worksheet &sheet = book.addSheet();
    sheet.setName(SpeedSheetName);
    for (const auto &[column, width] : report.columnWidths)
        sheet.setColumnWidth(column, width);
    for (size_t row = 0; row < report.rows.size(); ++row)
        for (qsizetype column = 0; column < report.rows[row].size(); ++column)
            sheet.setCell(int(row) + 1, int(column) + 1, report.rows[row][column]);
}

void ExportSpeedReport(const QString &path, const SpeedReport &report)
{
    WriteWorkbook(path, [&](Workbook &book) { FillSpeedSheet(book, report); });
}

std::optional<int32_t> SpeedJumpTarget(int row, const QString &line, const MileageSamples &samples)
{
    if (row <= 0 || samples.size() <= 2)
        return std::nullopt;
    const int64_t target =
        readNumber(line.mid(3, 4)) * 10000 + readNumber(line.mid(8, 3)) * 10 + readNumber(line.mid(12, 1));
    // Every enclosing pair would be applied in turn: the last one decides.
    for (size_t k = samples.size() - 1; k-- > 0;) {
        const int64_t a = samples[k][MileageField::Mileage];
        const int64_t b = samples[k + 1][MileageField::Mileage];
        if (std::min(a, b) <= target && target <= std::max(a, b))
            return int32_t(std::clamp<int64_t>(samples[k][MileageField::Position] - 200,
                                               std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
    }
    return std::nullopt;
}

} // namespace brantview
