#include "ConfigFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace common {

QString configFilePath(const QString &name)
{
    return configFilePath(name, QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString configFilePath(const QString &name, const QString &executableDir, const QString &userConfigDir)
{
    const QString besideProgram = QDir(executableDir).filePath(name);
    if (QFileInfo(executableDir).isWritable() || userConfigDir.isEmpty())
        return besideProgram;
    QDir().mkpath(userConfigDir);
    const QString own = QDir(userConfigDir).filePath(name);
    if (!QFileInfo::exists(own) && QFileInfo(besideProgram).isFile() && QFile::copy(besideProgram, own))
        QFile::setPermissions(own, QFile::permissions(own) | QFile::ReadOwner | QFile::WriteOwner);
    return own;
}

} // namespace common
