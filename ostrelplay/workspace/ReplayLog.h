#pragma once
// The replay log: which recordings were replayed, when, and for how long. Held in
// memory as three parallel lists from start to exit; "replaylog.ini" is read at
// start and written at exit. Entries are only ever added.
//
// Times are texts in the local date-time format, as the user's system writes
// them; the locale is an argument so that the texts do not depend on the machine
// the tests run on.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

struct ReplayLogEntry {
    QString fileName;   // without folder
    QString startTime;  // local date-time text of the open time
    QString duration;   // hours, minutes and seconds the file stayed open
};

// One line of the "回放记录" list.
struct ReplayLogRow {
    int number = 0;  // position in the whole log, from 1
    QString fileName;
    QString startTime;
    QString duration;
};

class ReplayLog {
public:
    // A value missing from the file reads as "信息丢失".
    void readreplaylog(const QString &path);
    void addreplaylog(const QString &filename, const QString &starttime, const QString &endtime);
    // Writes the count and every entry, keeping whatever else the file holds.
    // Throws IniFileError when the file cannot be written.
    void savereplaylog(const QString &path) const;

    // The entries whose start time lies within [from, to], in log order. An
    // entry whose start time cannot be read as a date-time is left out; the
    // entries after it are still listed.
    std::vector<ReplayLogRow> replaylogreflash(const QDateTime &from, const QDateTime &to,
                                               const QLocale &locale = QLocale::system()) const;

    int replaycount() const { return int(replayfilelog.size()); }

    QStringList replayfilelog;
    QStringList replaystartlog;
    QStringList replayendlog;
};

// The entry for a recording that leaves its slot: the file name without folder,
// the open time as local date-time text, and the last eight characters of the
// local date-time text of the time it stayed open.
ReplayLogEntry replayLogEntry(const QString &filePath, const QDateTime &openTime, const QDateTime &closeTime,
                              const QLocale &locale = QLocale::system());

// The local date-time format: the short date format, a space, the long time
// format. A two-digit year is widened to four digits, so that every text reads
// back as the moment it was written, and the time zone is left out, so that the
// text ends in the seconds.
QString localDateTimeFormat(const QLocale &locale);

// "replaylog.ini" where common::configFilePath keeps it: beside the executable,
// or in the user's configuration folder when that folder is not writable.
QString replayLogPath();
