#pragma once
// One running program per user and desktop: a later start hands its file to the
// running one and ends. The running instance is found through a local server named
// from the application id, the user and the display; the message is the one of
// HandOverMessage.h.
// On Unix the server lives in the user's runtime folder (XDG_RUNTIME_DIR), so a
// process given a folder of its own never meets the user's running copy.
// Made after the application object: the running instance's signals come from
// its event loop.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <optional>

class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Primary,         // no other instance: this process runs the window
        HandedOver,      // the running instance got the message: end this process
        HandOverFailed,  // an instance runs but did not take the message (errorString says why)
    };

    // Starts of the same application id and user find each other; Ostrelplay's id is
    // its window title, which is what a second start looked for.
    explicit SingleInstance(const QString &applicationId, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Hands `path` (empty: only raise) to the running instance, or becomes the
    // running instance and listens for later starts. A server name left behind by
    // a crashed instance is taken over.
    Outcome start(const QString &path);

    // Whether later starts can reach this instance; false after a failed listen
    // (errorString says why), in which case the process still runs on its own.
    bool isListening() const { return m_server.isListening(); }
    QString errorString() const { return m_errorString; }
    QString serverName() const { return m_serverName; }

    // The server name for an application id: stable across starts of one user,
    // different for other users and ids, valid on every platform.
    static QString serverNameFor(const QString &applicationId);

signals:
    // A later start sent a path; emitted before raiseRequested for the same message.
    void fileReceived(const QString &path);
    // A later start asked for the window to come to the front.
    void raiseRequested();

private:
    // nullopt when no instance answers.
    std::optional<Outcome> tryHandOver(const QString &path);
    void acceptConnections();
    void receive(QLocalSocket *socket);

    QString m_serverName;
    QLocalServer m_server;
    QString m_errorString;
};
