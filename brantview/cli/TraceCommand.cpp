// trace: the echo trace of "A显校对" at one marker position, drawn into a PNG, with
// the column found, its echoes and the spikes as numbers.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/EchoTracePicture.h"
#include "analysis/TwipCanvas.h"
#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "common/cli/CliJson.h"
#include "recording/ParamsInEffect.h"
#include "viewer/ViewCanvas.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

constexpr int DefaultWidth = 1000;  // points, the main view's width
constexpr double PictureDpi = 96;

QJsonArray jsonSpikes(const std::vector<TraceSpike> &spikes)
{
    QJsonArray list;
    for (const TraceSpike &s : spikes)
        list.append(QJsonArray{s.row, s.x, s.peak, colourName(s.colour), s.channel});
    return list;
}

QJsonArray jsonEchoes(const EchoDepths &depths)
{
    QJsonArray rows;
    for (const auto &pair : depths)
        rows.append(common::cli::jsonInts(pair));
    return rows;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("view-start")},
                                 {QStringLiteral("marker")},
                                 {QStringLiteral("high"), false},
                                 {QStringLiteral("width")},
                                 {QStringLiteral("parm")},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const QString out = options.required(QStringLiteral("out"));
    const int W = options.optionalInt(QStringLiteral("width")).value_or(DefaultWidth);
    if (W < 1 || W > 20000)
        throw UsageError(QStringLiteral("--width: %1 is not 1..20000 points").arg(W));
    const int marker = options.requiredInt(QStringLiteral("marker"));
    if (marker < 0 || marker > W)
        throw UsageError(QStringLiteral("--marker: %1 is not 0..%2 (the width)").arg(marker).arg(W));
    const bool high = options.has(QStringLiteral("high"));
    const BrantSettings settings = settingsOption(options);

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QStringLiteral("view-start"));
    TakeParamsInEffect(slot);
    const EchoTrace trace = TraceAtMarker(slot, marker, W, high);
    const TraceColours colours{settings.BackColour, settings.ForeColour, settings.ChannelColour};
    const TraceWindowPicture picture = DrawTraceWindowPicture(W * TwipsPerPoint, TracePictureHeight, PictureDpi, trace,
                                                              settings.TextFonts[0], colours);
    const TraceDrawing &drawing = picture.drawing;

    QJsonValue column = QJsonValue::Null;
    if (trace.column)
        column = QJsonObject{{QStringLiteral("index"), *trace.column},
                             {QStringLiteral("position"), slot.Columns[size_t(*trace.column)].position}};
    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("out"), out},
        {QStringLiteral("HighSensitivityMode"), high},
        {QStringLiteral("ViewStart"), slot.ViewStart},
        {QStringLiteral("CurrentColumn"), slot.CurrentColumn},
        {QStringLiteral("W"), W},
        {QStringLiteral("P"), qint64(trace.P)},
        {QStringLiteral("column"), column},
        {QStringLiteral("echoes"), jsonEchoes(trace.echoes.depths)},
        {QStringLiteral("loss"), trace.echoes.loss},
        {QStringLiteral("band"), trace.echoes.band},
        {QStringLiteral("doubleProbeMode"), trace.doubleProbeMode},
        {QStringLiteral("Wd"), drawing.Wd},
        {QStringLiteral("H"), drawing.H},
        {QStringLiteral("y0"), drawing.y0},
        {QStringLiteral("spikes"), jsonSpikes(drawing.spikes)},
        {QStringLiteral("references"), jsonSpikes(drawing.references)},
        {QStringLiteral("unrangedChannels"), common::cli::jsonInts(drawing.unrangedChannels)},
    };
    common::cli::writeOutputFiles({{out, common::cli::pngBytes(picture.image, out)}});
    return result;
}

} // namespace

CliCommand traceCommand()
{
    return {QStringLiteral("trace"), QStringLiteral("the echo trace of \"A显校对\" at one marker position, into a PNG"),
            QStringLiteral(
                "Usage: brantview-cli trace FILE --view-start P --marker X [--high] [--width W] [--parm PARM]\n"
                "                          --out PNG\n"
                "With the view's right edge at P (default: the view of a fresh load) and a view W points wide\n"
                "(default 1000), the marker value X (0..W, W = the right edge) stands over position\n"
                "P + W - X. Finds the column at exactly that position, from the column at P - 100 forward,\n"
                "and draws its echoes (--high: codes 26..29 feed channels \"1\" and \"2\" in place of 1..4)\n"
                "as the echo trace window does: the trace with its rulers, W points wide, in twips at\n"
                "96 dpi, colours and font from PARM. Prints the column found (index and position, or null),\n"
                "echoes (9 channels x 2 depths), loss and band, doubleProbeMode, the trace's Wd, H and y0\n"
                "(twips), spikes and references as [row, x, peak, colour, channel] and the channels whose\n"
                "echoes had no TraceRange.\n"),
            run};
}
