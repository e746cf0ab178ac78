#include "ViewOptions.h"

#include "CliRecording.h"

#include "recording/ParamsInEffect.h"
#include "recording/ParmFile.h"
#include "recording/RecordingErrors.h"
#include "viewer/PrintRendering.h"

#include <cmath>

using common::cli::CliArgs;
using common::cli::CliOption;
using common::cli::UsageError;

namespace brantview {

namespace {

// "--range A B" takes two values, which the option parser does not: taken out first.
std::optional<std::pair<int32_t, int32_t>> takeRange(QStringList &args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--range"));
    if (at < 0)
        return std::nullopt;
    if (at + 2 >= args.size())
        throw UsageError(QStringLiteral("--range needs two positions"));
    const std::pair<int32_t, int32_t> range{positionOption(QStringLiteral("range"), args[at + 1]),
                                            positionOption(QStringLiteral("range"), args[at + 2])};
    args.remove(at, 3);
    if (args.contains(QStringLiteral("--range")))
        throw UsageError(QStringLiteral("--range given twice"));
    return range;
}

CliArgs optionsOf(const QStringList &args, const std::vector<CliOption> &extra)
{
    std::vector<CliOption> options{{QStringLiteral("file2")},
                                   {QStringLiteral("view-start")},
                                   {QStringLiteral("view-start2")},
                                   {QStringLiteral("width")},
                                   {QStringLiteral("height")},
                                   {QStringLiteral("dpi")},
                                   {QStringLiteral("parm")},
                                   {QStringLiteral("single"), false},
                                   {QStringLiteral("header-mode")},
                                   {QStringLiteral("second-group"), false},
                                   {QStringLiteral("vs")},
                                   {QStringLiteral("splice"), false},
                                   {QStringLiteral("trend"), false},
                                   {QStringLiteral("skip-late"), false},
                                   {QStringLiteral("print"), false}};
    options.insert(options.end(), extra.begin(), extra.end());
    return CliArgs(args, options);
}

int boundedInt(const CliArgs &options, const QString &name, int fallback, int min, int max)
{
    const int value = options.optionalInt(name).value_or(fallback);
    if (value < min || value > max)
        throw UsageError(QStringLiteral("--%1 must lie between %2 and %3").arg(name).arg(min).arg(max));
    return value;
}

} // namespace

ViewArgs parseViewArgs(const QStringList &args, const std::vector<CliOption> &extra)
{
    QStringList rest = args;
    const std::optional<std::pair<int32_t, int32_t>> range = takeRange(rest);
    return ViewArgs{optionsOf(rest, extra), range};
}

CliView loadView(const ViewArgs &args)
{
    const CliArgs &options = args.options;
    CliView view;
    view.path = options.file();
    view.width = boundedInt(options, QStringLiteral("width"), 1600, 1, 16000);
    view.height = boundedInt(options, QStringLiteral("height"), 900, 1, 16000);
    view.dpi = boundedInt(options, QStringLiteral("dpi"), 96, 24, 1200);
    view.print = options.has(QStringLiteral("print"));

    BrantSettings &settings = view.settings;
    settings = settingsOption(options);
    settings.VS = boundedInt(options, QStringLiteral("vs"), settings.VS, 1, 2);
    settings.TrendOn = settings.TrendOn || options.has(QStringLiteral("trend"));
    settings.SkipLateEcho = settings.SkipLateEcho || options.has(QStringLiteral("skip-late"));

    ViewState &state = view.state;
    state.R = int(std::lround(view.width * 72.0 / view.dpi));
    state.viewHeight = view.height * 72.0 / view.dpi;
    state.SingleView = options.has(QStringLiteral("single"));
    state.SecondGroupShown = options.has(QStringLiteral("second-group"));
    state.SpliceOn = options.has(QStringLiteral("splice"));
    state.HeaderMode = boundedInt(options, QStringLiteral("header-mode"), 0, 0, 2);
    state.DrawWidth = settings.PointSize;

    RecordingSlots &panes = view.panes;
    panes.Slots[0] = loadStream(view.path);
    placeView(panes.Slots[0], options, QStringLiteral("view-start"));
    if (const std::optional<QString> second = options.value(QStringLiteral("file2"))) {
        panes.Slots[1] = loadForCommand(*second, 1);
        panes.SecondLoaded = true;
        placeView(panes.Slots[1], options, QStringLiteral("view-start2"));
    }
    if (args.range) {
        state.Range.setStart(args.range->first);
        state.Range.setEnd(args.range->second);
    }
    return view;
}

QImage viewImage(const CliView &view)
{
    return QImage(view.width, view.height, QImage::Format_RGB32);
}

RedrawReport drawView(CliView &view, ViewCanvas &canvas)
{
    if (view.print)
        return RedrawForPrint(canvas, view.panes, view.settings, view.state, ViewSources{});
    return Redraw(canvas, view.panes, view.settings, view.state, ViewSources{});
}

QString viewOptionsUsage()
{
    return QStringLiteral(
        "FILE [--file2 FILE2] [--view-start P] [--view-start2 P2]\n"
        "         [--width W] [--height H] [--dpi D] [--parm PATH] [--single] [--header-mode N]\n"
        "         [--second-group] [--vs 1|2] [--splice] [--trend] [--skip-late] [--range A B] [--print]");
}

QString viewOptionsHelp()
{
    return QStringLiteral(
        "Draws the view of FILE (and FILE2 in the second pane) as the main window redraws it, on\n"
        "W x H pixels (default 1600 x 900) at D dots per inch (default 96); --print draws it as\n"
        "\"打印图形\" does: black on white, the labels in their own colours. Each view starts where\n"
        "a fresh load puts it unless --view-start/--view-start2 give the position at its right\n"
        "edge. Settings come from the parm.dat at PATH or the defaults; --vs, --trend and\n"
        "--skip-late override them. --range marks the range from A to B.\n");
}

} // namespace brantview
