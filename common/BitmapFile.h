#pragma once
// Pictures as Windows bitmap files: 24 bits a pixel, written through an AtomicFile so
// that a failed write leaves a file of the same name as it was.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace common {

// The picture as the bytes of a 24-bit Windows bitmap; empty when it cannot be encoded.
QByteArray bitmapBytes(const QImage &picture);

// Replaces `path` with the picture as a bitmap; throws FileError naming the path.
void writeBitmapFile(const QString &path, const QImage &picture);

} // namespace common
