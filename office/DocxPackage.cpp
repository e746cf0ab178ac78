#include "DocxPackage.h"

#include "OfficeError.h"
#include "common/AtomicFile.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace {

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

QByteArray readEntry(zip_t *archive, zip_uint64_t index, const zip_stat_t &stat)
{
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file)
        return {};
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    return read == zip_int64_t(stat.size) ? data : QByteArray();
}

} // namespace

DocxParts readDocxParts(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int error = 0;
    ZipHandle archive(zip_open(name.constData(), ZIP_RDONLY, &error));
    if (!archive)
        throw OfficeError(QStringLiteral("无法打开模板：%1").arg(path));
    DocxParts parts;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0)
            throw OfficeError(QStringLiteral("模板已损坏：%1").arg(path));
        const std::string entryName = stat.name;
        if (entryName.empty() || entryName.back() == '/')
            continue;
        QByteArray data = readEntry(archive.get(), zip_uint64_t(i), stat);
        if (data.size() != qsizetype(stat.size))
            throw OfficeError(QStringLiteral("模板已损坏：%1").arg(path));
        parts[entryName] = std::move(data);
    }
    return parts;
}

void writeDocxParts(const QString &path, const DocxParts &parts)
{
    const QString failure = QStringLiteral("无法保存文档：%1").arg(path);
    asOfficeError([&] {
        common::AtomicFile file(path);
        const QByteArray name = QFile::encodeName(file.pathForWriter());
        int error = 0;
        ZipHandle archive(zip_open(name.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
        if (!archive)
            throw OfficeError(failure);
        for (const auto &[entryName, data] : parts) {
            // The buffers outlive zip_close: the parts are owned by the caller.
            zip_source_t *source = zip_source_buffer(archive.get(), data.constData(), zip_uint64_t(data.size()), 0);
            if (!source)
                throw OfficeError(failure);
            if (zip_file_add(archive.get(), entryName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
                zip_source_free(source);
                throw OfficeError(failure);
            }
        }
        // Closing writes the archive: a full disk shows here, and the user should read why.
        if (zip_close(archive.get()) != 0)
            throw OfficeError(QStringLiteral("%1（%2）")
                                  .arg(failure, QString::fromLocal8Bit(zip_error_strerror(zip_get_error(archive.get())))));
        archive.release();
        file.commit();
    });
}
