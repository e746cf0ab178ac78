#include "ManagementFile.h"

#include "common/AtomicFile.h"
#include "common/FileError.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace brantview {

int ManagementRecord::word(int offset) const
{
    const int high = bytes[offset];
    if (high >= 128)
        throw ManagementFieldError(QStringLiteral("管理记录的16位字段（第%1字节）为负值：%2,%3")
                                       .arg(offset)
                                       .arg(high)
                                       .arg(bytes[offset + 1]));
    return high * 256 + bytes[offset + 1];
}

std::vector<ManagementRecord> ParseManagementRecords(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.size() % ManagementRecordSize != 0)
        throw ManagementFileError();
    std::vector<ManagementRecord> records(size_t(bytes.size() / ManagementRecordSize));
    std::memcpy(records.data(), bytes.constData(), size_t(bytes.size()));
    return records;
}

std::vector<ManagementRecord> LoadManagementFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw common::FileError(QStringLiteral("无法打开文件 %1：%2").arg(path, file.errorString()), path,
                                file.errorString());
    const qint64 size = file.size();
    if (size <= 0 || size % ManagementRecordSize != 0)
        throw ManagementFileError();
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        throw common::FileError(QStringLiteral("读取文件 %1 失败：%2").arg(path, file.errorString()), path,
                                file.errorString());
    return ParseManagementRecords(bytes);
}

QByteArray ManagementDumpText(const std::vector<ManagementRecord> &records)
{
    QByteArray text;
    text.reserve(qsizetype(records.size()) * 60);
    char line[ManagementRecordSize * 4 + 2];
    for (const ManagementRecord &record : records) {
        char *out = line;
        for (int i = 0; i < ManagementRecordSize; ++i) {
            if (i > 0)
                *out++ = ',';
            const unsigned value = record.bytes[i];
            if (value >= 100)
                *out++ = char('0' + value / 100);
            if (value >= 10)
                *out++ = char('0' + value / 10 % 10);
            *out++ = char('0' + value % 10);
        }
        *out++ = '\r';
        *out++ = '\n';
        text.append(line, out - line);
    }
    return text;
}

QString ManagementSiblingPath(const QString &path, const QString &extension)
{
    return path.chopped(qMin(qsizetype(3), path.size())) + extension;
}

QString WriteManagementDump(const QString &mgPath, const std::vector<ManagementRecord> &records)
{
    const QString dumpPath = ManagementSiblingPath(mgPath, QStringLiteral("txt"));
    // A management file named "….txt" would otherwise be replaced by its own dump.
    if (QFileInfo(dumpPath).absoluteFilePath() == QFileInfo(mgPath).absoluteFilePath())
        throw common::FileError(QStringLiteral("文件 %1 的文本记录会覆盖它自己").arg(mgPath), dumpPath,
                                QStringLiteral("same file"));
    common::writeFileAtomically(dumpPath, ManagementDumpText(records));
    return dumpPath;
}

} // namespace brantview
