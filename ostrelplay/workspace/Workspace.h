#pragma once
// The replay workspace without its widgets: the two file slots with their
// recordings, position bars and workers, the shared play flags, and every
// command of the main window, the play bar, the B-scan pointer tools and the
// B-scan and mark menus. The main window shows this state and passes user input
// in; tests drive it directly.

#include "PlaybackRules.h"
#include "PlayerSettings.h"
#include "PositionBar.h"
#include "ReplayLog.h"
#include "SlotWorker.h"
#include "recording/STDDataOperation.h"
#include "rendering/StdFrame.h"

#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

enum class MouseButton { Left, Right, Middle };

struct FileSlot {
    // Shared with whatever still reads it (a scan, an export) while the slot moves on.
    std::shared_ptr<mystdfile> Recording;
    StdFrame Frame;  // how the recording is drawn and the last frame drawn
    std::atomic<bool> Opened{false};
    std::atomic<bool> Active{false};
    PositionBar bar;
    std::unique_ptr<SlotWorker> Worker;
    QStringList comboLines;   // one per sub-file
    int comboIndex = 0;       // selected line = current sub-file
    QString caption;          // group box caption
    QString dBHint;           // hint of the "dB+ΔdB" button
    int64_t DragStartPosition = 0;
    bool hasRecording() const { return Recording != nullptr; }
};

// What the window must tell the user after a command.
struct Notice {
    QString title;
    QString text;
};

class Workspace {
public:
    // Posts a function to the window thread (the main window passes a queued call;
    // tests may run it at once or queue it).
    using PostToWindow = std::function<void(std::function<void()>)>;

    Workspace(PlayerSettings &settings, ReplayLog &log, PostToWindow post);
    ~Workspace();  // stops the workers and frees the recordings (no save)

    PlayerSettings &settings() { return m_settings; }
    const PlayerSettings &settings() const { return m_settings; }
    ReplayLog &replayLog() { return m_log; }
    FileSlot &slot(int fileN) { return m_slots[size_t(fileN)]; }
    const FileSlot &slot(int fileN) const { return m_slots[size_t(fileN)]; }

    // --- slots (window menus, folder tree, command line, second instance) ---
    // Loads `path` into slot fileN as OpenFile does. On a load failure the slot ends
    // empty and the error is returned; the version warning comes back as a notice.
    std::optional<Notice> OpenFile(int fileN, const QString &path);
    // Saves and cuts take the recording the user chose, held since before the file
    // dialog: a hand-over during the dialog may have put another one into the slot.
    void SaveClick(mystdfile &file, const QString &path);  // throws StdFileError
    void CloseClick(int fileN);                      // throws StdFileError from the fast save
    void cbbChange(int fileN, int index);            // sub-file switch
    // Writes a slot's row (clamped; raises the selection end): buttons, drags, list windows, workers.
    void setPosition(int fileN, int position);
    int NextOpenSlot = 0;

    // --- play bar ---
    void btnPlayClick();
    void btnModeClick();
    void btnSyncClick();
    void btnNextClick();
    void btnBackClick();
    void btnCompressClick();
    void btnCountDisClick();
    void setDotSize(int value);    // dot-size bar
    void setPlaySpeed(int value);  // speed bar
    std::atomic<bool> Playing{false};
    std::atomic<bool> SmartPlay{true};
    std::atomic<bool> SyncPlay{true};
    std::atomic<bool> MouseDragging{false};
    bool Measuring = false;
    bool MeasureNextIsStart = true;
    std::atomic<int> PlaySpeed{8};
    // The settings memory's display style made the style of every open slot: after a
    // change of the settings or of the play bar's display switches.
    void applyDisplayStyle();

    // --- timers ---
    void tmrTimer();  // 100 ms status timer: texts, rail type, sub-file change at the ends
    // 10 ms drawing timer for one slot: draws at the pane and A-scan sizes unless
    // nothing that shapes the frame changed since the last one; returns whether it drew.
    bool drawSlot(int fileN, QSize pane, QSize ascan);

    // --- pointer tools on a slot's B-scan (paint-box pixels) ---
    void pbMouseDown(int fileN, int x, int y, MouseButton button);
    QString pbMouseMove(int fileN, int x, int y);  // returns the status-bar text
    void pbMouseUp();
    void pbClick(int fileN);
    void pbDblClick(int fileN, int y);
    int MarkSlot = 0;
    QPoint DragStartPoint;
    QPoint RightClickPoint;
    std::array<bool, 6> HelpLineDragging{};

    // --- B-scan menu and mark menu ---
    void ChannelHideClick(int tag);
    QString channelHideCaption(int tag) const;  // "隐藏通道1" or "隐藏通道1√" ...
    bool cutEndEnabled(int fileN) const;        // after a right-click: the pressed slot is cutting
    void cutStart();
    // Cut end for the active slots: returns the slots whose range is valid, to ask for a name.
    std::vector<int> cutEndCandidates();
    void saveCut(mystdfile &file, const QString &path, bool withMarks);  // throws StdFileError
    void measureStart();
    void measureEnd();
    void measureCancel();
    bool measureStartEnabled = true, measureEndEnabled = false, measureCancelEnabled = false;
    void toggleRailHead();
    void markMenu(char16_t cmd);  // "一级报警" '?', "二级报警" 'F', "伤损复核确认" '!'

    // --- leaving ---
    bool hasUnsavedChanges() const;  // FormCloseQuery asks when true
    // Workers stopped, log entries added, recordings freed without saving; then the
    // settings and the replay log written to these files (throws IniFileError).
    void FormDestroy(const QString &settingsFile, const QString &replayLogFile);

    void makeOnlyActive(int fileN);
    int openSlotCount() const;

private:
    // What shapes a slot's frame besides its style and tools; a frame with the same
    // key as the last one drawn would come out the same.
    struct FrameKey;
    // The bar values a slot's worker reads; written on the window thread with the bar.
    struct WorkerView {
        std::atomic<int> position{0};
        std::atomic<int> maximum{0};
    };

    std::optional<int> nextWorkerPosition(int fileN, int &dwellMs);
    void startWorker(int fileN);
    void stopWorker(int fileN);
    // Stops the worker, logs the recording, fast-saves it when asked and frees it;
    // the slot keeps no recording. Returns the fast save's error.
    std::optional<QString> retireRecording(int fileN, bool save);
    void emptySlot(int fileN);
    void showRecordingTexts(int fileN, const QString &gainText);
    void resetBar(int fileN, int maximum);
    void publishPlaySettings();
    std::vector<int> movingSlots() const;  // the slots play, steps and drags move

    PlayerSettings &m_settings;
    ReplayLog &m_log;
    PostToWindow m_post;
    std::array<FileSlot, 2> m_slots;
    std::array<WorkerView, 2> m_workerView;
    // Settings play reads, copied for the workers on the window thread.
    std::atomic<int> m_smartplayMode{0};
    std::atomic<int> m_smartplayTime{500};
    std::atomic<int> m_bShowWidth{3000};
    std::array<std::unique_ptr<FrameKey>, 2> m_lastFrame;
};
