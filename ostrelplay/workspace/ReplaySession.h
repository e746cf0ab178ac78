#pragma once
// The models of one run of the program: the settings memory, the replay log and the
// workspace with its two slots. The program makes the session before any window and
// ends it after the last one, so no window outlives what it shows.

#include "PlayerSettings.h"
#include "ReplayLog.h"
#include "Workspace.h"

#include <QString>

class ReplaySession {
public:
    struct Files {
        QString settings;   // "setting.ini"
        QString replayLog;  // "replaylog.ini"
    };

    // Reads both files; a missing file gives the factory settings or an empty log.
    ReplaySession(Files files, Workspace::PostToWindow post);
    ReplaySession(const ReplaySession &) = delete;
    ReplaySession &operator=(const ReplaySession &) = delete;

    PlayerSettings &settings() { return m_settings; }
    ReplayLog &replayLog() { return m_log; }
    Workspace &workspace() { return m_workspace; }

    // Leaving the program (FormDestroy): recordings freed without saving, their log
    // entries added, then both files written. Throws IniFileError.
    void FormDestroy();

private:
    Files m_files;
    PlayerSettings m_settings;
    ReplayLog m_log;
    Workspace m_workspace;  // last: it refers to the two above
};
