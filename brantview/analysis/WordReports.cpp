#include "WordReports.h"

#include "viewer/AScanView.h"
#include "viewer/HeaderValues.h"
#include "viewer/PrintRendering.h"
#include "viewer/ViewCanvas.h"

#include "office/Document.h"

#include <QDir>
#include <QFileInfo>

namespace brantview {

namespace {

constexpr int StartProgress = 30;
constexpr int DoneProgress = 100;

void writeParagraph(Document &document, const QString &text, const ReportFormat &format)
{
    const int n = document.addParagraph(text);
    document.setParagraphBold(n, format.bold);
    document.setParagraphFontSize(n, format.size);
    document.setParagraphAlignment(n, format.alignment);
}

}  // namespace

ReportFormat TitleFormat()
{
    return {true, 20, Document::AlignCentre};
}

ReportFormat BodyFormat()
{
    return {false, 11, Document::AlignLeft};
}

void WriteReport(const QString &path, const ReportText &text, const QImage &picture, const ReportProgress &progress)
{
    const auto tell = [&](int percent) {
        if (progress)
            progress(percent);
    };
    tell(StartProgress);
    Document document;
    writeParagraph(document, text.title.text, TitleFormat());
    tell(text.title.progress);
    int shown = text.title.progress;
    for (const ReportParagraph &paragraph : text.body) {
        writeParagraph(document, paragraph.text, BodyFormat());
        tell(shown = paragraph.progress);
    }
    if (text.pictureProgress > shown)
        tell(text.pictureProgress);
    writeParagraph(document, {}, BodyFormat());
    document.addInlinePicture(text.pictureParagraph(), picture);
    document.save(path);
    tell(DoneProgress);
}

WrittenReport WriteBScanReport(RecordingSlots &panes, const BrantSettings &settings, ViewState &state,
                               const ViewSources &sources, const std::optional<QString> &path,
                               const ReportProgress &progress)
{
    // Drawn first: the drawing settles the slot's CurrentPost, which names the document.
    const QImage picture = PrintPicture(panes, settings, state, sources, ReportPictureDpi);
    const RecordingSlot &slot = panes.current();
    const HeaderValues values = headerValuesInEffect(slot, sources, state.DoubleProbeMode);
    WrittenReport report;
    report.path = path.value_or(
        QFileInfo(slot.FileName).dir().filePath(BScanReportFileName(values, HeaderMileageText(slot))));
    report.text = BScanReportText(values);
    report.picture = picture.size();
    WriteReport(report.path, report.text, picture, progress);
    return report;
}

QString AScanReportPath(const QString &programDir, const QString &documentsDir)
{
    const QString name = QStringLiteral("Atemp.doc");
    if (!programDir.isEmpty() && QFileInfo(programDir).isWritable())
        return QDir(programDir).filePath(name);
    QDir().mkpath(documentsDir);
    return QDir(documentsDir).filePath(name);
}

WrittenReport WriteAScanReport(const AScanFrame &frame, int frameIndex, const BrantSettings &settings,
                               QSize pictureSize, const QString &path, const ReportProgress &progress)
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    if (!picture.isNull()) {
        // The A-scan record display's colours: black on white.
        BrantSettings colours = settings;
        colours.BackColour = White;
        colours.ForeColour = Black;
        ViewCanvas canvas(picture, ReportPictureDpi);
        DrawAScanFrame(canvas, frame, frameIndex, colours);
    }
    WrittenReport report{path, AScanReportText(frame), picture.size()};
    WriteReport(path, report.text, picture, progress);
    return report;
}

}  // namespace brantview
