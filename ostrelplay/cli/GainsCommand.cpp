// gains: the nine step lines of the gain curve chart for one sub-file.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

#include "windows/GainChart.h"
#include "workspace/PlayerSettings.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::jsonFloat;
using common::cli::jsonNumber;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")}, {QStringLiteral("row")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const std::optional<int> row = options.optionalInt(QStringLiteral("row"));

    // The series take the channel colours the program draws with by default.
    PlayerSettings settings;
    CliRecording recording(path, settings);
    mystdfile &file = recording.file();
    recording.switchTo(QStringLiteral("--subfile"), subFile);
    if (row) {
        recording.checkRow(QStringLiteral("--row"), *row);
        file.setRailType(*row);
    }

    QJsonArray series;
    for (const GainSeries &line : gainChartSeries(file, settings.display)) {
        QJsonArray points;
        for (const QPointF &point : line.points)
            points.append(QJsonArray{qint64(point.x()), jsonFloat(float(point.y()))});
        series.append(QJsonObject{
            {QStringLiteral("title"), line.title},
            {QStringLiteral("color"), line.color.name()},
            {QStringLiteral("points"), points},
        });
    }
    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("subfile"), subFile},
        {QStringLiteral("m_RailType"), jsonNumber(file.std_systempara.m_RailType)},
        {QStringLiteral("series"), series},
    };
    if (row)
        result.insert(QStringLiteral("row"), *row);
    return result;
}

} // namespace

CliCommand gainsCommand()
{
    return {QStringLiteral("gains"),
            QStringLiteral("the gain curve chart's series of one sub-file"),
            QStringLiteral("Usage: ostrelplay-cli gains FILE --subfile K [--row R]\n"
                           "Makes sub-file K (from 0) current and prints the nine series of the gain curve\n"
                           "chart: title, colour and points [row, gain in dB], two per gain area.\n"
                           "  --row R   use the rail type in force at row R (default: the sub-file's own)\n"),
            run};
}
