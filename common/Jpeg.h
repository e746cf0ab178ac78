#pragma once
// JPEG encoding through libjpeg, at the quality the caller asks for.

#include <QByteArray>
#include <QImage>

namespace common {

// The image as a baseline JPEG file at `quality` (1..100); empty when the encoder fails.
QByteArray jpegBytes(const QImage &image, int quality);

} // namespace common
