// report: the Word report of "Word报告", of a stream recording's view or of one frame
// of an A-scan record.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/WordReports.h"
#include "common/cli/CliArgs.h"
#include "office/Document.h"
#include "recording/RecordingErrors.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>

#include <cmath>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

QJsonObject paragraphJson(const ReportParagraph &paragraph, const ReportFormat &format)
{
    return QJsonObject{
        {QStringLiteral("text"), paragraph.text},
        {QStringLiteral("bold"), format.bold},
        {QStringLiteral("size"), format.size},
        {QStringLiteral("alignment"),
         format.alignment == Document::AlignCentre ? QStringLiteral("centred") : QStringLiteral("left")},
    };
}

QJsonObject reportJson(const QString &file, const WrittenReport &report)
{
    QJsonArray paragraphs{paragraphJson(report.text.title, TitleFormat())};
    for (const ReportParagraph &paragraph : report.text.body)
        paragraphs.append(paragraphJson(paragraph, BodyFormat()));
    return QJsonObject{
        {QStringLiteral("file"), file},
        {QStringLiteral("out"), report.path},
        {QStringLiteral("caption"), report.text.caption},
        {QStringLiteral("paragraphs"), paragraphs},
        {QStringLiteral("pictureParagraph"), report.text.pictureParagraph()},
        {QStringLiteral("picture"), QJsonArray{report.picture.width(), report.picture.height()}},
    };
}

WrittenReport streamReport(RecordingSlot slot, const CliArgs &options, const std::optional<QString> &out)
{
    if (options.has(QStringLiteral("frame")))
        throw UsageError(QStringLiteral("--frame belongs to an A-scan record"));
    const int width = options.intInRange(QStringLiteral("width"), 1600, 1, MaxPictureSide);
    const int height = options.intInRange(QStringLiteral("height"), 900, 1, MaxPictureSide);
    RecordingSlots panes;
    panes.Slots[0] = std::move(slot);
    placeView(panes.Slots[0], options, QStringLiteral("view-start"));
    const BrantSettings settings = settingsOption(options);
    ViewState state;
    state.R = int(std::lround(width * 72.0 / ReportPictureDpi));
    state.viewHeight = height * 72.0 / ReportPictureDpi;
    state.DrawWidth = settings.PointSize;
    return WriteBScanReport(panes, settings, state, ViewSources{}, out, {});
}

WrittenReport aScanReport(const RecordingSlot &slot, const CliArgs &options, const std::optional<QString> &out)
{
    if (options.has(QStringLiteral("view-start")))
        throw UsageError(QStringLiteral("--view-start belongs to a stream recording"));
    const int count = int(slot.Frames.size());
    const int frame = options.optionalInt(QStringLiteral("frame")).value_or(0);
    if (frame < 0 || frame >= count)
        throw UsageError(QStringLiteral("--frame: %1 is outside 0 to %2").arg(frame).arg(count - 1));
    const QSize size(options.intInRange(QStringLiteral("width"), 1000, 1, MaxPictureSide),
                     options.intInRange(QStringLiteral("height"), 700, 1, MaxPictureSide));
    const QString path =
        out.value_or(AScanReportPath(QCoreApplication::applicationDirPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    return WriteAScanReport(slot.Frames[size_t(frame)], frame, settingsOption(options), size, path, {});
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("view-start")},
                                 {QStringLiteral("frame")},
                                 {QStringLiteral("out")},
                                 {QStringLiteral("parm")},
                                 {QStringLiteral("width")},
                                 {QStringLiteral("height")}});
    const QString path = options.file();
    const std::optional<QString> out = options.value(QStringLiteral("out"));
    RecordingSlot slot = loadForCommand(path);
    if (slot.isAScan())
        return reportJson(path, aScanReport(slot, options, out));
    return reportJson(path, streamReport(std::move(slot), options, out));
}

} // namespace

CliCommand reportCommand()
{
    return {QStringLiteral("report"), QStringLiteral("the Word report of \"Word报告\""),
            QStringLiteral(
                "Usage: brantview-cli report FILE [--view-start P] [--out NAME.doc] [--parm PATH] [--width W] [--height H]\n"
                "       brantview-cli report AFILE [--frame K] [--out NAME.doc] [--parm PATH] [--width W] [--height H]\n"
                "Writes the report document as \"Word报告\" does. For a stream recording: the B-scan report of\n"
                "the view whose right edge is at P (default: where a fresh load puts it), with the print\n"
                "picture of a W x H pixel view (default 1600x900, 96 dots per inch), under NAME or, by\n"
                "default, under the name made of the date, trolley side, line, rail side and mileage in\n"
                "the recording's folder. For an A-scan record: the A-scan report of frame K (from 0, the\n"
                "first of the file; default 0) drawn on W x H pixels (default 1000x700), under NAME or\n"
                "Atemp.doc in the program's folder (the documents folder when that is not writable).\n"
                "An older document of the same name is replaced only once the new one is written whole.\n"
                "Prints out (the document), caption, the paragraphs as written (text, bold, size,\n"
                "alignment), pictureParagraph and picture (its width and height in pixels).\n"),
            run};
}
