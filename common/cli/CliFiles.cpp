#include "CliFiles.h"

#include "common/AtomicFile.h"
#include "common/FileError.h"

#include <QBuffer>

#include <memory>

namespace common::cli {

void writeOutputFiles(const std::vector<std::pair<QString, QByteArray>> &files)
{
    try {
        std::vector<std::unique_ptr<common::AtomicFile>> written;
        for (const auto &[path, bytes] : files) {
            written.push_back(std::make_unique<common::AtomicFile>(path));
            written.back()->write(bytes);
        }
        for (const auto &file : written)
            file->commit();
    } catch (const common::FileError &e) {
        throw common::FileError(QStringLiteral("cannot write %1: %2").arg(e.path(), e.reason()), e.path(), e.reason());
    }
}

QByteArray pngBytes(const QImage &image, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        const QString reason = QStringLiteral("the picture cannot be encoded as PNG");
        throw common::FileError(QStringLiteral("cannot write %1: %2").arg(path, reason), path, reason);
    }
    return bytes;
}

} // namespace common::cli
