#include "Launch.h"

#include "OfficeError.h"

#include <QDesktopServices>
#include <QUrl>

void openWithDefaultApplication(const QString &path)
{
    if (qEnvironmentVariable("OFFICE_NO_LAUNCH") == QLatin1String("1"))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw OfficeError(QStringLiteral("cannot open %1 in the default application").arg(path));
}
