#pragma once
// The Word reports of "Word报告": the B-scan report of the view of a stream recording
// and the A-scan report of the frame shown. Each document is filled completely in
// memory with its picture, then saved once, atomically, under its name: an older
// document of the same name is replaced in one step, and a failure leaves it as it
// was. The picture never touches the disk on its own.

#include "WordReportTexts.h"

#include "viewer/ViewState.h"

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace brantview {

// What every Word report of this program says when it fails.
inline const QString WordTroubleMessage = QStringLiteral("Word 出现问题，请关闭正在运行的word 再运行一遍！！！");

// The title is bold, 20 points and centred; the rest plain, 11 points, left-aligned.
struct ReportFormat {
    bool bold = false;
    double size = 11;
    int alignment = 0;  // Document::Alignment
};
ReportFormat TitleFormat();
ReportFormat BodyFormat();

// Told the percentage done as the report is written.
using ReportProgress = std::function<void(int percent)>;

// Writes the report's paragraphs and the picture after them under exactly `path`.
// Throws OfficeError; nothing is written then.
void WriteReport(const QString &path, const ReportText &text, const QImage &picture, const ReportProgress &progress);

struct WrittenReport {
    QString path;
    ReportText text;
    QSize picture;  // pixels
};

// The pictures are drawn at this resolution.
inline constexpr double ReportPictureDpi = 96;

// The B-scan report of the current slot's view: the print picture of the view, the
// values in effect at its ViewStart. Without `path`, the document goes into the
// recording's folder under BScanReportFileName.
WrittenReport WriteBScanReport(RecordingSlots &panes, const BrantSettings &settings, ViewState &state,
                               const ViewSources &sources, const std::optional<QString> &path,
                               const ReportProgress &progress);

// "Atemp.doc", overwritten by each A-scan report: in the program's folder when it is
// writable, else in the user's documents folder (made when missing).
QString AScanReportPath(const QString &programDir, const QString &documentsDir);

// The A-scan report of frame `frameIndex` (0 = the first of the file), drawn black on
// white on `pictureSize` pixels as the record display draws it.
WrittenReport WriteAScanReport(const AScanFrame &frame, int frameIndex, const BrantSettings &settings,
                               QSize pictureSize, const QString &path, const ReportProgress &progress);

}  // namespace brantview
