#include "SingleInstance.h"

#include "HandOverMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A hand-over is a few bytes between two local processes; a peer that takes
// longer is not answering.
constexpr int connectTimeoutMs = 1000;
constexpr int writeTimeoutMs = 1000;
constexpr int receiveTimeoutMs = 2000;

QString currentUserName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = QDir::homePath();
    return name;
}

// The id's ASCII letters and digits, lower-cased and cut short: enough to tell
// whose socket it is when listing the runtime folder.
QString readablePart(const QString &applicationId)
{
    QString part;
    for (const QChar c : applicationId) {
        if (part.size() == 16)
            break;
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            part += c.toLower();
    }
    return part;
}

}  // namespace

QString SingleInstance::serverNameFor(const QString &applicationId)
{
    // Hashed: an id holds characters a pipe or socket name must not carry. The
    // display is part of it: a start on another desktop of the same user opens its
    // own window there instead of replacing what the other desktop shows.
    const QString desktop = qEnvironmentVariable("WAYLAND_DISPLAY") + QChar(u'/') + qEnvironmentVariable("DISPLAY");
    const QByteArray key = (applicationId + QChar(u'\n') + currentUserName() + QChar(u'\n') + desktop).toUtf8();
    const QString name = readablePart(applicationId) + QChar(u'-')
                         + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
#ifdef Q_OS_UNIX
    // The per-user runtime folder keeps other users away from the socket; without
    // one the socket lives in the temporary folder like any local server.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtimeDir.isEmpty())
            return runtimeDir + QChar(u'/') + name;
    }
#endif
    return name;
}

SingleInstance::SingleInstance(const QString &applicationId, QObject *parent)
    : QObject(parent), m_serverName(serverNameFor(applicationId))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance()
{
    // Connections still being read must not report into a half-destroyed object
    // when the server closes them.
    for (QLocalSocket *socket : m_server.findChildren<QLocalSocket *>())
        socket->disconnect(this);
}

SingleInstance::Outcome SingleInstance::start(const QString &path)
{
    if (const auto outcome = tryHandOver(path))
        return *outcome;
    if (m_server.listen(m_serverName))
        return Outcome::Primary;
    if (m_server.serverError() == QAbstractSocket::AddressInUseError) {
        // Either another start took the name a moment ago, or a crashed instance
        // left it behind: only a name nobody answers on is removed.
        if (const auto outcome = tryHandOver(path))
            return *outcome;
        QLocalServer::removeServer(m_serverName);
        if (m_server.listen(m_serverName))
            return Outcome::Primary;
    }
    m_errorString = QStringLiteral("无法等待后来启动的程序交来的文件：") + m_server.errorString();
    return Outcome::Primary;
}

std::optional<SingleInstance::Outcome> SingleInstance::tryHandOver(const QString &path)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return std::nullopt;

    const QByteArray message = handOverMessage(path);
    if (message.size() > maxHandOverMessageBytes) {
        m_errorString = QStringLiteral("路径过长，无法交给正在运行的程序：") + path;
        return Outcome::HandOverFailed;
    }
#ifdef Q_OS_WIN
    // Only the foreground process may let another one bring its window to the front.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    socket.write(message);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(writeTimeoutMs)) {
    }
    if (socket.bytesToWrite() > 0) {
        m_errorString = QStringLiteral("正在运行的程序没有接收文件：") + socket.errorString();
        return Outcome::HandOverFailed;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(writeTimeoutMs);
    return Outcome::HandedOver;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection())
        receive(socket);
}

void SingleInstance::receive(QLocalSocket *socket)
{
    struct Reception {
        QByteArray message;
        bool finished = false;
    };
    const auto reception = std::make_shared<Reception>();

    const auto finish = [this, socket, reception](bool complete) {
        if (reception->finished)
            return;
        reception->finished = true;
        socket->abort();
        socket->deleteLater();
        const std::optional<QString> path = complete ? parseHandOverMessage(reception->message) : std::nullopt;
        if (!path)
            return;
        if (!path->isEmpty())
            emit fileReceived(*path);
        emit raiseRequested();
    };
    // Reads no more than one byte past the limit, so an oversized message is
    // refused without being held.
    const auto readAvailable = [socket, reception, finish] {
        if (reception->finished)
            return;
        reception->message += socket->read(maxHandOverMessageBytes + 1 - reception->message.size());
        if (reception->message.size() > maxHandOverMessageBytes)
            finish(false);
    };

    connect(socket, &QLocalSocket::readyRead, this, readAvailable);
    connect(socket, &QLocalSocket::disconnected, this, [readAvailable, finish] {
        readAvailable();
        finish(true);
    });
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [finish] { finish(false); });
    deadline->start(receiveTimeoutMs);

    readAvailable();
    if (socket->state() == QLocalSocket::UnconnectedState)
        finish(true);
}
