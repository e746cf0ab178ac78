#include "frmMain.h"

#include "FormColor.h"

#include "recording/OpenRecording.h"
#include "recording/ParamsInEffect.h"
#include "recording/ParmFile.h"
#include "recording/RecordingErrors.h"
#include "recording/ReviewMarks.h"
#include "recording/SegmentExport.h"
#include "recording/SideLists.h"
#include "viewer/Redraw.h"
#include "viewer/Stepping.h"
#include "viewer/ViewCanvas.h"
#include "viewer/ViewKeys.h"

#include "common/gui/PaintBox.h"
#include "common/gui/SaveFileDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QElapsedTimer>
#include <QScopedValueRollback>

#include <cmath>

using namespace brantview;

namespace {

const QString OpenFilter = QStringLiteral(
    "所有文件(*.D*) (*.D* *.d*);;全程记录(QC*.D*) (QC*.D* qc*.d*);;选点记录(XD*.DAT) (XD*.DAT xd*.dat);;"
    "A超记录(AA*.DAT) (AA*.DAT aa*.dat)");

// Twips of the stored window position.
constexpr double TwipsPerPixel = 15.0;

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("B超探伤"));
    buildControls();
    buildMenus();
    connectWindows();
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    qApp->installEventFilter(this);
    StartProgram();
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
}

int frmMain::shiftMask()
{
    return shiftMaskOf(QGuiApplication::keyboardModifiers());
}

int frmMain::shiftMaskOf(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? brantview::ShiftMask : 0) | (m & Qt::ControlModifier ? brantview::CtrlMask : 0)
        | (m & Qt::AltModifier ? brantview::AltMask : 0);
}

double frmMain::pointsPerPixel() const
{
    return 72.0 / std::max(m_view->logicalDpiX(), 1);
}

QString frmMain::askOperatorName()
{
    return QInputDialog::getText(this, windowTitle(), QStringLiteral("请输入姓名"));
}

