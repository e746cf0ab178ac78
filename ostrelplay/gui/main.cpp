// Ostrelplay: one window per user; a later start hands its file to it and ends.

#include "common/CanvasText.h"
#include "common/NativePaths.h"
#include "common/gui/VisualStyles.h"
#include "UnattendedRun.h"
#include "workspace/Workspace.h"
#include "mainform.h"
#include "common/gui/SingleInstance.h"
#include "common/gui/ToolkitTranslation.h"

#include <QApplication>

#include <cstdio>

namespace {

void bringToFront(QWidget &window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    common::installFontSubstitutions();
    installToolkitTranslation();

    const QStringList arguments = common::commandLineArguments(argc, argv);
    const QString path = arguments.size() > 1 ? arguments.at(1) : QString();

    SingleInstance instance(Tfrm_main::title());
    switch (instance.start(path)) {
    case SingleInstance::Outcome::HandedOver:
        return 0;
    case SingleInstance::Outcome::HandOverFailed:
        std::fprintf(stderr, "%s\n", qPrintable(instance.errorString()));
        return 1;
    case SingleInstance::Outcome::Primary:
        break;
    }

    applyVisualStyle(QStringLiteral("Metropolis UI Blue"));
    // The workers hand positions to the window thread through the application's queue.
    ReplaySession session({settingsPath(), replayLogPath()}, [&app](std::function<void()> apply) {
        QMetaObject::invokeMethod(&app, std::move(apply), Qt::QueuedConnection);
    });
    Tfrm_main frm_main(session);
    QObject::connect(&instance, &SingleInstance::fileReceived, &frm_main, [&frm_main](const QString &received) {
        frm_main.OpenFile(frm_main.workspace().NextOpenSlot, received);
        bringToFront(frm_main);
    });
    QObject::connect(&instance, &SingleInstance::raiseRequested, &frm_main, [&frm_main] { bringToFront(frm_main); });

    frm_main.show();
    if (!path.isEmpty())
        frm_main.OpenFile(frm_main.workspace().NextOpenSlot, path);
    startUnattendedRun(frm_main);
    return app.exec();
}
