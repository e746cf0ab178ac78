#pragma once
// Brantview's document window: the B-scan of one or two recordings, the controls
// that move along them, the menus, and the keys and pointer on the view. It shows
// what the viewer core draws and computes, and passes the user's input back.

#include "WordReportHooks.h"

#include "recording/BrantSettings.h"
#include "recording/OffsetTable.h"
#include "recording/RecordingSlot.h"
#include "viewer/ViewPointer.h"
#include "viewer/ViewSetUp.h"
#include "viewer/ViewState.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>
#include <functional>
#include <vector>

class PaintBox;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;

namespace brantview {
class ViewCanvas;
struct MainViewFollow;
}

class FormColor;
class FormJD;
class FormGPS;
class FormMlist;
class FormdB;
class Form_Find;
class Form_MarkFind;
class FormSpeed;
struct OffsetTarget;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Loads `path` into pane 0 or 1 as the open dialogs do, without the dialog.
    bool OpenFile(int slot, const QString &path);

    brantview::RecordingSlots &panes() { return m_panes; }
    brantview::ViewState &viewState() { return m_state; }
    brantview::BrantSettings &settings() { return m_settings; }
    const QImage &picture() const { return m_image; }
    PaintBox *view() const { return m_view; }
    // What the view showed at its last drawing, for the unattended run.
    int drawnDots() const { return m_drawnDots; }
    bool aScanMode() const { return m_aScanMode; }
    int aScanFrame() const { return m_frame; }

    // The view's handlers, in points; public for the tests that drive them.
    void Form_KeyDown(int keyCode, int shift);
    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button);
    void Form_DblClick();

    void StepView(int amount);
    void StepViewBack(int amount);
    void setAutoPlay(bool on);
    // Moves the current slot's view to `viewStart` as the search and list windows do:
    // the view start, the position scroll bar and the drawing.
    void moveView(int32_t viewStart);
    const brantview::ViewSources &sources() const { return m_sources; }

    // Opens "校对波形" on the calibration run of the point just picked; nothing for an
    // empty run. The tests replace how the modal window is run.
    void ShowJDdata();
    std::function<void(FormJD &form)> runCalibrationWindow;
    bool calibrationWindowOpen() const { return m_calibrationWindowOpen; }
    // "Word报告"'s messages, viewer and folders; the tests replace them.
    WordReportHooks wordReport;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void StartProgram();
    void restoreWindowPosition();
    void storeWindowPosition();
    void enableForLoadedFile();

    void mnuFileOpen_Click(int slot);
    void SetUpView(int slot, bool freshLoad);
    void FileSet();
    // `currentLastPos`: the current slot's columns end there (the echo trace's marker).
    void Redraw(std::optional<int64_t> currentLastPos = std::nullopt);
    void redrawIfMoved(const std::array<int32_t, 2> &before);
    void showScrollValue();
    void HScroll_Pos_Change(int value);
    void Timer1_Timer();
    void Command_TB_Click();
    void Command_dir_Click();
    void Option_show_Click(bool splice);
    void Slider1_Change(int value);
    void Combo1_MChoose_Click(int index);
    void Magnify_Click();
    void stepBy(int amount, bool back);

    void LoadAScanRecord();
    void leaveAScanMode();
    void DrawAScanView(brantview::ViewCanvas &canvas);
    void AScanScrollChange(int value);
    void AScanSliderChange(int value);
    std::vector<QWidget *> streamOnlyControls() const;
    void showStreamControls(bool shown);
    void connectWindows();
    // The GPS route and gain curve windows: opened from the menus, following the view,
    // closed before another file opens.
    void mnuGPS_Click();
    void mnudBMap_Click();
    void followViewInTrackWindows();
    void closeTrackWindows();
    bool GpsWindowOpen() const;
    bool GainWindowOpen() const;
    // The counts of a recording just loaded, for the mark search window.
    void publishMarkCounts(int slot);
    void settingsChanged();
    OffsetTarget offsetTarget() const;
    void offsetsChangedElsewhere();
    void showMarkList();
    // "A显校对" and "A显校对2": the echo trace window, modal, and the marker it moves.
    void openEchoTrace(bool high);
    void placeLineA(int x);
    void followTrace(const brantview::MainViewFollow &follow);
    void mnuWord_Click();
    // The mark list follows every change of the marks it shows.
    void reviewMarksChanged();
    bool bScanShown() { return !m_aScanMode && !m_panes.current().isEmpty(); }

    void showToolsPopup(const brantview::PopupItems &items, QPoint globalPos);
    void addReviewMark(int kind);
    void mnuPos_Click(int which);
    void mnuSave_Click();
    void saveSettings();
    void selectOffsets(int slot);
    double pointsPerPixel() const;
    static int shiftMask();
    static int shiftMaskOf(Qt::KeyboardModifiers modifiers);
    std::vector<QAction *> popupOnlyItems() const;
    void reportError(const QString &message);
    // Asked once per recording, at the first saving of its review marks.
    QString askOperatorName();
    int32_t &currentViewStart() { return m_panes.current().ViewStart; }

    brantview::BrantSettings m_settings;
    brantview::OffsetTable m_offsets;
    brantview::ViewState m_state;
    brantview::RecordingSlots m_panes;
    brantview::ViewSources m_sources;
    brantview::PointerState m_pointer;
    QImage m_image;
    int m_drawnDots = 0;
    bool m_settingScroll = false;
    bool m_stepping = false;
    bool m_aScanMode = false;
    bool m_calibrationWindowOpen = false;
    int m_frame = 0;  // the A-scan frame shown
    brantview::ScrollRange m_scroll;

    QTimer Timer1;
    QPointer<FormColor> m_formColor;
    QPointer<FormMlist> m_formMlist;
    QPointer<Form_Find> m_formFind;
    QPointer<Form_MarkFind> m_formMarkFind;
    QPointer<FormSpeed> m_formSpeed;
    QPointer<FormGPS> m_formGPS;
    QPointer<FormdB> m_formdB;
    PaintBox *m_view = nullptr;
    QPushButton *Command_index = nullptr;
    QPushButton *Command_TB = nullptr;
    QPushButton *Disp_Command = nullptr;
    QPushButton *Command_dir = nullptr;
    QPushButton *MForward = nullptr;
    QPushButton *Mbackward = nullptr;
    QPushButton *Magnify = nullptr;
    std::array<QRadioButton *, 2> Option_show{};
    QScrollBar *HScroll_Pos = nullptr;
    std::array<QLineEdit *, 2> Text_HScroll{};
    QLabel *Text_dis = nullptr;
    QScrollBar *HScroll_Interval = nullptr;
    QLabel *Text2 = nullptr;
    QScrollBar *HScroll_Length = nullptr;
    QLabel *Text1 = nullptr;
    QScrollBar *HScroll_lenHand = nullptr;
    QLabel *Text4 = nullptr;
    QSlider *Slider1 = nullptr;
    QLabel *Text3 = nullptr;
    QComboBox *Combo1_MChoose = nullptr;
    QLabel *Label2 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *label1 = nullptr;
    QFrame *LineA = nullptr;
    QWidget *m_navigation = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuFile2 = nullptr;
    QMenu *mnuFormat = nullptr;
    QMenu *mnuTools = nullptr;
    QAction *mnuFileOpen2 = nullptr;
    QAction *mnuReport = nullptr;
    QAction *mnuAdisplay = nullptr;
    QAction *mnuAdisplay2 = nullptr;
    QAction *mnuSpeed = nullptr;
    // The pop-up-only items of "工具".
    QAction *mnuSave = nullptr;
    QAction *mnuPos1 = nullptr;
    QAction *mnuPos2 = nullptr;
    QAction *mnuPos_Flag = nullptr;
    QAction *mnuLineSet = nullptr;
    QAction *munMlist = nullptr;
    std::array<QAction *, 8> munRewMark{};
};
