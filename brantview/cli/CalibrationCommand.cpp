// calibration: the picture of "校对波形" for one calibration point, with its run.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/CalibrationDrawing.h"
#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"

#include <QImage>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

// The picture is drawn at one pixel a point.
constexpr int PointsPerInch = 72;

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("record")},
                                 {QStringLiteral("view")},
                                 {QStringLiteral("width")},
                                 {QStringLiteral("height")},
                                 {QStringLiteral("parm")},
                                 {QStringLiteral("second-group"), false},
                                 {QStringLiteral("splice"), false},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int record = options.requiredInt(QStringLiteral("record"));
    const QString out = options.required(QStringLiteral("out"));
    const int width = options.intInRange(QStringLiteral("width"), 1200, 100, MaxPictureSide);
    const int height = options.intInRange(QStringLiteral("height"), 500, 100, MaxPictureSide);
    const std::optional<QString> view = options.value(QStringLiteral("view"));
    const BrantSettings settings = settingsOption(options);

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QString());
    if (record < 0 || size_t(record) >= slot.Records.size())
        throw UsageError(QStringLiteral("--record %1: the file holds records 0 to %2")
                             .arg(record)
                             .arg(qint64(slot.Records.size()) - 1));
    if (const int code = slot.Records[size_t(record)].code(); code != Code::CalibrationPoint)
        throw UsageError(QStringLiteral("--record %1 is no calibration point (code %2, not 73)").arg(record).arg(code));
    CalibrationRun calibrationRun = BuildCalibrationRun(slot, record);
    if (calibrationRun.empty())
        throw UsageError(QStringLiteral("--record %1 is the last record: its calibration run is empty").arg(record));

    CalibrationWaveform window(slot, std::move(calibrationRun));
    if (view)
        window.showAt(positionOption(QStringLiteral("view"), *view));
    ViewState state;
    state.SecondGroupShown = options.has(QStringLiteral("second-group"));
    state.SpliceOn = options.has(QStringLiteral("splice"));
    state.R = width;
    QImage image(width, height, QImage::Format_RGB32);
    CalibrationPicture picture;
    {
        ViewCanvas canvas(image, PointsPerInch);
        picture = drawJDB(canvas, window, {slot, 0, settings, state, width, settings.PointSize});
    }

    QJsonArray entries;
    for (const CalibrationRunEntry &e : window.run())
        entries.append(QJsonArray{e.record, slot.Records[size_t(e.record)].code(), e.position});
    QJsonArray labels;
    for (const GroupLabelItem &label : picture.labels)
        labels.append(QJsonArray{label.text, label.x, label.y});
    const CalibrationScroll &scroll = window.scroll();
    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("record"), record},
        {QStringLiteral("entries"), entries},
        {QStringLiteral("scroll"), QJsonObject{{QStringLiteral("S"), scroll.S},
                                               {QStringLiteral("Min"), scroll.Min},
                                               {QStringLiteral("Max"), scroll.Max},
                                               {QStringLiteral("Value"), scroll.Value}}},
        {QStringLiteral("V"), window.V()},
        {QStringLiteral("firstEntry"), qint64(picture.firstEntry)},
        {QStringLiteral("drawnEntries"), qint64(picture.drawnEntries)},
        {QStringLiteral("labels"), labels},
        {QStringLiteral("out"), out},
    };
    common::cli::writeOutputFiles({{out, common::cli::pngBytes(image, out)}});
    return result;
}

} // namespace

CliCommand calibrationCommand()
{
    return {QStringLiteral("calibration"), QStringLiteral("the calibration waveform of one calibration point into a PNG"),
            QStringLiteral(
                "Usage: brantview-cli calibration FILE --record R [--view V] [--width W] [--height H]\n"
                "         [--parm PATH] [--second-group] [--splice] --out PNG\n"
                "Builds the calibration run of the code-73 record R (its index in the file's records, as\n"
                "info --records lists them) and draws it as \"校对波形\" shows it on opening, or with the\n"
                "run position V at the right edge, on W x H points (default 1200 x 500, one pixel a\n"
                "point). Prints the run's entries [record, code, position], the scroll bar (S, Min, Max,\n"
                "Value), V, the first entry drawn and how many were drawn, and the group labels drawn\n"
                "[text, x, y].\n"),
            run};
}
