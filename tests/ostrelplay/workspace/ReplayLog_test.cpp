// The replay log: "replaylog.ini" read and written, the entry of a recording that
// leaves its slot, and the rows the "回放记录" list shows between two dates.

#include "TestStdFixtures.h"

#include "workspace/ReplayLog.h"

#include <gtest/gtest.h>

namespace {

using StdTest::readBytes;

const QLocale kChina(QLocale::Chinese, QLocale::China);
const QString kLost = QStringLiteral("信息丢失");

QDateTime at(int day, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute, second));
}

std::vector<int> numbers(const std::vector<ReplayLogRow> &rows)
{
    std::vector<int> result;
    for (const ReplayLogRow &row : rows)
        result.push_back(row.number);
    return result;
}

// Five entries opened on 1 .. 5 March 2024 at 10:00, each open for d minutes.
ReplayLog fiveDays()
{
    ReplayLog log;
    for (int d = 1; d <= 5; ++d) {
        const ReplayLogEntry e = replayLogEntry(QStringLiteral("/rec/RUN%1.STD").arg(d), at(d, 10),
                                                at(d, 10, d), kChina);
        log.addreplaylog(e.fileName, e.startTime, e.duration);
    }
    return log;
}

TEST(ReplayLog, MissingValuesReadAsLost)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("replaylog.ini", QStringLiteral("[replaycount]\nreplaycount=3\n"
                                                                   "[replayfilelog]\n0=a.std\n2=c.std\n"
                                                                   "[replaystartlog]\n0=2024/3/5 14:07:09\n"
                                                                   "[replayendlog]\n1=00:10:00\n")
                                                        .toUtf8());
    ReplayLog log;
    log.readreplaylog(path);
    ASSERT_EQ(log.replaycount(), 3);
    EXPECT_EQ(log.replayfilelog, (QStringList{"a.std", kLost, "c.std"}));
    EXPECT_EQ(log.replaystartlog, (QStringList{"2024/3/5 14:07:09", kLost, kLost}));
    EXPECT_EQ(log.replayendlog, (QStringList{kLost, "00:10:00", kLost}));
}

TEST(ReplayLog, MissingFileOrBadCountGivesAShortLog)
{
    StdTest::StdFileDir dir;
    ReplayLog log;
    log.readreplaylog(dir.path("none.ini"));
    EXPECT_EQ(log.replaycount(), 0);

    log.readreplaylog(dir.write("negative.ini", "[replaycount]\nreplaycount=-4\n"));
    EXPECT_EQ(log.replaycount(), 0);

    log.readreplaylog(dir.write("words.ini", "[replaycount]\nreplaycount=many\n[replayfilelog]\n0=a.std\n"));
    EXPECT_EQ(log.replaycount(), 0);

    // A damaged count among blank lines invents no entries: only those the file holds.
    log.readreplaylog(dir.write("huge.ini", QByteArray("[replaycount]\nreplaycount=99999999\n") + QByteArray(1000, '\n')
                                                + "[replayfilelog]\n0=a.std\n1=b.std\n[replaystartlog]\n1=x\n"));
    EXPECT_EQ(log.replayfilelog, (QStringList{"a.std", "b.std"}));
    EXPECT_EQ(log.replaystartlog, (QStringList{kLost, "x"}));
}

TEST(ReplayLog, SaveWritesTheCountAndEveryEntry)
{
    StdTest::StdFileDir dir;
    const QString path = dir.path("replaylog.ini");
    ReplayLog log;
    log.addreplaylog("RUN1.STD", "2024/3/1 10:00:00", "00:01:00");
    log.addreplaylog("线路 2.std", "2024/3/2 11:30:05", "01:02:03");
    log.savereplaylog(path);
    EXPECT_EQ(readBytes(path), QStringLiteral("[replaycount]\nreplaycount=2\n"
                                              "[replayfilelog]\n0=RUN1.STD\n1=线路 2.std\n"
                                              "[replaystartlog]\n0=2024/3/1 10:00:00\n1=2024/3/2 11:30:05\n"
                                              "[replayendlog]\n0=00:01:00\n1=01:02:03\n")
                                   .toUtf8());

    ReplayLog read;
    read.readreplaylog(path);
    read.addreplaylog("RUN3.STD", "2024/3/3 09:00:00", "00:00:07");
    read.savereplaylog(path);

    ReplayLog again;
    again.readreplaylog(path);
    EXPECT_EQ(again.replayfilelog, (QStringList{"RUN1.STD", "线路 2.std", "RUN3.STD"}));
    EXPECT_EQ(again.replaystartlog, (QStringList{"2024/3/1 10:00:00", "2024/3/2 11:30:05", "2024/3/3 09:00:00"}));
    EXPECT_EQ(again.replayendlog, (QStringList{"00:01:00", "01:02:03", "00:00:07"}));
}

