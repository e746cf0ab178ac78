// events: the rows of the event filter for a recording.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"
#include "CliTicks.h"

#include "windows/EventRows.h"

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("kinds")}});
    const QString path = options.file();
    const EventKindTicks ticks = tickedBoxes<EventKindCount>(options, QStringLiteral("kinds"));

    const CliRecording recording(path);
    QJsonArray rows;
    for (const EventRow &row : eventRows(recording.file(), ticks))
        rows.append(QJsonObject{{QStringLiteral("caption"), row.caption},
                                {QStringLiteral("event"), row.event},
                                {QStringLiteral("mileage"), row.mileage},
                                {QStringLiteral("position"), row.position}});
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("kinds"), tickedIndices(ticks)},
        {QStringLiteral("rows"), rows},
    };
}

} // namespace

CliCommand eventsCommand()
{
    return {QStringLiteral("events"),
            QStringLiteral("the event filter's rows (事件筛选)"),
            QStringLiteral("Usage: ostrelplay-cli events FILE [--kinds LIST]\n"
                           "Lists the events of every sub-file as the event filter does: caption (sub-file->n),\n"
                           "event, mileage and position, with close light flaws grouped.\n"
                           "  --kinds LIST   ticked kind boxes, comma-separated 0..17; default all:\n"
                           "                 0 打点 1 轻伤 2 放过 3 道岔 4 导线孔 5 关注 6 下道 7 倒车 8 前进\n"
                           "                 9 起点 10 终点 11 焊筋接头 12 里程校正 13 增益调整 14 操作者\n"
                           "                 15 轨型切换 16 轻发伤 17 重伤\n"),
            run};
}
