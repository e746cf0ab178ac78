// find-mark: the searches of "标记查找" ("向前查找", "向后查找") and its counters.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/MarkFind.h"

#include "common/cli/CliArgs.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

// The check boxes named in --kinds.
MarkFindCriteria criteriaOf(const CliArgs &options)
{
    MarkFindCriteria criteria;
    const QString list = options.value(QStringLiteral("kinds")).value_or(QString());
    for (const QString &item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString kind = item.trimmed();
        bool number = false;
        const int mark = kind.toInt(&number);
        if (number && mark >= 1 && mark <= 10)
            criteria.Check1[size_t(mark - 1)] = true;
        else if (kind == QLatin1String("curve"))
            criteria.CheckQX = true;
        else if (kind == QLatin1String("track"))
            criteria.CheckG = true;
        else if (kind == QLatin1String("switch"))
            criteria.CheckC = true;
        else if (kind == QLatin1String("gain"))
            criteria.CheckdB = true;
        else if (kind == QLatin1String("error"))
            criteria.CheckE = true;
        else
            throw UsageError(QStringLiteral("--kinds: unknown kind \"%1\"").arg(kind));
    }
    const QString number = options.value(QStringLiteral("switch")).value_or(QString());
    const QString refused = SwitchNumberEntryError(number);
    if (!refused.isEmpty())
        throw UsageError(QStringLiteral("--switch: %1").arg(refused.trimmed()));
    criteria.switchNumber = SwitchNumberOf(number);
    return criteria;
}

QJsonArray texts(const auto &list)
{
    QJsonArray array;
    for (const QString &text : list)
        array.append(text);
    return array;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("kinds")},
                                 {QStringLiteral("switch")},
                                 {QStringLiteral("back"), false},
                                 {QStringLiteral("view-start")},
                                 {QStringLiteral("width")},
                                 {QStringLiteral("count")}});
    const QString path = options.file();
    const MarkFindCriteria criteria = criteriaOf(options);
    const int width = options.optionalInt(QStringLiteral("width")).value_or(1200);
    if (width < 1)
        throw UsageError(QStringLiteral("--width: %1 is below 1").arg(width));
    const int count = options.optionalInt(QStringLiteral("count")).value_or(1);
    if (count < 1)
        throw UsageError(QStringLiteral("--count: %1 is below 1").arg(count));
    const MarkFindDirection direction =
        options.has(QStringLiteral("back")) ? MarkFindDirection::Backward : MarkFindDirection::Forward;

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QStringLiteral("view-start"));
    const int32_t start = slot.ViewStart;
    QJsonArray searches;
    for (int k = 0; k < count; ++k) {
        const MarkFindStep step = FindMark(slot, criteria, direction, width);
        QJsonObject search;
        if (step.outcome == MarkFindStep::Outcome::Found) {
            slot.ViewStart = step.viewStart;
            search.insert(QStringLiteral("ViewStart"), step.viewStart);
        } else {
            search.insert(QStringLiteral("message"), step.message);
        }
        search.insert(QStringLiteral("MarkFindColumn"), step.MarkFindColumn);
        searches.append(search);
    }
    const MarkFindCounts counts = MarkFindCountsOf(slot);
    return {
        {QStringLiteral("file"), path},
        {QStringLiteral("R"), width},
        {QStringLiteral("direction"),
         direction == MarkFindDirection::Forward ? QStringLiteral("向前查找") : QStringLiteral("向后查找")},
        {QStringLiteral("start"), start},
        {QStringLiteral("CurrentColumn"), slot.CurrentColumn},
        {QStringLiteral("columns"), qint64(slot.Columns.size())},
        {QStringLiteral("searches"), searches},
        {QStringLiteral("counts"),
         QJsonObject{{QStringLiteral("LabelCnt"), texts(counts.LabelCnt)},
                     {QStringLiteral("LabelQX"), counts.LabelQX},
                     {QStringLiteral("LabeldB"), counts.LabeldB}}},
    };
}

} // namespace

CliCommand findMarkCommand()
{
    return {
        QStringLiteral("find-mark"),
        QStringLiteral("the next or previous places that hold chosen marks or records, as \"标记查找\" finds them"),
        QStringLiteral(
            "Usage: brantview-cli find-mark FILE [--kinds LIST] [--switch N] [--back] [--view-start P]\n"
            "                              [--width W] [--count N]\n"
            "Searches FILE N times (default 1) as \"向前查找\" does (--back: \"向后查找\"), each search\n"
            "going on from the view the one before moved to. The view is W points wide (default 1200,\n"
            "a 1600-pixel view at 96 dpi, as render draws it) and starts at P (default one scroll unit\n"
            "before the record, as opening it places it). LIST names the check boxes, separated by\n"
            "commas:\n"
            "  1 .. 10   instrument marks of that kind (>, *, △, !, #, L, S, $, X, M); 1 also finds\n"
            "            calibration records (code 72)\n"
            "  curve     curve entries and exits (\"进出曲线\")\n"
            "  track     track-number records (\"G   股号标记\")\n"
            "  switch    switch marks and switch numbers (\"C   道岔标记\"); --switch N (0..9999) keeps\n"
            "            those with number N\n"
            "  gain      rail type and gain records (\"轨型,dB值,MG\")\n"
            "  error     erroneous points (\".　点统计\")\n"
            "Without --kinds no box is checked. Prints per search the ViewStart the view moves to (the\n"
            "hit 300 points from the left edge) or the message (\"查找结束\", \"未设置查找条件\"), with\n"
            "MarkFindColumn, and the counters the window shows beside the boxes.\n"),
        run};
}
