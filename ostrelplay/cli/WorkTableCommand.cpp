// worktable: the work table of a recording, one line per sub-file and the totals line.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

#include "windows/WorkTable.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;

namespace {

QJsonArray jsonTexts(const QStringList &texts)
{
    QJsonArray array;
    for (const QString &text : texts)
        array.append(text);
    return array;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("slot")}});
    const QString path = options.file();
    const int slot = options.optionalInt(QStringLiteral("slot")).value_or(0);
    if (slot != 0 && slot != 1)
        throw UsageError(QStringLiteral("--slot must be 0 or 1"));

    CliRecording recording(path);
    const mystdfile &file = recording.file();
    const WorkTableShown shown = allWorkTableColumns();

    QStringList captions;
    for (const WorkTableColumn &column : workTableColumns())
        captions.append(column.caption);
    QJsonArray rows;
    for (int k = 0; k < file.std_filecount; ++k)
        rows.append(jsonTexts(workTableRow(file, slot, k, shown)));
    // A total that cannot be formed leaves the sub-file lines and says why.
    QJsonValue error;
    try {
        rows.append(jsonTexts(workTableTotalsRow(file, shown)));
    } catch (const StdDataError &e) {
        error = e.text();
    }

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("slot"), slot},
        {QStringLiteral("columns"), jsonTexts(captions)},
        {QStringLiteral("rows"), rows},
        {QStringLiteral("error"), error},
    };
}

} // namespace

CliCommand workTableCommand()
{
    return {QStringLiteral("worktable"),
            QStringLiteral("the work table: one line per sub-file and the totals line"),
            QStringLiteral("Usage: ostrelplay-cli worktable FILE [--slot 0|1]\n"
                           "Prints the column captions and the lines of the work table as the window\n"
                           "shows them with every column ticked: one line per sub-file, the totals line last.\n"
                           "When the total duration cannot be formed, the totals line is left out and\n"
                           "\"error\" says why.\n"
                           "  --slot N   the file slot the table is shown for (default 0): slot 0 gives the\n"
                           "             operator and unit numbers, slot 1 their names\n"),
            run};
}
