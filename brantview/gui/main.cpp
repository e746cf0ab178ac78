// Brantview: browses one or two Brantel recordings as B-scan. Files named on the
// command line are opened into "文件1" and "文件2" as the open dialogs would.

#include "UnattendedRun.h"
#include "frmMain.h"

#include "common/CanvasText.h"
#include "common/NativePaths.h"
#include "common/gui/ToolkitTranslation.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brantview"));
    QCoreApplication::setApplicationName(QStringLiteral("Brantview"));
    common::installFontSubstitutions();
    installToolkitTranslation();

    frmMain window;
    window.show();
    const QStringList arguments = common::commandLineArguments(argc, argv);
    for (int slot = 0; slot < 2 && slot + 1 < arguments.size(); ++slot)
        if (!window.OpenFile(slot, arguments.at(slot + 1)))
            break;
    startUnattendedRun(window);
    return app.exec();
}
