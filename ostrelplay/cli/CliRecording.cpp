#include "CliRecording.h"

#include "common/cli/CliArgs.h"

using common::cli::UsageError;

CliRecording::CliRecording(const QString &path, bool collapseBands)
    : m_file(&m_settings)
{
    m_settings.collapse = collapseBands;
    m_file.LoadStdFile(path);
}

CliRecording::CliRecording(const QString &path, const RecordingSettings &settings)
    : m_file(&settings)
{
    m_file.LoadStdFile(path);
}

void CliRecording::switchTo(const QString &option, int subFile)
{
    if (m_file.std_filecount <= 0)
        throw UsageError(QStringLiteral("%1: the recording has no sub-files").arg(option));
    if (subFile < 0 || subFile >= m_file.std_filecount)
        throw UsageError(QStringLiteral("%1: sub-file %2 does not exist; the recording has sub-files 0 to %3")
                             .arg(option)
                             .arg(subFile)
                             .arg(m_file.std_filecount - 1));
    m_file.SwitchFile(subFile);
}

int CliRecording::rowCount() const
{
    return m_file.std_scandataindex.m_PacketIndexCount;
}

void CliRecording::checkRow(const QString &option, int row) const
{
    if (rowCount() <= 0)
        throw UsageError(QStringLiteral("%1: sub-file %2 has no rows").arg(option).arg(m_file.std_CurFile));
    if (row < 0 || row >= rowCount())
        throw UsageError(QStringLiteral("%1: row %2 is outside rows 0 to %3 of sub-file %4")
                             .arg(option)
                             .arg(row)
                             .arg(rowCount() - 1)
                             .arg(m_file.std_CurFile));
}
