// speed: the overspeed statistics of "速度统计", optionally written to a workbook.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/SpeedStatistics.h"
#include "common/cli/CliArgs.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

SpeedStatistic modeOption(const CliArgs &options)
{
    const QString mode = options.value(QStringLiteral("mode")).value_or(QStringLiteral("all"));
    if (mode == QLatin1String("all"))
        return SpeedStatistic::WholeLine;
    if (mode == QLatin1String("curve"))
        return SpeedStatistic::Curve;
    if (mode == QLatin1String("straight"))
        return SpeedStatistic::Straight;
    if (mode == QLatin1String("marks"))
        return SpeedStatistic::MarkVicinity;
    throw UsageError(QStringLiteral("--mode: '%1' is not all, curve, straight or marks").arg(mode));
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("limit")},
                                 {QStringLiteral("len")},
                                 {QStringLiteral("mode")},
                                 {QStringLiteral("prev")},
                                 {QStringLiteral("next")},
                                 {QStringLiteral("view-start")},
                                 {QStringLiteral("export")}});
    const QString path = options.file();
    const SpeedStatistic statistic = modeOption(options);
    SpeedInputTexts texts;
    texts.Tspeed = options.required(QStringLiteral("limit"));
    texts.TLen = options.required(QStringLiteral("len"));
    texts.TextPrev = options.value(QStringLiteral("prev")).value_or(texts.TextPrev);
    texts.TextNext = options.value(QStringLiteral("next")).value_or(texts.TextNext);
    const auto parsed = ParseSpeedInputs(texts, statistic);
    if (const QString *message = std::get_if<QString>(&parsed))
        throw UsageError(*message);
    const std::optional<QString> out = options.value(QStringLiteral("export"));

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QStringLiteral("view-start"));
    const SpeedReport report = RunSpeedStatistic(statistic, slot, std::get<SpeedInputs>(parsed), out.has_value());
    if (out)
        ExportSpeedReport(*out, report);

    QJsonObject result{
        {QStringLiteral("file"), path},
        {QStringLiteral("SampleCount"), qint64(slot.MileageTable.size())},
        {QStringLiteral("SampleSpacing"), slot.SampleSpacing},
        {QStringLiteral("ListS"), QJsonArray::fromStringList(report.listLines)},
        {QStringLiteral("totals"), QJsonArray::fromStringList(report.totals)},
    };
    if (out)
        result.insert(QStringLiteral("export"), *out);
    return result;
}

} // namespace

CliCommand speedCommand()
{
    return {QStringLiteral("speed"),
            QStringLiteral("list the stretches pushed faster than a limit, as \"速度统计\" does"),
            QStringLiteral("Usage: brantview-cli speed FILE --limit L --len N [--mode all|curve|straight|marks]\n"
                           "                          [--prev P] [--next Q] [--view-start V] [--export OUT.xls]\n"
                           "Lists the stretches of more than N mileage samples over L km/h: over the whole line\n"
                           "(all, the default), in curves, on straight track, or, with marks, the marks \"*\", \"△\"\n"
                           "and \"M\" that have more than N samples over L from P samples before them to Q after\n"
                           "(default 1 and 2). Prints the list (heading first) and the totals; lengths use the\n"
                           "sample spacing of the parameters in effect at V (default: the view of a fresh load).\n"
                           "With --export, writes the list to the sheet \"速度统计\" of a new workbook OUT.\n"),
            run};
}
