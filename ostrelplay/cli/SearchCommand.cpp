// search: the mileage search, with the row a double-click on each result goes to.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

#include "windows/MileageSearch.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;

namespace {

int nonNegative(const CliArgs &options, const QString &name)
{
    const int value = options.requiredInt(name);
    if (value < 0)
        throw UsageError(QStringLiteral("--%1: %2 is negative").arg(name).arg(value));
    return value;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("km")}, {QStringLiteral("m")}});
    const QString path = options.file();
    const MileageTarget target{nonNegative(options, QStringLiteral("km")), nonNegative(options, QStringLiteral("m"))};

    CliRecording recording(path);
    QJsonArray rows;
    for (const int j : subFilesCovering(recording.file(), target)) {
        recording.switchTo(QStringLiteral("FILE"), j);
        const mystdfile &file = recording.file();
        // Covering sub-files run in direction 0 or 1, so there is always an estimate.
        const int64_t estimate = estimatedRow(file.std_systempara, target).value_or(0);
        rows.append(QJsonObject{
            {QStringLiteral("subfile"), j + 1},
            {QStringLiteral("estimate"), qint64(estimate)},
            {QStringLiteral("realPos"), qint64(realPos(file, j, estimate, target, 0, recording.rowCount() - 1))},
        });
    }
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("km"), target.km},
        {QStringLiteral("m"), target.m},
        {QStringLiteral("rows"), rows},
    };
}

} // namespace

CliCommand searchCommand()
{
    return {QStringLiteral("search"),
            QStringLiteral("the mileage search (里程定位)"),
            QStringLiteral("Usage: ostrelplay-cli search FILE --km K --m M\n"
                           "Lists the sub-files (from 1) whose start and end mileage enclose K km M m, each\n"
                           "with the estimated row (500 rows a metre from its start point) and the row realPos\n"
                           "refines it to: the last row within 20000 whose mileage record reads K and M.\n"),
            run};
}
