#pragma once
// File names are bytes on Unix. Most are UTF-8, but recordings copied from Windows
// media can carry names in the Chinese code page, which the toolkit cannot decode:
// it shows them as replacement characters and cannot open them again. A path here
// keeps each byte that is not UTF-8 as one character U+DC80..U+DCFF, so that it
// goes back to the file system byte for byte; the functions below reach such paths,
// which the toolkit's own file functions do not.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <filesystem>

namespace common {

QString pathFromNative(const QByteArray &bytes);
QByteArray nativePath(const QString &path);
std::filesystem::path fileSystemPath(const QString &path);

// Whether the path holds bytes the toolkit cannot reach.
bool hasForeignBytes(const QString &path);

// The name to show: the foreign bytes read as the Chinese code page they come from.
QString displayName(const QString &path);

// Opens `file` on `path` with `mode` (NewOnly and ExistingOnly included), also where
// the toolkit could not. A file opened that way has no name of its own.
bool openFile(QFile &file, const QString &path, QIODevice::OpenMode mode);

// The program's arguments after the toolkit took its own from argc and argv (call
// it after making the application object): file names kept byte for byte.
QStringList commandLineArguments(int argc, char **argv);

bool fileExists(const QString &path);
// The size in bytes; -1 when there is no such file.
qint64 fileSize(const QString &path);
bool removeFile(const QString &path);

} // namespace common
