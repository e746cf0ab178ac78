// render: one redraw of the B-scan view into a PNG, with what it drew as JSON.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "common/cli/CliJson.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingErrors.h"
#include "viewer/Redraw.h"

#include <QImage>

#include <cmath>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

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

int boundedInt(const CliArgs &options, const QString &name, int fallback, int min, int max)
{
    const int value = options.optionalInt(name).value_or(fallback);
    if (value < min || value > max)
        throw UsageError(QStringLiteral("--%1 must lie between %2 and %3").arg(name).arg(min).arg(max));
    return value;
}

void placeView(RecordingSlot &slot, const std::optional<QString> &viewStart, const QString &option)
{
    SetInitialView(slot);
    if (viewStart)
        slot.ViewStart = positionOption(option, *viewStart);
}

QJsonValue jsonPost(const std::optional<MileagePost> &post)
{
    if (!post)
        return QJsonValue::Null;
    return QJsonArray{post->position, qint64(post->mileageValue())};
}

QJsonObject jsonSlot(const SlotDrawReport &report)
{
    return QJsonObject{
        {QStringLiteral("slot"), report.slot},
        {QStringLiteral("T"), report.T},
        {QStringLiteral("L"), report.L},
        {QStringLiteral("ViewStart"), report.ViewStart},
        {QStringLiteral("CurrentPost"), jsonPost(report.CurrentPost)},
        {QStringLiteral("browseText"), report.browseText},
        {QStringLiteral("dotsPerChannel"), common::cli::jsonInts(report.dotsPerChannel)},
    };
}

QJsonObject run(const QStringList &given)
{
    QStringList args = given;
    const std::optional<std::pair<int32_t, int32_t>> range = takeRange(args);
    const CliArgs options(args, {{QStringLiteral("file2")},
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
                                 {QStringLiteral("out")},
                                 {QStringLiteral("lists"), false}});
    const QString path = options.file();
    const QString out = options.required(QStringLiteral("out"));
    const int width = boundedInt(options, QStringLiteral("width"), 1600, 1, 16000);
    const int height = boundedInt(options, QStringLiteral("height"), 900, 1, 16000);
    const int dpi = boundedInt(options, QStringLiteral("dpi"), 96, 24, 1200);

    BrantSettings settings = settingsOption(options);
    settings.VS = boundedInt(options, QStringLiteral("vs"), settings.VS, 1, 2);
    settings.TrendOn = settings.TrendOn || options.has(QStringLiteral("trend"));
    settings.SkipLateEcho = settings.SkipLateEcho || options.has(QStringLiteral("skip-late"));

    ViewState state;
    state.R = int(std::lround(width * 72.0 / dpi));
    state.viewHeight = height * 72.0 / dpi;
    state.SingleView = options.has(QStringLiteral("single"));
    state.SecondGroupShown = options.has(QStringLiteral("second-group"));
    state.SpliceOn = options.has(QStringLiteral("splice"));
    state.HeaderMode = boundedInt(options, QStringLiteral("header-mode"), 0, 0, 2);
    state.DrawWidth = settings.PointSize;

    RecordingSlots panes;
    panes.Slots[0] = loadStream(path);
    placeView(panes.Slots[0], options.value(QStringLiteral("view-start")), QStringLiteral("view-start"));
    if (const std::optional<QString> second = options.value(QStringLiteral("file2"))) {
        panes.Slots[1] = loadForCommand(*second, 1);
        panes.SecondLoaded = true;
        placeView(panes.Slots[1], options.value(QStringLiteral("view-start2")), QStringLiteral("view-start2"));
    }
    if (range) {
        state.Range.setStart(range->first);
        state.Range.setEnd(range->second);
    }

    QImage image(width, height, QImage::Format_RGB32);
    const bool lists = options.has(QStringLiteral("lists"));
    ViewCanvas canvas(image, dpi, lists);
    const RedrawReport report = Redraw(canvas, panes, settings, state, ViewSources{});

    QJsonArray slotList;
    for (const SlotDrawReport &slot : report.slotReports)
        slotList.append(jsonSlot(slot));
    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("out"), out},
        {QStringLiteral("R"), report.R},
        {QStringLiteral("slots"), slotList},
        {QStringLiteral("headerLines"), QJsonArray::fromStringList(report.headerLines)},
    };
    if (lists) {
        QJsonArray dots;
        for (const DotItem &d : canvas.dots())
            dots.append(QJsonArray{d.x, d.y, colourName(d.colour), d.size});
        QJsonArray texts;
        for (const TextItem &t : canvas.texts())
            texts.append(QJsonArray{t.x, t.y, t.text, colourName(t.colour)});
        result.insert(QStringLiteral("dotList"), dots);
        result.insert(QStringLiteral("textList"), texts);
    }
    common::cli::writeOutputFiles({{out, common::cli::pngBytes(image, out)}});
    return result;
}

} // namespace

CliCommand renderCommand()
{
    return {QStringLiteral("render"), QStringLiteral("one redraw of the B-scan view into a PNG"),
            QStringLiteral("Usage: brantview-cli render FILE [--file2 FILE2] [--view-start P] [--view-start2 P2]\n"
                           "         [--width W] [--height H] [--dpi D] [--parm PATH] [--single] [--header-mode N]\n"
                           "         [--second-group] [--vs 1|2] [--splice] [--trend] [--skip-late] [--range A B]\n"
                           "         --out PNG [--lists]\n"
                           "Draws the view of FILE (and FILE2 in the second pane) as the main window redraws it, on\n"
                           "W x H pixels (default 1600 x 900) at D dots per inch (default 96), and writes it to PNG.\n"
                           "Each view starts where a fresh load puts it unless --view-start/--view-start2 give the\n"
                           "position at its right edge. Settings come from the parm.dat at PATH or the defaults;\n"
                           "--vs, --trend and --skip-late override them. --range marks the range from A to B.\n"
                           "Prints R (the width in points), per slot drawn its T, L, ViewStart, CurrentPost\n"
                           "([position, mileage in 0.1 m] or null), browseText and dotsPerChannel, and the header\n"
                           "lines; with --lists also dotList [x, y, colour, size] and textList [x, y, text, colour]\n"
                           "in points, in drawing order.\n"),
            run};
}
