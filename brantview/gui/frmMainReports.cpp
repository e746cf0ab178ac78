// frmMain's "Word报告": the B-scan report of the view of a stream recording, or in the
// A-scan mode the A-scan report of the frame shown. The report is written whole, then
// shown in the desktop's word processor.

#include "frmMain.h"
#include "WordReportHooks.h"

#include "analysis/WordReports.h"
#include "office/Launch.h"
#include "office/OfficeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>

using namespace brantview;

WordReportHooks wordReportDefaults(QWidget *parent)
{
    WordReportHooks hooks;
    hooks.tell = [parent](QMessageBox::Icon icon, const QString &message) {
        QMessageBox box(icon, parent->windowTitle(), message, QMessageBox::Ok, parent);
        box.exec();
    };
    hooks.open = &openWithDefaultApplication;
    hooks.programDir = [] { return QCoreApplication::applicationDirPath(); };
    hooks.documentsDir = [] { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); };
    return hooks;
}

void frmMain::mnuWord_Click()
{
    const auto progress = [this](int percent) {
        ProgressBar1->setRange(0, 100);
        ProgressBar1->setValue(percent);
        ProgressBar1->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    WrittenReport report;
    try {
        if (m_aScanMode) {
            const RecordingSlot &slot = m_panes.Slots[0];
            if (m_frame < 0 || m_frame >= int(slot.Frames.size()))
                return;
            const QString path = AScanReportPath(wordReport.programDir(), wordReport.documentsDir());
            report = WriteAScanReport(slot.Frames[size_t(m_frame)], m_frame, m_settings, m_image.size(), path, progress);
        } else {
            if (!m_panes.current().isStream())
                return;
            report = WriteBScanReport(m_panes, m_settings, m_state, m_sources, std::nullopt, progress);
        }
    } catch (const OfficeError &) {
        ProgressBar1->hide();
        wordReport.tell(QMessageBox::Warning, WordTroubleMessage);
        return;
    }
    ProgressBar1->hide();
    // The print drawing went to its own picture; the view is drawn again as it was.
    Redraw();
    statusBar()->showMessage(QStringLiteral("Word报告已保存到 ") + QDir::toNativeSeparators(report.path));
    // Written: a desktop that cannot show it says so, not that the writing failed.
    try {
        wordReport.open(report.path);
    } catch (const OfficeError &error) {
        wordReport.tell(QMessageBox::Warning, error.text());
    }
}
