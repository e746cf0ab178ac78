// The single-instance hand-over in a real process, driven by the tests:
//   single_instance_probe APP_ID MESSAGE_COUNT [PATH]
// As the running instance it prints "primary", then "open PATH" and "raise" for
// what later starts send, and exits 0 after MESSAGE_COUNT raise requests, or 3
// when they have not come within 10 s. As a later start it prints "sent" and
// exits 0, or "failed: REASON" and exits 1.
#include "common/gui/SingleInstance.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

void printLine(const QString &line)
{
    std::fputs((line + QChar(u'\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool countOk = false;
    const int messageCount = args.size() >= 3 ? args[2].toInt(&countOk) : 0;
    if (args.size() < 3 || args.size() > 4 || !countOk) {
        std::fputs("usage: single_instance_probe APP_ID MESSAGE_COUNT [PATH]\n", stderr);
        return 2;
    }

    SingleInstance instance(args[1]);
    switch (instance.start(args.value(3))) {
    case SingleInstance::Outcome::HandedOver:
        printLine(QStringLiteral("sent"));
        return 0;
    case SingleInstance::Outcome::HandOverFailed:
        printLine(QStringLiteral("failed: ") + instance.errorString());
        return 1;
    case SingleInstance::Outcome::Primary:
        break;
    }
    if (!instance.isListening()) {
        printLine(QStringLiteral("failed: ") + instance.errorString());
        return 1;
    }

    int raises = 0;
    QObject::connect(&instance, &SingleInstance::fileReceived,
                     [](const QString &path) { printLine(QStringLiteral("open ") + path); });
    QObject::connect(&instance, &SingleInstance::raiseRequested, [&] {
        printLine(QStringLiteral("raise"));
        if (++raises == messageCount)
            app.quit();
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
    printLine(QStringLiteral("primary"));
    return app.exec();
}
