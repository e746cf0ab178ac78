// marklist: the review-mark list of a record as "浏览标记列表" shows it, with its deletes,
// their saving and the workbook export.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/MarkList.h"
#include "common/cli/CliArgs.h"
#include "recording/ReviewMarks.h"
#include "recording/SideLists.h"

#include <QFileInfo>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::parseInt;
using namespace brantview;

namespace {

// A side list named on the command line must be there: an empty list would pass unnoticed.
QString sideListOption(const CliArgs &options, const QString &name)
{
    const QString path = options.required(name);
    if (!QFileInfo(path).isFile())
        throw UsageError(QStringLiteral("--%1: cannot read %2").arg(name, path));
    return path;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("filter")},
                                 {QStringLiteral("delete"), true, true},
                                 {QStringLiteral("save"), false},
                                 {QStringLiteral("export")},
                                 {QStringLiteral("work-numbers")},
                                 {QStringLiteral("line-names")}});
    const QString path = options.file();
    const int filter = options.optionalInt(QStringLiteral("filter")).value_or(0);
    if (filter < 0 || filter >= MarkListFilterCount)
        throw UsageError(QStringLiteral("--filter: %1 is outside 0 to %2").arg(filter).arg(MarkListFilterCount - 1));
    std::vector<int> rows;
    for (const QString &text : options.values(QStringLiteral("delete")))
        rows.push_back(parseInt(QStringLiteral("--delete"), text));

    ViewSources sources;
    if (options.has(QStringLiteral("work-numbers")))
        sources.workNumbers = LoadWorkNumbers(sideListOption(options, QStringLiteral("work-numbers")));
    if (options.has(QStringLiteral("line-names")))
        sources.lineNames = LoadLineNames(sideListOption(options, QStringLiteral("line-names")));

    RecordingSlot slot = loadStream(path);
    MarkList list = BuildMarkList(slot, filter, sources);
    QJsonArray deleted;
    bool changed = false;
    for (const int row : rows) {
        const bool removed = DeleteListedMark(slot, list, row);
        changed = changed || removed;
        deleted.append(removed);
        list = BuildMarkList(slot, filter, sources);
    }
    const bool save = changed && options.has(QStringLiteral("save"));
    // Only a file with a trailer holds marks to delete, so no operator name is asked.
    if (save)
        SaveReviewMarks(slot, {});
    const std::optional<QString> workbook = options.value(QStringLiteral("export"));
    if (workbook)
        ExportMarkList(*workbook, slot, list);

    QJsonArray rowMap;
    for (const int index : list.ListRowMap)
        rowMap.append(index);
    QJsonObject result{
        {QStringLiteral("file"), path},
        {QStringLiteral("ReplayerName"), replayerNameText(slot.ReplayerName)},
        {QStringLiteral("filter"), MarkListFilterCaptions().at(filter)},
        {QStringLiteral("lines"), QJsonArray::fromStringList(list.lines)},
        {QStringLiteral("ListRowMap"), rowMap},
        {QStringLiteral("deleted"), deleted},
        {QStringLiteral("saved"), save},
    };
    if (workbook)
        result.insert(QStringLiteral("export"), *workbook);
    return result;
}

} // namespace

CliCommand marklistCommand()
{
    return {QStringLiteral("marklist"),
            QStringLiteral("list, delete and export the review marks as \"浏览标记列表\" does"),
            QStringLiteral(
                "Usage: brantview-cli marklist FILE [--filter F] [--delete ROW ...] [--save] [--export NAME.xls]\n"
                "                              [--work-numbers WK.TXT] [--line-names XB.TXT]\n"
                "Prints the list lines of FILE's review marks (the heading first) under filter F (0 所有标记,\n"
                "1 开关机, 2 疑问标记, 3 已阅标记, 4 鱼鳞纹, 5..8 关注1..4; default 0). Each --delete removes\n"
                "the operator's mark in list row ROW (1 is the first mark under the heading) of the list as it\n"
                "stands, in the order given, the list rebuilt after each; browse marks and the heading stay.\n"
                "The file changes only with --save, which rewrites its trailer. --export writes the list to\n"
                "a workbook (sheet \"回访标记\"). Work numbers and line codes are shown by name where the\n"
                "lists given hold them.\n"),
            run};
}
