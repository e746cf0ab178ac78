#pragma once
// The files a batch command writes where an option names them: each replaced as a
// whole, none before all of them are written, so a failure leaves the old ones.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace common::cli {

// Throws FileError "cannot write PATH: reason" when one cannot be written.
void writeOutputFiles(const std::vector<std::pair<QString, QByteArray>> &files);

// The picture as PNG bytes; throws FileError naming `path` when it cannot be encoded.
QByteArray pngBytes(const QImage &image, const QString &path);

} // namespace common::cli
