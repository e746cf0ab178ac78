// overspeed: the overspeed statistics over every sub-file, with its rows and status text.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliRecording.h"

#include "windows/Overspeed.h"
#include "windows/OverspeedExport.h"

#include <QJsonArray>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::parseDouble;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("speed")}, {QStringLiteral("dist")}, {QStringLiteral("export")}});
    const QString path = options.file();
    const double speed = parseDouble(QStringLiteral("--speed"), options.required(QStringLiteral("speed")));
    if (speed < 0 || speed > 1e6)
        throw UsageError(QStringLiteral("--speed: %1 is outside 0 to 1000000").arg(speed));
    const int dist = options.requiredInt(QStringLiteral("dist"));
    if (dist < 0)
        throw UsageError(QStringLiteral("--dist: %1 is negative").arg(dist));

    CliRecording recording(path);
    const int32_t threshold = rawSpeedThreshold(speed);
    const OverspeedResult result = overspeedScan(recording.file(), threshold, dist);
    QJsonArray rows;
    for (const OverspeedRow &row : result.rows)
        rows.append(QJsonObject{{QStringLiteral("caption"), row.caption},
                                {QStringLiteral("startMileage"), row.startMileage},
                                {QStringLiteral("endMileage"), row.endMileage},
                                {QStringLiteral("distance"), row.distance},
                                {QStringLiteral("averageSpeed"), row.averageSpeed}});
    QJsonObject report{{QStringLiteral("path"), path},
                       {QStringLiteral("threshold"), threshold},
                       {QStringLiteral("rows"), rows},
                       {QStringLiteral("totalMetres"), qint64(result.totalMetres)},
                       {QStringLiteral("status"), overspeedTotalStatus(result)}};
    if (const auto out = options.value(QStringLiteral("export"))) {
        const QString workbook = withXlsExtension(*out);
        const OverspeedExport outcome = exportOverspeed(result.rows, workbook);
        const QString message = overspeedExportMessage(outcome);
        report.insert(QStringLiteral("export"),
                      QJsonObject{{QStringLiteral("path"), workbook},
                                  {QStringLiteral("saved"), outcome == OverspeedExport::Saved},
                                  {QStringLiteral("message"), message.isEmpty() ? QJsonValue() : QJsonValue(message)}});
    }
    return report;
}

} // namespace

CliCommand overspeedCommand()
{
    return {QStringLiteral("overspeed"),
            QStringLiteral("list the stretches driven faster than a speed for longer than a distance"),
            QStringLiteral("Usage: ostrelplay-cli overspeed FILE --speed S --dist D [--export OUT]\n"
                           "Scans every sub-file for speed records at or above S km/h (raw S x 100 / 0.5,\n"
                           "truncated) over more than D metres; a stretch still running at the end of a\n"
                           "sub-file is listed whatever its length. The result holds the rows as the\n"
                           "statistics window lists them and its status text. --export writes the rows to the\n"
                           "workbook OUT (\".xls\" appended unless given) and reports whether it was saved (an\n"
                           "empty list is not); a workbook that cannot be written is an error.\n"),
            run};
}
