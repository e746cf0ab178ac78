#include "Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace common {

QString findResource(const QString &name)
{
    return findResource(name, QCoreApplication::applicationDirPath());
}

QString findResource(const QString &name, const QString &executableDir)
{
    const QDir dir(executableDir);
    for (const QString &candidate : {dir.filePath(name), dir.filePath(QStringLiteral("../share/rail-replay/") + name)}) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return {};
}

} // namespace common
