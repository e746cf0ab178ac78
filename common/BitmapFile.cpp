#include "BitmapFile.h"

#include "AtomicFile.h"
#include "FileError.h"

#include <QBuffer>

namespace common {

QByteArray bitmapBytes(const QImage &picture)
{
    if (picture.isNull())
        return {};
    // Qt writes images of 32 bits without alpha as 24-bit bitmaps; an indexed or
    // alpha image would keep its own depth.
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return opaque.save(&buffer, "BMP") ? bytes : QByteArray();
}

void writeBitmapFile(const QString &path, const QImage &picture)
{
    const QByteArray bytes = bitmapBytes(picture);
    if (bytes.isEmpty()) {
        const QString reason = QStringLiteral("图像无法编码为位图");
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, reason), path, reason);
    }
    writeFileAtomically(path, bytes);
}

} // namespace common
