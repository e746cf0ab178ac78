// The second start of the program between real processes: a later start hands
// its path (or only a raise) to the running one and ends; a name left by a
// crashed instance does not lock the program out; a bad message on the wire
// does not stop the running instance from listening.
//
// Every test runs in a runtime folder of its own, which the probes inherit, and
// uses Ostrelplay's own id: a copy the user is running never receives anything,
// and a test that reached it would see it answer instead of its own probe.

#include "TestFiles.h"

#include "common/gui/HandOverMessage.h"
#include "common/gui/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int waitMs = 5000;

const QString ostrelplayId = QStringLiteral("Ostrel回放软件1.9.0");

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;  // made with mode 0700, as a runtime folder must be
    ScopedEnv privateRuntime{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

QStringList probeArguments(const QString &id, int messageCount, const QString &path)
{
    QStringList args{id, QString::number(messageCount)};
    if (!path.isNull())
        args << path;
    return args;
}

// The running instance, read line by line as it reports.
class PrimaryProbe {
public:
    PrimaryProbe(const QString &id, int messageCount)
    {
        m_process.start(QStringLiteral(SINGLE_INSTANCE_PROBE), probeArguments(id, messageCount, QString()));
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
QString runSecondary(const QString &id, const QString &path)
{
    QProcess process;
    process.start(QStringLiteral(SINGLE_INSTANCE_PROBE), probeArguments(id, 0, path));
    if (!process.waitForFinished(waitMs))
        return QStringLiteral("(did not end)");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST_F(SingleInstanceTest, SecondStartHandsItsPathOverAndAThirdWithoutPathOnlyRaises)
{
    PrimaryProbe primary(ostrelplayId, 2);
    ASSERT_EQ(primary.nextLine(), QStringLiteral("primary"));

    const QString path = QStringLiteral("/home/探伤员/数据 2024/上行K12+300.std");
    EXPECT_EQ(runSecondary(ostrelplayId, path), QStringLiteral("sent"));
    EXPECT_EQ(primary.nextLine(), QStringLiteral("open ") + path);
    EXPECT_EQ(primary.nextLine(), QStringLiteral("raise"));

    EXPECT_EQ(runSecondary(ostrelplayId, QString()), QStringLiteral("sent"));
    EXPECT_EQ(primary.nextLine(), QStringLiteral("raise"));

    ASSERT_TRUE(primary.process().waitForFinished(waitMs));
    EXPECT_EQ(primary.process().exitCode(), 0);
    EXPECT_EQ(primary.process().readAll(), QByteArray());
}

TEST_F(SingleInstanceTest, NameLeftByACrashedInstanceIsTakenOver)
{
    {
        PrimaryProbe crashed(ostrelplayId, 1);
        ASSERT_EQ(crashed.nextLine(), QStringLiteral("primary"));
        crashed.process().kill();
        ASSERT_TRUE(crashed.process().waitForFinished(waitMs));
    }
#ifdef Q_OS_UNIX
    // The killed process could not remove its socket: the name is really stale.
    EXPECT_TRUE(QFileInfo::exists(SingleInstance::serverNameFor(ostrelplayId)));
#endif

    PrimaryProbe successor(ostrelplayId, 1);
    ASSERT_EQ(successor.nextLine(), QStringLiteral("primary"));
    const QString path = QStringLiteral("/数据/b.std");
    EXPECT_EQ(runSecondary(ostrelplayId, path), QStringLiteral("sent"));
    EXPECT_EQ(successor.nextLine(), QStringLiteral("open ") + path);
    EXPECT_EQ(successor.nextLine(), QStringLiteral("raise"));
}

TEST_F(SingleInstanceTest, ServerNameIsStablePerIdUserAndDisplayAndUsableAsASocketName)
{
    const QString name = SingleInstance::serverNameFor(ostrelplayId);
    EXPECT_EQ(SingleInstance::serverNameFor(ostrelplayId), name);
    EXPECT_NE(SingleInstance::serverNameFor(QStringLiteral("Brantview")), name);
    {
        const ScopedEnv otherUser("USER", "inspector2");
        EXPECT_NE(SingleInstance::serverNameFor(ostrelplayId), name);
    }
    // Another desktop of the same user has its own program.
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const ScopedEnv otherDisplay(variable, ":57");
        EXPECT_NE(SingleInstance::serverNameFor(ostrelplayId), name) << variable;
    }
#ifdef Q_OS_UNIX
    EXPECT_EQ(QFileInfo(name).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
#endif
    // Only ASCII letters, digits and '-' in the name itself: valid for pipes and
    // sockets. It starts with what can be read of the id.
    const QString fileName = QFileInfo(name).fileName();
    EXPECT_TRUE(fileName.startsWith(QStringLiteral("ostrel190-"))) << fileName.toStdString();
    for (const QChar c : fileName)
        EXPECT_TRUE(c.isDigit() || (c >= u'a' && c <= u'z') || c == u'-') << fileName.toStdString();
    // Unix socket paths are limited to 107 bytes; the usual runtime folder is short.
    EXPECT_LT((QStringLiteral("/run/user/4294967295/") + fileName).toUtf8().size(), 100);
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

TEST_F(SingleInstanceTest, RefusesAnOversizedMessageAndKeepsListening)
{
    SingleInstance instance(ostrelplayId);
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
