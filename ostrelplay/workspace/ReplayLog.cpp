#include "ReplayLog.h"

#include "common/ConfigFiles.h"
#include "common/IniFile.h"
#include "common/NativePaths.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kCountSection = QStringLiteral("replaycount");
const QString kFileSection = QStringLiteral("replayfilelog");
const QString kStartSection = QStringLiteral("replaystartlog");
const QString kDurationSection = QStringLiteral("replayendlog");

// Rebuilds a date-time format field by field: `field` gets each run of one
// letter outside quotes and returns its replacement; quoted text stays as it is.
template <class Field>
QString rewriteFields(const QString &format, Field field)
{
    QString result;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype close = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype end = close < 0 ? format.size() : close + 1;
            result += format.mid(i, end - i);
            i = end;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        result += c.isLetter() ? field(c, run) : format.mid(i, run);
        i += run;
    }
    return result.trimmed();
}

} // namespace

QString localDateTimeFormat(const QLocale &locale)
{
    const QString date = rewriteFields(locale.dateFormat(QLocale::ShortFormat), [](QChar c, qsizetype run) {
        return c == QLatin1Char('y') && run == 2 ? QStringLiteral("yyyy") : QString(run, c);
    });
    const QString time = rewriteFields(locale.timeFormat(QLocale::LongFormat), [](QChar c, qsizetype run) {
        return c == QLatin1Char('t') ? QString() : QString(run, c);
    });
    return date + QLatin1Char(' ') + time;
}

QString replayLogPath()
{
    return common::configFilePath(QStringLiteral("replaylog.ini"));
}

ReplayLogEntry replayLogEntry(const QString &filePath, const QDateTime &openTime, const QDateTime &closeTime,
                              const QLocale &locale)
{
    const QString format = localDateTimeFormat(locale);
    // The time open as a date-time counted from day zero, so its text ends in
    // the hours, minutes and seconds.
    const QDateTime dayZero(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    const QDateTime timeOpen = dayZero.addMSecs(std::max<qint64>(0, openTime.msecsTo(closeTime)));
    return ReplayLogEntry{common::displayName(QFileInfo(filePath).fileName()), locale.toString(openTime, format),
                          locale.toString(timeOpen, format).right(8)};
}

void ReplayLog::readreplaylog(const QString &path)
{
    const common::IniFile ini(path);
    // Every entry takes lines of the file, so a larger count is damage; only the
    // entries the file holds are taken, and a part missing from one is "lost".
    const qsizetype count = std::clamp<qsizetype>(ini.readInt(kCountSection, kCountSection, 0), 0, ini.lineCount());
    const QString lost = QStringLiteral("信息丢失");
    replayfilelog.clear();
    replaystartlog.clear();
    replayendlog.clear();
    for (qsizetype i = 0; i < count; ++i) {
        const QString key = QString::number(i);
        if (!ini.hasKey(kFileSection, key) && !ini.hasKey(kStartSection, key) && !ini.hasKey(kDurationSection, key))
            continue;
        replayfilelog.append(ini.readString(kFileSection, key, lost));
        replaystartlog.append(ini.readString(kStartSection, key, lost));
        replayendlog.append(ini.readString(kDurationSection, key, lost));
    }
}

void ReplayLog::addreplaylog(const QString &filename, const QString &starttime, const QString &endtime)
{
    replayfilelog.append(filename);
    replaystartlog.append(starttime);
    replayendlog.append(endtime);
}

void ReplayLog::savereplaylog(const QString &path) const
{
    common::IniFile ini(path);
    ini.writeInt(kCountSection, kCountSection, replaycount());
    for (int i = 0; i < replaycount(); ++i) {
        const QString key = QString::number(i);
        ini.writeString(kFileSection, key, replayfilelog[i]);
        ini.writeString(kStartSection, key, replaystartlog[i]);
        ini.writeString(kDurationSection, key, replayendlog[i]);
    }
    ini.save();
}

std::vector<ReplayLogRow> ReplayLog::replaylogreflash(const QDateTime &from, const QDateTime &to,
                                                      const QLocale &locale) const
{
    const QString format = localDateTimeFormat(locale);
    std::vector<ReplayLogRow> rows;
    for (int i = 0; i < replaycount(); ++i) {
        const QDateTime start = locale.toDateTime(replaystartlog[i], format);
        if (start.isValid() && start >= from && start <= to)
            rows.push_back(ReplayLogRow{i + 1, replayfilelog[i], replaystartlog[i], replayendlog[i]});
    }
    return rows;
}
