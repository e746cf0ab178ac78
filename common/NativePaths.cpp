#include "NativePaths.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <system_error>

namespace common {

namespace {

constexpr char16_t kEscapeBase = 0xdc00;

// A byte kept as U+DC80..U+DCFF: a low surrogate that is not the second half of a pair.
bool isEscape(const QString &path, qsizetype i)
{
    const char16_t c = path[i].unicode();
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xff && (i == 0 || !path[i - 1].isHighSurrogate());
}

// The length of the UTF-8 sequence starting at `at`, or 0 when it is none.
int utf8Length(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return quint8(bytes[i]); };
    const quint8 lead = byte(at);
    const int length = lead < 0x80 ? 1 : lead >= 0xc2 && lead < 0xe0 ? 2 : lead >= 0xe0 && lead < 0xf0 ? 3
                                   : lead >= 0xf0 && lead < 0xf5    ? 4
                                                                    : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i)
        if ((byte(at + i) & 0xc0) != 0x80)
            return 0;
    // Overlong forms and surrogates are no UTF-8 either.
    if ((lead == 0xe0 && byte(at + 1) < 0xa0) || (lead == 0xed && byte(at + 1) >= 0xa0)
        || (lead == 0xf0 && byte(at + 1) < 0x90) || (lead == 0xf4 && byte(at + 1) >= 0x90))
        return 0;
    return length;
}

} // namespace

QString pathFromNative(const QByteArray &bytes)
{
#if defined(Q_OS_WIN)
    return QFile::decodeName(bytes);
#else
    QString path;
    path.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = utf8Length(bytes, at);
        if (length == 0) {
            path.append(QChar(char16_t(kEscapeBase + quint8(bytes[at]))));
            ++at;
            continue;
        }
        path.append(QString::fromUtf8(bytes.constData() + at, length));
        at += length;
    }
    return path;
#endif
}

QByteArray nativePath(const QString &path)
{
#if defined(Q_OS_WIN)
    return QFile::encodeName(path);
#else
    if (!hasForeignBytes(path))
        return path.toUtf8();
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscape(path, i))
            continue;
        bytes += QStringView(path).mid(start, i - start).toUtf8();
        bytes += char(path[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes + QStringView(path).mid(start).toUtf8();
#endif
}

std::filesystem::path fileSystemPath(const QString &path)
{
#if defined(Q_OS_WIN)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(nativePath(path).toStdString());
#endif
}

bool hasForeignBytes(const QString &path)
{
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isEscape(path, i))
            return true;
    return false;
}

QString displayName(const QString &path)
{
    if (!hasForeignBytes(path))
        return path;
    QStringDecoder chinese("GB18030");
    return chinese.isValid() ? chinese.decode(nativePath(path)) : path;
}

bool openFile(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    if (!hasForeignBytes(path)) {
        file.setFileName(path);
        return file.open(mode);
    }
    return platform::openNative(file, nativePath(path), mode);
}

QStringList commandLineArguments(int argc, char **argv)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << pathFromNative(QByteArray(argv[i]));
    return arguments;
#endif
}

bool fileExists(const QString &path)
{
    std::error_code error;
    return std::filesystem::exists(fileSystemPath(path), error);
}

qint64 fileSize(const QString &path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(fileSystemPath(path), error);
    return error ? -1 : qint64(size);
}

bool removeFile(const QString &path)
{
    std::error_code error;
    return std::filesystem::remove(fileSystemPath(path), error);
}

} // namespace common
