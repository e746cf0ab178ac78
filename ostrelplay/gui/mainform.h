#pragma once
// Tfrm_main: the main window. It shows the workspace (the two file slots, the
// play flags) and passes every user action to it; the playing, loading, saving
// and drawing are the workspace's.

#include "workspace/ReplaySession.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class PaintBox;
class QAction;
class QFileSystemModel;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QModelIndex;
class QPushButton;
class QSlider;
class QTreeView;
class SlotWidgetSet;
class Tfrm_about;
class Tfrm_ascan;
class Tfrm_replaylog;
class Tfrm_worktable;
class Tfrm_para;
class Tfrm_dbpara;
class Tfrm_setting;
class Tfrm_event;
class Tfrm_mark;
class Tfrm_search;
class Tfrm_speedexcel;
class Tfrm_stdm;
class Workspace;

class Tfrm_main : public QMainWindow {
    Q_OBJECT
public:
    // Shows the session's models, which outlive the window; the destructor ends the
    // session's recordings and writes its files (FormDestroy).
    explicit Tfrm_main(ReplaySession &session, QWidget *parent = nullptr);
    ~Tfrm_main() override;

    // The title a second start of the program looks for.
    static QString title();

    Workspace &workspace() { return m_ws; }
    // Opens `path` into slot fileN and reports a load failure or warning.
    void OpenFile(int fileN, const QString &path);
    // The slot's controls, or null while the slot is empty.
    SlotWidgetSet *slotWidgets(int fileN) const { return m_slotWidgets[size_t(fileN)]; }

    // The message boxes: a Yes/No question with "No" the default (true for Yes),
    // and a notice. Tests replace them.
    std::function<bool(const QString &title, const QString &text)> askYesNo;
    std::function<void(const QString &title, const QString &text)> tell;

    Tfrm_ascan *frm_ascan = nullptr;
    Tfrm_replaylog *frm_replaylog = nullptr;
    Tfrm_about *frm_about = nullptr;
    Tfrm_para *frm_para = nullptr;
    Tfrm_worktable *frm_worktable = nullptr;
    Tfrm_setting *frm_setting = nullptr;
    Tfrm_dbpara *frm_dbpara = nullptr;
    Tfrm_event *frm_event = nullptr;
    Tfrm_search *frm_search = nullptr;
    Tfrm_mark *frm_mark = nullptr;
    Tfrm_stdm *frm_stdm = nullptr;
    Tfrm_speedexcel *frm_speedexcel = nullptr;
    QMenu *pm = nullptr;       // right button on a B-scan
    QMenu *pm_mark = nullptr;  // "打标记"

protected:
    void closeEvent(QCloseEvent *event) override;  // FormCloseQuery
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool playKey(QObject *receiver, QKeyEvent *event);

private:
    void FormCreate();
    QWidget *createFolderPanel();
    void createMenus();
    void createBScanMenu();
    void createMarkMenu();
    void InitPlayWidget();
    void ResetLayout();

    // folder tree
    bool setTreeRoot(const QString &path);
    void btn_workdirClick();
    void btn_tvClick();
    void tvDblClick(const QModelIndex &index);
    bool grpDragDrop(int fileN, QEvent *event);

    // slots
    void SetFileWidget(int fileN);
    void FreeFileWidget(int fileN);
    void showSlot(int fileN);
    void resetScrollBars();
    void OpenClick(int fileN);
    void SaveClick(int fileN);
    void CloseClick(int fileN);
    void cbbChange(int fileN, int index);
    void btnMarkClick(int fileN);
    QString askSaveFileName();

    // play bar
    void refreshPlayBar();
    void afterCommand();
    void btnCompressClick();

    // B-scan pointer
    void pbMouseDown(int fileN, QPoint pos, Qt::MouseButton button);
    void showBScanMenu(int fileN);
    void ChannelHideClick(int tag);
    void cutEndClick();

    // "导出": "截图" and "报告" for every open, active slot.
    void screenshotClick();
    void reportClick();

    // timers
    void tmrTimer();
    void TimerTimer();

    void std1Click();
    // A settings page (0 "颜色和字体" .. 6 "通道过滤") for the active slot.
    void showSettingsPage(int page);
    void setPlayerStyle(const QString &name);
    // Runs a command, turning any error meant for the user into a notice.
    void runGuarded(const std::function<void()> &command);

    ReplaySession &m_session;
    PlayerSettings &m_settings;
    ReplayLog &m_log;
    Workspace &m_ws;

    QWidget *pnl_tv = nullptr;
    QPushButton *btn_tv = nullptr;
    QTreeView *tv = nullptr;
    QFileSystemModel *m_tree = nullptr;
    QWidget *pnl_p = nullptr;
    QWidget *pnl_m = nullptr;
    std::array<QGroupBox *, 2> grp{};
    std::array<SlotWidgetSet *, 2> m_slotWidgets{};

    std::array<QPushButton *, 8> m_playButtons{};
    QPushButton *btn_play = nullptr;
    QPushButton *btn_back = nullptr;
    QPushButton *btn_next = nullptr;
    QLabel *lbl_dot = nullptr;
    QLabel *lbl_speed = nullptr;
    QSlider *trb_dot = nullptr;
    QSlider *trb_speed = nullptr;
    bool m_compressToggled = false;  // "缩放" until the first click

    std::array<QAction *, 10> m_channelHideItems{};
    QAction *m_cutEnd = nullptr;
    QAction *m_measureStart = nullptr;
    QAction *m_measureEnd = nullptr;
    QAction *m_measureCancel = nullptr;

    QTimer tmr;    // 100 ms: status texts and sub-file ends
    QTimer Timer;  // 10 ms: drawing
};
