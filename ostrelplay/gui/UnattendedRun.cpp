#include "UnattendedRun.h"

#include "SlotWidgets.h"
#include "workspace/Workspace.h"
#include "mainform.h"
#include "common/gui/PaintBox.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int ScreenshotDelayMs = 3000;

QJsonObject paneGeometry(Tfrm_main &window)
{
    const SlotWidgetSet *set = window.slotWidgets(0);
    if (!set)
        return {};
    const QPoint at = set->pb->mapTo(&window, QPoint(0, 0));
    return QJsonObject{{QStringLiteral("x"), at.x()},
                       {QStringLiteral("y"), at.y()},
                       {QStringLiteral("width"), set->pb->width()},
                       {QStringLiteral("height"), set->pb->height()}};
}

void takeScreenshot(Tfrm_main &window, const QString &path)
{
    const bool saved = window.grab().save(path);
    const FileSlot &slot = window.workspace().slot(0);
    const QJsonObject result{
        {QStringLiteral("screenshot"), path},
        {QStringLiteral("saved"), saved},
        {QStringLiteral("pane"), paneGeometry(window)},
        {QStringLiteral("position"), slot.hasRecording() ? slot.bar.position() : -1},
        {QStringLiteral("playing"), bool(window.workspace().Playing)},
    };
    std::fputs(QJsonDocument(result).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    QCoreApplication::exit(saved ? 0 : 1);
}

} // namespace

void startUnattendedRun(Tfrm_main &window)
{
    if (qEnvironmentVariableIntValue("OSTRELPLAY_AUTOPLAY") == 1) {
        QTimer::singleShot(0, &window, [&window] {
            if (auto *play = window.findChild<QPushButton *>(QStringLiteral("btn_play")))
                play->click();
        });
    }
    const QString screenshot = qEnvironmentVariable("OSTRELPLAY_SCREENSHOT");
    if (!screenshot.isEmpty())
        QTimer::singleShot(ScreenshotDelayMs, &window, [&window, screenshot] { takeScreenshot(window, screenshot); });
}
