#include "TextDecoding.h"

#include "ReadWholeFile.h"

#include <QStringDecoder>

namespace common {

namespace {

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

QString decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, bytes.sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, bytes.sliced(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    if (gb18030.isValid())
        return gb18030.decode(bytes);
    return QString::fromLocal8Bit(bytes);
}

QString readTextFile(const QString &path, const QString &kind)
{
    const FileBuffer bytes = readWholeFile(path, kind);
    return decodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

} // namespace common
