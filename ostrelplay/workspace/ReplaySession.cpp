#include "ReplaySession.h"

#include <utility>

namespace {

PlayerSettings readSettings(const QString &path)
{
    PlayerSettings settings;
    settings.readsetting(path);
    return settings;
}

ReplayLog readLog(const QString &path)
{
    ReplayLog log;
    log.readreplaylog(path);
    return log;
}

} // namespace

ReplaySession::ReplaySession(Files files, Workspace::PostToWindow post)
    : m_files(std::move(files)), m_settings(readSettings(m_files.settings)), m_log(readLog(m_files.replayLog)),
      m_workspace(m_settings, m_log, std::move(post))
{
}

void ReplaySession::FormDestroy()
{
    m_workspace.FormDestroy(m_files.settings, m_files.replayLog);
}
