#pragma once
// A recording opened for one command, with the factory settings it reads,
// and the checks of sub-file and row numbers given on the command line.

#include "recording/RecordingSettings.h"
#include "recording/STDDataOperation.h"

#include <QString>

class CliRecording {
public:
    // Throws StdFileError when the file is missing or damaged.
    explicit CliRecording(const QString &path, bool collapseBands = false);
    // The recording reads `settings`, which must outlive it.
    CliRecording(const QString &path, const RecordingSettings &settings);
    CliRecording(const CliRecording &) = delete;
    CliRecording &operator=(const CliRecording &) = delete;

    mystdfile &file() { return m_file; }
    const mystdfile &file() const { return m_file; }

    // Makes a sub-file current; throws UsageError naming `option` when there is none such.
    void switchTo(const QString &option, int subFile);
    // Rows of the current sub-file.
    int rowCount() const;
    // Throws UsageError naming `option` unless the current sub-file has this row.
    void checkRow(const QString &option, int row) const;

private:
    DefaultRecordingSettings m_settings;
    mystdfile m_file;
};
