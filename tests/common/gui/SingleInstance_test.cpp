// The second start of the program between real processes: a later start hands
// its path (or only a raise) to the running one and ends; a name left by a
// crashed instance does not lock the program out; a bad message on the wire
// does not stop the running instance from listening.

#include "TestFiles.h"

#include "common/gui/HandOverMessage.h"
#include "common/gui/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

constexpr int waitMs = 5000;

// A title no other test (or parallel run) uses.
QString uniqueTitle()
{
    return QStringLiteral("Ostrel回放软件1.9.0 ")
           + QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
           + QChar(u' ') + QString::number(QCoreApplication::applicationPid());
}

QStringList probeArguments(const QString &title, int messageCount, const QString &path)
{
    QStringList args{title, QString::number(messageCount)};
    if (!path.isNull())
        args << path;
    return args;
}

// The running instance, read line by line as it reports.
class PrimaryProbe {
public:
    PrimaryProbe(const QString &title, int messageCount)
    {
        m_process.start(QStringLiteral(SINGLE_INSTANCE_PROBE), probeArguments(title, messageCount, QString()));
    }
    ~PrimaryProbe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(waitMs);
        }
    }

    // The next line printed, or "(none)" when nothing comes in time.
    QString nextLine()
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_process.canReadLine() && timer.elapsed() < waitMs) {
            if (!m_process.waitForReadyRead(int(waitMs - timer.elapsed())))
                break;
        }
        if (!m_process.canReadLine())
            return QStringLiteral("(none)");
        return QString::fromUtf8(m_process.readLine()).chopped(1);
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

// Starts a later instance and returns what it printed.
QString runSecondary(const QString &title, const QString &path)
{
    QProcess process;
    process.start(QStringLiteral(SINGLE_INSTANCE_PROBE), probeArguments(title, 0, path));
    if (!process.waitForFinished(waitMs))
        return QStringLiteral("(did not end)");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST(SingleInstance, SecondStartHandsItsPathOverAndAThirdWithoutPathOnlyRaises)
{
    const QString title = uniqueTitle();
    PrimaryProbe primary(title, 2);
    ASSERT_EQ(primary.nextLine(), QStringLiteral("primary"));

    const QString path = QStringLiteral("/home/探伤员/数据 2024/上行K12+300.std");
    EXPECT_EQ(runSecondary(title, path), QStringLiteral("sent"));
    EXPECT_EQ(primary.nextLine(), QStringLiteral("open ") + path);
    EXPECT_EQ(primary.nextLine(), QStringLiteral("raise"));

    EXPECT_EQ(runSecondary(title, QString()), QStringLiteral("sent"));
    EXPECT_EQ(primary.nextLine(), QStringLiteral("raise"));

    ASSERT_TRUE(primary.process().waitForFinished(waitMs));
    EXPECT_EQ(primary.process().exitCode(), 0);
    EXPECT_EQ(primary.process().readAll(), QByteArray());
}

TEST(SingleInstance, NameLeftByACrashedInstanceIsTakenOver)
{
    const QString title = uniqueTitle();
    {
        PrimaryProbe crashed(title, 1);
        ASSERT_EQ(crashed.nextLine(), QStringLiteral("primary"));
        crashed.process().kill();
        ASSERT_TRUE(crashed.process().waitForFinished(waitMs));
    }
#ifdef Q_OS_UNIX
    // The killed process could not remove its socket: the name is really stale.
    const QString name = SingleInstance::serverNameFor(title);
    EXPECT_TRUE(QFileInfo::exists(QDir::isAbsolutePath(name) ? name : QDir::temp().filePath(name)));
#endif

    PrimaryProbe successor(title, 1);
    ASSERT_EQ(successor.nextLine(), QStringLiteral("primary"));
    const QString path = QStringLiteral("/数据/b.std");
    EXPECT_EQ(runSecondary(title, path), QStringLiteral("sent"));
    EXPECT_EQ(successor.nextLine(), QStringLiteral("open ") + path);
    EXPECT_EQ(successor.nextLine(), QStringLiteral("raise"));
}

TEST(SingleInstance, ServerNameIsStablePerTitleAndUsableAsASocketName)
{
    const QString title = QStringLiteral("Ostrel回放软件1.9.0");
    const QString name = SingleInstance::serverNameFor(title);
    EXPECT_EQ(SingleInstance::serverNameFor(title), name);
    EXPECT_NE(SingleInstance::serverNameFor(title + QChar(u'x')), name);
    // Only ASCII letters, digits and '-' in the name itself: valid for pipes and sockets.
    const QString fileName = QFileInfo(name).fileName();
    EXPECT_FALSE(fileName.isEmpty());
    for (const QChar c : fileName)
        EXPECT_TRUE(c.isDigit() || (c >= u'a' && c <= u'z') || c == u'-') << fileName.toStdString();
    // Unix socket paths are limited to 107 bytes.
    EXPECT_LT(name.toUtf8().size(), 100);
}

// Sends raw bytes as one connection, the way a later start does.
void sendRaw(const QString &serverName, const QByteArray &message)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    ASSERT_TRUE(socket.waitForConnected(waitMs));
    socket.write(message);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(waitMs)) {
    }
    socket.disconnectFromServer();
}

void processEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(SingleInstance, RefusesAnOversizedMessageAndKeepsListening)
{
    SingleInstance instance(uniqueTitle());
    ASSERT_EQ(instance.start(QString()), SingleInstance::Outcome::Primary);
    ASSERT_TRUE(instance.isListening());
    QStringList events;
    QObject::connect(&instance, &SingleInstance::fileReceived,
                     [&](const QString &path) { events << QStringLiteral("open ") + path; });
    QObject::connect(&instance, &SingleInstance::raiseRequested, [&] { events << QStringLiteral("raise"); });

    QByteArray oversized = handOverMessage(QStringLiteral("/a.std"));
    oversized.append(maxHandOverMessageBytes, 'x');
    sendRaw(instance.serverName(), oversized);
    processEventsFor(300);
    EXPECT_EQ(events, QStringList());

    // The connection's end closes a message sent without its terminating zero.
    QByteArray unterminated = handOverMessage(QStringLiteral("/数据/c.std"));
    unterminated.chop(2);
    sendRaw(instance.serverName(), unterminated);
    QElapsedTimer timer;
    timer.start();
    while (events.size() < 2 && timer.elapsed() < waitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(events, QStringList({QStringLiteral("open /数据/c.std"), QStringLiteral("raise")}));
}

}  // namespace
