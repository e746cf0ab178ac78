#include "ByteReader.h"

#include "FileError.h"

namespace common {

void ByteReader::seek(size_t position)
{
    if (position > m_size) {
        const QString reason = QStringLiteral("位置 %1 超出数据末尾（共 %2 字节）").arg(position).arg(m_size);
        throw FileError(QStringLiteral("数据不完整：%1 %2").arg(m_source, reason), m_source, reason);
    }
    m_position = position;
}

void ByteReader::throwPastEnd(size_t count, size_t unit) const
{
    const QString reason = QStringLiteral("在第 %1 字节处需要 %2 × %3 字节，只剩 %4 字节")
                               .arg(m_position)
                               .arg(count)
                               .arg(unit)
                               .arg(remaining());
    throw FileError(QStringLiteral("数据不完整：%1 %2").arg(m_source, reason), m_source, reason);
}

} // namespace common
