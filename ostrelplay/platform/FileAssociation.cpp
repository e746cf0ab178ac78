#include "FileAssociation.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <QSettings>

#include <windows.h>
#include <shlobj.h>
#else
#include "common/AtomicFile.h"
#include "common/FileError.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>
#endif

QString associationSucceededText()
{
    return QStringLiteral("关联成功！现在你可以直接双击数据打开文件了。");
}

#ifdef Q_OS_WIN

FileAssociationResult associateStdFiles(const QString &executablePath)
{
    const QString exe = QDir::toNativeSeparators(executablePath);
    // The user's own classes: writing them needs no administrator rights.
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    classes.setValue(QStringLiteral(".std/Default"), QStringLiteral("StdFile"));
    classes.setValue(QStringLiteral("StdFile/shell/open/command/Default"),
                     QChar(u'"') + exe + QStringLiteral("\" \"%1\""));
    classes.setValue(QStringLiteral("StdFile/DefaultIcon/Default"), QChar(u'"') + exe + QStringLiteral("\",0"));
    classes.sync();
    if (classes.status() != QSettings::NoError)
        return {false, QStringLiteral("无法写入注册表，.std文件没有关联。")};
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return {true, associationSucceededText()};
}

#else

namespace {

constexpr int toolTimeoutMs = 10000;

QString mimePackage()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>std文件</comment>\n"
               "    <glob pattern=\"*.std\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(stdMimeType));
}

QString desktopEntry(const QString &executablePath)
{
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Ostrel回放软件\n"
               "Exec=%1\n"
               "MimeType=%2;\n"
               "Terminal=false\n")
        .arg(desktopEntryExec(executablePath), QLatin1String(stdMimeType));
}

// Replaces the file as a whole, so a failed write leaves the old one.
std::optional<QString> writeTextFile(const QString &path, const QString &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("无法建立文件夹：") + QFileInfo(path).absolutePath();
    try {
        common::writeFileAtomically(path, text.toUtf8());
    } catch (const common::FileError &e) {
        return QStringLiteral("无法写入文件：") + path + QStringLiteral("（") + e.reason() + QStringLiteral("）");
    }
    return std::nullopt;
}

std::optional<QString> runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(toolTimeoutMs))
        return QStringLiteral("无法运行 ") + program + QStringLiteral("：") + process.errorString();
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished(toolTimeoutMs);
        return program + QStringLiteral(" 没有在规定时间内结束。");
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + QStringLiteral(" 执行失败：")
               + QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return std::nullopt;
}

}  // namespace

QString desktopEntryExec(const QString &executablePath)
{
    // Quoting rule of the Exec key: inside double quotes, '"', '`', '$' and '\'
    // take a backslash; '%' is doubled so it is not read as a field code.
    QString quoted;
    for (const QChar c : executablePath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QChar(u'\\');
        if (c == u'%')
            quoted += QChar(u'%');
        quoted += c;
    }
    const QString exec = QChar(u'"') + quoted + QStringLiteral("\" %f");
    // Escapes of every string value, undone before the quoting rule is applied.
    QString value;
    for (const QChar c : exec) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else
            value += c;
    }
    return value;
}

FileAssociationResult associateStdFiles(const QString &executablePath)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return {false, QStringLiteral("找不到用户数据文件夹，.std文件没有关联。")};
    const QDir data(dataHome);

    if (const auto error = writeTextFile(data.filePath(QLatin1String(stdMimePackageFile)), mimePackage()))
        return {false, *error};
    // Without the tool the type is known once the desktop rebuilds its database.
    const QString updateMimeDatabase = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!updateMimeDatabase.isEmpty()) {
        if (const auto error = runTool(updateMimeDatabase, {data.filePath(QStringLiteral("mime"))}))
            return {false, *error};
    }

    const QString entryPath = data.filePath(QStringLiteral("applications/") + QLatin1String(stdDesktopEntryName));
    if (const auto error = writeTextFile(entryPath, desktopEntry(executablePath)))
        return {false, *error};

    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {false, QStringLiteral("已写入.std文件类型和程序项，但系统中没有 xdg-mime，无法把本程序设为默认打开方式。")};
    if (const auto error = runTool(xdgMime, {QStringLiteral("default"), QLatin1String(stdDesktopEntryName),
                                             QLatin1String(stdMimeType)}))
        return {false, *error};
    return {true, associationSucceededText()};
}

#endif
