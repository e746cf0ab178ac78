// step: the filtered steps of the "<" and ">" buttons, on one file or two.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "recording/ParamsInEffect.h"
#include "recording/ParmFile.h"
#include "recording/RecordingErrors.h"
#include "viewer/Stepping.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

int positive(const QString &name, int value)
{
    if (value < 1)
        throw UsageError(QStringLiteral("--%1: %2 is below 1").arg(name).arg(value));
    return value;
}

QString stopName(StepStop stop)
{
    switch (stop) {
    case StepStop::Hit: return QStringLiteral("hit");
    case StepStop::End: return QStringLiteral("end");
    case StepStop::Cancelled: break;
    }
    return QStringLiteral("cancelled");
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("file2")},
                                 {QStringLiteral("steps")},
                                 {QStringLiteral("back"), false},
                                 {QStringLiteral("view-start")},
                                 {QStringLiteral("view-start2")},
                                 {QStringLiteral("sync"), false},
                                 {QStringLiteral("width")},
                                 {QStringLiteral("parm")},
                                 {QStringLiteral("count")}});
    const QString path = options.file();
    const int a = positive(QStringLiteral("steps"), options.requiredInt(QStringLiteral("steps")));
    const int width = positive(QStringLiteral("width"), options.optionalInt(QStringLiteral("width")).value_or(1200));
    const int count = positive(QStringLiteral("count"), options.optionalInt(QStringLiteral("count")).value_or(1));
    const StepDirection direction = options.has(QStringLiteral("back")) ? StepDirection::Back : StepDirection::Forward;
    const std::optional<QString> path2 = options.value(QStringLiteral("file2"));
    if (!path2 && options.has(QStringLiteral("view-start2")))
        throw UsageError(QStringLiteral("--view-start2 needs --file2"));
    const BrantSettings settings = settingsOption(options);

    RecordingSlots panes;
    panes.Slots[0] = loadStream(path);
    placeView(panes.Slots[0], options, QStringLiteral("view-start"));
    if (path2) {
        panes.Slots[1] = loadForCommand(*path2, 1);
        panes.SecondLoaded = true;
        placeView(panes.Slots[1], options, QStringLiteral("view-start2"));
    }
    ViewState state;
    state.R = width;
    state.SyncOn = options.has(QStringLiteral("sync"));

    const auto viewStarts = [&] {
        QJsonArray list{panes.Slots[0].ViewStart};
        if (panes.SecondLoaded)
            list.append(panes.Slots[1].ViewStart);
        return list;
    };
    const QJsonArray start = viewStarts();
    QJsonArray steps;
    for (int k = 0; k < count; ++k) {
        const StepOutcome outcome = StepViews(panes, state, settings, direction, a);
        steps.append(
            QJsonObject{{QStringLiteral("ViewStart"), viewStarts()}, {QStringLiteral("stop"), stopName(outcome.stop)}});
    }
    QJsonObject result{
        {QStringLiteral("file"), path},
        {QStringLiteral("R"), width},
        {QStringLiteral("a"), a},
        {QStringLiteral("step"),
         direction == StepDirection::Forward ? QStringLiteral("StepView") : QStringLiteral("StepViewBack")},
        {QStringLiteral("synchronised"), state.SyncOn && panes.SecondLoaded},
        {QStringLiteral("SyncMode"), settings.SyncMode},
        {QStringLiteral("start"), start},
        {QStringLiteral("steps"), steps},
    };
    if (path2)
        result.insert(QStringLiteral("file2"), *path2);
    return result;
}

} // namespace

CliCommand stepCommand()
{
    return {
        QStringLiteral("step"),
        QStringLiteral("filtered steps through one record or two, as the \"<\" and \">\" buttons make them"),
        QStringLiteral("Usage: brantview-cli step FILE [--file2 FILE2] --steps A [--back] [--view-start P]\n"
                       "                         [--view-start2 P2] [--sync] [--width W] [--parm PATH] [--count N]\n"
                       "Steps the view of FILE by A Steps at a time until a view holds an echo run the filter\n"
                       "shows, a mark or an event record, or the end is reached (\"<\"); --back steps towards\n"
                       "the start (\">\"). The view is W points wide (default 1200) and starts at P (default one\n"
                       "scroll unit before the record). With FILE2 and --sync both step together as SyncMode\n"
                       "says (同时探伤: by the smaller advance; 第2文件为参考: FILE2 follows FILE). The filter and\n"
                       "SyncMode come from the settings file PATH (parm.dat), else the defaults. Makes N steps\n"
                       "(default 1) and prints ViewStart of each record after each, and why the step stopped.\n"),
        run};
}
