// dbcurve: the plot of "灵敏度全程变化曲线" for one option: its scale, its steps, the curve's
// corners and LinedB for a view, optionally drawn to a PNG as the window shows it.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/GainCurve.h"
#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "viewer/ViewCanvas.h"

#include <QImage>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

int optionOption(const CliArgs &options)
{
    const int option = options.requiredInt(QStringLiteral("option"));
    if (option < 0 || option >= GainOptionCount)
        throw UsageError(QStringLiteral("--option: %1 is outside 0 to %2").arg(option).arg(GainOptionCount - 1));
    return option;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("option")},
                                 {QStringLiteral("view-start")},
                                 {QStringLiteral("size")},
                                 {QStringLiteral("parm")},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int option = optionOption(options);
    const QSize size = options.size(QStringLiteral("size"), {800, 400}, MaxPictureSide);
    const BrantSettings settings = settingsOption(options);
    const std::optional<QString> out = options.value(QStringLiteral("out"));

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QStringLiteral("view-start"));
    const GainPlot plot(GainDataOf(slot), option, size);
    const int32_t colour = GainCurveColour(option, settings.ChannelColour);

    QJsonArray steps;
    for (const GainStep &step : plot.steps())
        steps.append(QJsonArray{step.position, step.value});
    QJsonArray polyline;
    for (const QPoint &p : plot.polyline())
        polyline.append(QJsonArray{p.x(), p.y()});
    QJsonObject result{
        {QStringLiteral("file"), path},
        {QStringLiteral("option"), option},
        {QStringLiteral("caption"), GainOptions()[size_t(option)].caption},
        {QStringLiteral("byte"), GainOptions()[size_t(option)].byte},
        {QStringLiteral("colour"), colourName(colour)},
        {QStringLiteral("totalLength"), qint64(GainDataOf(slot).totalLength)},
        {QStringLiteral("lo"), plot.scale().lo},
        {QStringLiteral("hi"), plot.scale().hi},
        {QStringLiteral("steps"), steps},
        {QStringLiteral("polyline"), polyline},
        {QStringLiteral("ViewStart"), slot.ViewStart},
        {QStringLiteral("width"), size.width()},
        {QStringLiteral("height"), size.height()},
    };
    const std::optional<int> lineX = plot.lineX(slot.ViewStart);
    if (lineX)
        result.insert(QStringLiteral("LinedB"), *lineX);
    else
        result.insert(QStringLiteral("message"), plot.unavailable());

    if (out) {
        QImage image(size, QImage::Format_RGB32);
        {
            ViewCanvas canvas(image, 72);
            DrawGainPlot(canvas, plot, colour);
            if (lineX)
                DrawLinedB(canvas, *lineX);
        }
        common::cli::writeOutputFiles({{*out, common::cli::pngBytes(image, *out)}});
        result.insert(QStringLiteral("out"), *out);
    }
    return result;
}

} // namespace

CliCommand dbcurveCommand()
{
    return {QStringLiteral("dbcurve"), QStringLiteral("the gain curve of \"灵敏度全程变化曲线\" for one option"),
            QStringLiteral(
                "Usage: brantview-cli dbcurve FILE --option K [--view-start P] [--size WxH] [--parm PATH]\n"
                "                          [--out PNG]\n"
                "K is the option from 0: 0..8 the attenuation of channels 1, 2, 3, 4, 5, 6, 1A, 2A, 6A\n"
                "(gain packet bytes 1..9), 9 the 0° reflection value (byte 10). Prints the caption, the\n"
                "curve's colour (ChannelColour of the parm.dat at PATH, or the defaults), totalLength\n"
                "(Steps), the scale lo..hi, the steps as [position, value], the curve's corners as\n"
                "[x, y] pixels on a plot of W x H (default 800x400) and LinedB, the x of the view at P\n"
                "(default: the view a fresh load shows). --out draws the plot and LinedB to PNG.\n"),
            run};
}