TEST(ReplayLog, EntryOfARecordingLeavingItsSlot)
{
    struct Case {
        QLocale locale;
        const char *startTime;
    };
    const Case cases[] = {
        {kChina, "2024/3/5 14:07:09"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2024 2:07:09 PM"},
        {QLocale(QLocale::German, QLocale::Germany), "05.03.2024 14:07:09"},
        {QLocale(QLocale::French, QLocale::Canada), "2024-03-05 14 h 07 min 09 s"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const QDateTime open = at(5, 14, 7, 9);
        const ReplayLogEntry entry =
            replayLogEntry(QStringLiteral("/data/记录/RUN1.STD"), open, open.addSecs(3723), c.locale);
        EXPECT_EQ(entry.fileName, QStringLiteral("RUN1.STD"));
        EXPECT_EQ(entry.startTime, QString::fromUtf8(c.startTime));

        // The text reads back as the moment it was written.
        ReplayLog log;
        log.addreplaylog(entry.fileName, entry.startTime, entry.duration);
        EXPECT_EQ(numbers(log.replaylogreflash(open, open, c.locale)), std::vector<int>{1});
    }
}

TEST(ReplayLog, DurationIsTheHoursMinutesAndSeconds)
{
    const QDateTime open = at(5, 23, 30);
    EXPECT_EQ(replayLogEntry("a.std", open, open.addSecs(3723), kChina).duration, QStringLiteral("01:02:03"));
    EXPECT_EQ(replayLogEntry("a.std", open, open.addSecs(3723), QLocale(QLocale::German, QLocale::Germany)).duration,
              QStringLiteral("01:02:03"));
    EXPECT_EQ(replayLogEntry("a.std", open, open.addMSecs(59999), kChina).duration, QStringLiteral("00:00:59"));
    EXPECT_EQ(replayLogEntry("a.std", open, open.addSecs(-5), kChina).duration, QStringLiteral("00:00:00"));
}

TEST(ReplayLog, ListShowsEntriesBetweenTheDatesWithTheirNumbersInTheLog)
{
    const ReplayLog log = fiveDays();
    const std::vector<ReplayLogRow> rows = log.replaylogreflash(at(4, 0), QDateTime::currentDateTime(), kChina);
    ASSERT_EQ(numbers(rows), (std::vector<int>{4, 5}));
    EXPECT_EQ(rows[0].fileName, QStringLiteral("RUN4.STD"));
    EXPECT_EQ(rows[0].startTime, QStringLiteral("2024/3/4 10:00:00"));
    EXPECT_EQ(rows[0].duration, QStringLiteral("00:04:00"));
    EXPECT_EQ(rows[1].fileName, QStringLiteral("RUN5.STD"));

    // Both ends belong to the range.
    EXPECT_EQ(numbers(log.replaylogreflash(at(2, 10), at(3, 10), kChina)), (std::vector<int>{2, 3}));
    EXPECT_EQ(numbers(log.replaylogreflash(at(2, 10, 0, 1), at(3, 9, 59, 59), kChina)), std::vector<int>{});
}

TEST(ReplayLog, StartTimesThatDoNotReadAreSkippedAndLaterEntriesStillListed)
{
    ReplayLog log = fiveDays();
    log.replaystartlog[1] = kLost;
    log.replaystartlog[3] = QStringLiteral("2024/13/45 10:00:00");
    EXPECT_EQ(numbers(log.replaylogreflash(at(1, 0), at(6, 0), kChina)), (std::vector<int>{1, 3, 5}));
}

} // namespace