void frmMain::reportError(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

void frmMain::StartProgram()
{
    const LoadedSettings loaded = LoadSettings(parmFilePath());
    m_settings = loaded.settings;
    const LoadedOffsetTable offsets = LoadOffsetTable(offsetTableFilePath());
    m_offsets = offsets.table;
    for (const QString &message : {loaded.message, offsets.message})
        if (!message.isEmpty())
            QTimer::singleShot(0, this, [this, message] { reportError(message); });
    m_state.DrawWidth = m_settings.PointSize;
    restoreWindowPosition();
}

void frmMain::restoreWindowPosition()
{
    QSettings store;
    store.beginGroup(QStringLiteral("Settings"));
    const QRect stored(int(store.value(QStringLiteral("MainLeft"), 1000).toDouble() / TwipsPerPixel),
                       int(store.value(QStringLiteral("MainTop"), 1000).toDouble() / TwipsPerPixel),
                       int(store.value(QStringLiteral("MainWidth"), 6500).toDouble() / TwipsPerPixel),
                       int(store.value(QStringLiteral("MainHeight"), 6500).toDouble() / TwipsPerPixel));
    setGeometry(stored);
    // Then the whole screen, as the instrument's desktop shows it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

void frmMain::storeWindowPosition()
{
    QSettings store;
    store.beginGroup(QStringLiteral("Settings"));
    const QRect g = geometry();
    store.setValue(QStringLiteral("MainLeft"), int(g.x() * TwipsPerPixel));
    store.setValue(QStringLiteral("MainTop"), int(g.y() * TwipsPerPixel));
    store.setValue(QStringLiteral("MainWidth"), int(g.width() * TwipsPerPixel));
    store.setValue(QStringLiteral("MainHeight"), int(g.height() * TwipsPerPixel));
}

void frmMain::saveSettings()
{
    try {
        SaveSettings(parmFilePath(), m_settings);
    } catch (const BrantFileError &e) {
        reportError(e.text());
    }
}

void frmMain::mnuFileOpen_Click(int slot)
{
    OpenFile(slot, QString());
}

bool frmMain::OpenFile(int slot, const QString &path)
{
    setAutoPlay(false);
    OpenRecordingHooks hooks;
    hooks.loadLists = [this] {
        m_sources.workNumbers = LoadWorkNumbers(workNumbersFilePath());
        m_sources.lineNames = LoadLineNames(lineNamesFilePath());
    };
    hooks.closeDependentWindows = [this] { closeTrackWindows(); };
    hooks.chooseFile = [this, path] {
        if (!path.isEmpty())
            return path;
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), OpenFilter);
    };
    hooks.askOperatorName = [this] { return askOperatorName(); };
    hooks.progress = [this](int percent) {
        ProgressBar1->setVisible(percent < 100);
        ProgressBar1->setRange(0, 100);
        ProgressBar1->setValue(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    hooks.now = [] { return QDateTime::currentDateTime(); };
    bool opened = false;
    try {
        opened = OpenRecording(m_panes, slot, hooks);
    } catch (const BrantFileError &e) {
        ProgressBar1->hide();
        reviewMarksChanged();
        reportError(e.text());
        return false;
    }
    ProgressBar1->hide();
    // The browse-end mark of the file left, or the marks of the file opened.
    reviewMarksChanged();
    if (!opened)
        return false;
    enableForLoadedFile();
    if (slot == 0 && m_panes.Slots[0].isAScan()) {
        LoadAScanRecord();
        return true;
    }
    if (slot == 0)
        leaveAScanMode();
    if (slot == 1)
        m_panes.SecondLoaded = true;
    m_panes.CurrentSlot = slot;
    m_state.Selected.reset();
    publishMarkCounts(slot);
    SetUpView(slot, true);
    return true;
}

void frmMain::enableForLoadedFile()
{
    m_navigation->setVisible(true);
    mnuFile2->setEnabled(true);
    mnuTools->setEnabled(true);
    mnuFormat->setEnabled(true);
}

void frmMain::selectOffsets(int slot)
{
    RecordingSlot &recording = m_panes.Slots[size_t(slot)];
    const ParamEntry *params = ParamsInEffect(recording);
    const int64_t serial = params ? paramBlockOf(*params).serialKey() : 0;
    if (SelectChannelOffsets(m_offsets, serial, m_state.OffsetSelection[size_t(slot)],
                             m_settings.ChannelOffsets[size_t(slot)])) {
        try {
            SaveOffsetTable(offsetTableFilePath(), m_offsets);
        } catch (const BrantFileError &e) {
            reportError(e.text());
        }
    }
}

void frmMain::SetUpView(int slot, bool freshLoad)
{
    RecordingSlot &recording = m_panes.Slots[size_t(slot)];
    m_state.R = int(std::lround(m_view->width() * pointsPerPixel()));
    m_state.viewHeight = m_view->height() * pointsPerPixel();
    const ViewSetUp setUp =
        brantview::SetUpView(recording, slot, freshLoad ? ViewSetUpKind::FreshLoad : ViewSetUpKind::FileSwitch,
                             m_state.R, m_state.OffsetSelection[size_t(slot)], m_offsets,
                             m_settings.ChannelOffsets[size_t(slot)]);
    if (setUp.offsetTableDue) {
        try {
            SaveOffsetTable(offsetTableFilePath(), m_offsets);
        } catch (const BrantFileError &e) {
            reportError(e.text());
        }
    }
    setWindowTitle(setUp.caption);
    Command_index->setText(setUp.slotCaption);
    m_scroll = setUp.scroll;
    m_settingScroll = true;
    HScroll_Pos->setRange(m_scroll.Min, m_scroll.Max);
    HScroll_Pos->setValue(setUp.scrollValue);
    m_settingScroll = false;
    Text_dis->setText(QStringLiteral("浏览位置:") + setUp.Text_dis);

    m_settingScroll = true;
    HScroll_Interval->setValue(m_settings.Speed);
    HScroll_Length->setRange(1, setUp.stepBarMaximum);
    HScroll_lenHand->setRange(1, setUp.stepBarMaximum);
    HScroll_Length->setValue(m_settings.AutoStep);
    HScroll_lenHand->setValue(m_settings.ManualStep);
    m_settingScroll = false;
    Text2->setText(QStringLiteral("速度：%1").arg(m_settings.Speed));
    Text1->setText(QStringLiteral("自动步长：%1").arg(m_settings.AutoStep));
    Text4->setText(QStringLiteral("手动步长：%1").arg(m_settings.ManualStep));
    Timer1.setInterval(3000 / std::max(m_settings.Speed, 1));
    const QSignalBlocker blockSlider(Slider1);
    Slider1->setValue(m_settings.PointSize);
    Option_show[m_state.SpliceOn ? 1 : 0]->setChecked(true);
    Combo1_MChoose->setCurrentIndex(m_state.OffsetSelection[size_t(slot)]);
    offsetsChangedElsewhere();
    Redraw();
}

void frmMain::FileSet()
{
    if (!m_panes.SecondLoaded)
        return;
    m_panes.CurrentSlot = 1 - m_panes.CurrentSlot;
    SetUpView(m_panes.CurrentSlot, false);
}

void frmMain::Redraw(std::optional<int64_t> currentLastPos)
{
    if (m_panes.Slots[0].isEmpty() && !m_panes.SecondLoaded)
        return;
    const QSize size = m_view->size();
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    m_state.R = int(std::lround(size.width() * pointsPerPixel()));
    m_state.viewHeight = size.height() * pointsPerPixel();
    const double dpi = m_view->logicalDpiX();
    if (m_aScanMode) {
        {
            ViewCanvas canvas(m_image, dpi);
            DrawAScanView(canvas);
        }
        m_view->update();
        return;
    }
    RedrawReport report;
    {
        ViewCanvas canvas(m_image, dpi);
        report = brantview::Redraw(canvas, m_panes, m_settings, m_state, m_sources, currentLastPos);
    }
    m_drawnDots = 0;
    for (const SlotDrawReport &slot : report.slotReports) {
        Text_HScroll[size_t(slot.slot)]->setText(slot.browseText);
        for (int n : slot.dotsPerChannel)
            m_drawnDots += n;
    }
    Text_HScroll[1]->setVisible(m_panes.SecondLoaded);
    m_view->update();
    followViewInTrackWindows();
}

void frmMain::showScrollValue()
{
    const int32_t viewStart = currentViewStart();
    m_settingScroll = true;
    HScroll_Pos->setValue(ScrollValueOf(viewStart, m_scroll));
    m_settingScroll = false;
    Text_dis->setText(QStringLiteral("浏览位置:") + ViewPositionText(viewStart));
}

void frmMain::moveView(int32_t viewStart)
{
    if (m_aScanMode || m_panes.current().isEmpty())
        return;
    currentViewStart() = viewStart;
    showScrollValue();
    Redraw();
}

void frmMain::HScroll_Pos_Change(int value)
{
    if (m_settingScroll)
        return;
    if (m_aScanMode) {
        AScanScrollChange(value);
        return;
    }
    currentViewStart() = ViewStartOfScrollValue(value, m_scroll);
    Text_dis->setText(QStringLiteral("浏览位置:") + ViewPositionText(currentViewStart()));
    Redraw();
}

void frmMain::stepBy(int amount, bool back)
{
    // A long step lets timer events run; a play tick must not start a second step inside it.
    if (m_panes.current().isEmpty() || m_stepping)
        return;
    const QScopedValueRollback<bool> stepping(m_stepping, true);
    const std::array<int32_t, 2> before{m_panes.Slots[0].ViewStart, m_panes.Slots[1].ViewStart};
    // A step across a long quiet stretch shows its progress and keeps the window alive.
    QElapsedTimer shown;
    shown.start();
    const StepProgress progress = [this, &shown](double done) {
        if (shown.elapsed() > 300) {
            ProgressBar1->setRange(0, 1000);
            ProgressBar1->setValue(int(done * 1000));
            ProgressBar1->show();
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
    StepViews(m_panes, m_state, m_settings, back ? StepDirection::Back : StepDirection::Forward, amount, progress);
    ProgressBar1->hide();
    showScrollValue();
    redrawIfMoved(before);
}

void frmMain::redrawIfMoved(const std::array<int32_t, 2> &before)
{
    if (before[0] != m_panes.Slots[0].ViewStart || before[1] != m_panes.Slots[1].ViewStart)
        Redraw();
}

void frmMain::StepView(int amount)
{
    stepBy(amount, false);
}

void frmMain::StepViewBack(int amount)
{
    stepBy(amount, true);
}

void frmMain::setAutoPlay(bool on)
{
    m_state.AutoPlay = on;
    Disp_Command->setText(on ? QStringLiteral("手动") : QStringLiteral("自动"));
    mnuAdisplay->setVisible(!on);
    if (on)
        Timer1.start(3000 / std::max(m_settings.Speed, 1));
    else
        Timer1.stop();
}

void frmMain::Timer1_Timer()
{
    if (m_state.DirectionForward == 1)
        StepViewBack(m_settings.AutoStep);
    else
        StepView(m_settings.AutoStep);
}

void frmMain::Command_TB_Click()
{
    m_state.SyncOn = !m_state.SyncOn;
    Command_TB->setText(m_state.SyncOn ? QStringLiteral("同步") : QStringLiteral("异步"));
    Redraw();
}

void frmMain::Command_dir_Click()
{
    m_state.DirectionForward = m_state.DirectionForward == 1 ? 0 : 1;
    Command_dir->setText(m_state.DirectionForward == 1 ? QStringLiteral("→") : QStringLiteral("←"));
}

void frmMain::Option_show_Click(bool splice)
{
    if (m_state.SpliceOn == splice)
        return;
    m_state.SpliceOn = splice;
    offsetsChangedElsewhere();
    Redraw();
}

void frmMain::Slider1_Change(int value)
{
    if (m_aScanMode) {
        AScanSliderChange(value);
        return;
    }
    m_settings.PointSize = value;
    m_state.DrawWidth = value;
    Redraw();
    saveSettings();
}

void frmMain::Combo1_MChoose_Click(int index)
{
    const int slot = m_panes.CurrentSlot;
    m_state.OffsetSelection[size_t(slot)] = index;
    selectOffsets(slot);
    offsetsChangedElsewhere();
    Redraw();
}

void frmMain::Magnify_Click()
{
    m_state.DrawWidth = 1;
    Redraw();
    QProcess magnifier;
    magnifier.start(QCoreApplication::applicationDirPath() + QStringLiteral("/magnify"), {});
    if (!magnifier.waitForStarted()) {
        reportError(magnifier.errorString());
    } else {
        while (!magnifier.waitForFinished(50))
            QCoreApplication::processEvents();
    }
    m_state.DrawWidth = Slider1->value();
    Redraw();
}

void frmMain::addReviewMark(int kind)
{
    try {
        AddReviewMark(m_panes.current(), kind, QDateTime::currentDateTime(),
                      [this] { return askOperatorName(); });
        setWindowTitle(streamCaption(m_panes.current()));
    } catch (const BrantFileError &e) {
        reportError(e.text());
    }
    reviewMarksChanged();
    Redraw();
}

void frmMain::mnuPos_Click(int which)
{
    RangeMarks &range = m_state.Range;
    const int32_t position = positionUnderPointer(m_panes.current(), m_state.R, range.PointerX);
    if (which == 1)
        range.setStart(position);
    else if (which == 2)
        range.setEnd(position);
    else
        range.clear();
    Redraw();
}

void frmMain::mnuSave_Click()
{
    const QString target = askExportFileName(this, QStringLiteral("Save"), QString(),
                                             {QStringLiteral("All Files (*.DAT) (*.DAT *.dat)")});
    if (target.isEmpty())
        return;
    try {
        ExportSegment(m_panes.current(), m_state.Range.RangeStart, m_state.Range.RangeEnd, target);
        QMessageBox::information(this, windowTitle(), SegmentWrittenText);
    } catch (const BrantFileError &e) {
        reportError(e.text());
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    setAutoPlay(false);
    // Closing the colour window writes the offsets changed in it.
    if (m_formColor)
        m_formColor->close();
    closeTrackWindows();
    const auto askName = [this] { return askOperatorName(); };
    for (int s = 0; s < (m_panes.SecondLoaded ? 2 : 1); ++s) {
        try {
            FinishReviewMarks(m_panes.Slots[size_t(s)], QDateTime::currentDateTime(), askName);
        } catch (const BrantFileError &e) {
            reportError(e.text());
        }
    }
    storeWindowPosition();
    event->accept();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!m_panes.current().isEmpty())
        QTimer::singleShot(0, this, [this] { Redraw(); });
}
