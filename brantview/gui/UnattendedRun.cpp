#include "UnattendedRun.h"

#include "frmMain.h"

#include "common/gui/PaintBox.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int PlayMs = 1500;

void finish(frmMain &window, const QString &path, int32_t steppedTo)
{
    window.setAutoPlay(false);
    const bool saved = window.grab().save(path);
    const QPoint at = window.view()->mapTo(&window, QPoint(0, 0));
    const QJsonObject result{
        {QStringLiteral("saved"), saved},
        {QStringLiteral("pane"), QJsonObject{{QStringLiteral("x"), at.x()},
                                             {QStringLiteral("y"), at.y()},
                                             {QStringLiteral("width"), window.view()->width()},
                                             {QStringLiteral("height"), window.view()->height()}}},
        {QStringLiteral("steppedTo"), steppedTo},
        {QStringLiteral("position"), window.panes().current().ViewStart},
        {QStringLiteral("dots"), window.drawnDots()},
    };
    std::fputs(QJsonDocument(result).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    window.close();
}

} // namespace

void startUnattendedRun(frmMain &window)
{
    const QString screenshot = qEnvironmentVariable("BRANTVIEW_SCREENSHOT");
    if (screenshot.isEmpty())
        return;
    QTimer::singleShot(500, &window, [&window, screenshot] {
        window.StepView(window.settings().ManualStep);
        const int32_t steppedTo = window.panes().current().ViewStart;
        window.setAutoPlay(true);
        QTimer::singleShot(PlayMs, &window, [&window, screenshot, steppedTo] { finish(window, screenshot, steppedTo); });
    });
}
