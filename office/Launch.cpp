#include "Launch.h"

#include "OfficeError.h"

#include <QDesktopServices>
#include <QUrl>

void openWithDefaultApplication(const QString &path)
{
    if (qEnvironmentVariable("OFFICE_NO_LAUNCH") == QLatin1String("1"))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw OfficeError(QStringLiteral("文件已保存，但无法用默认程序打开：%1").arg(path));
}
