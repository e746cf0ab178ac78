// marks: the rows of the mark filter for a recording.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"
#include "CliTicks.h"

#include "windows/MarkRows.h"

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("categories")}});
    const QString path = options.file();
    const MarkCategoryTicks ticks = tickedBoxes<MarkCategoryCount>(options, QStringLiteral("categories"));

    CliRecording recording(path);
    // The mileage texts are those of the current sub-file, the first after opening.
    if (recording.file().std_filecount > 0)
        recording.switchTo(QStringLiteral("FILE"), 0);
    QJsonArray rows;
    for (const MarkRow &row : markRows(recording.file(), ticks))
        rows.append(QJsonObject{{QStringLiteral("caption"), row.caption},
                                {QStringLiteral("category"), row.category},
                                {QStringLiteral("mileage"), row.mileage},
                                {QStringLiteral("position"), row.position}});
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("categories"), tickedIndices(ticks)},
        {QStringLiteral("rows"), rows},
    };
}

} // namespace

CliCommand marksCommand()
{
    return {QStringLiteral("marks"),
            QStringLiteral("the mark filter's rows (标记筛选)"),
            QStringLiteral("Usage: ostrelplay-cli marks FILE [--categories LIST]\n"
                           "Lists the replay marks of every sub-file as the mark filter does: caption\n"
                           "(sub-file->n), category, mileage (by sub-file 1's start point) and position.\n"
                           "  --categories LIST   ticked boxes, comma-separated: 0 一级报警, 1 二级报警,\n"
                           "                      2 伤损确认; default all\n"),
            run};
}
