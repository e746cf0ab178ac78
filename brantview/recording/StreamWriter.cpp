#include "StreamWriter.h"

namespace brantview {

void StreamWriter::record(int code, int step, int data)
{
    record(StreamRecord::make(code, step, data));
}

void StreamWriter::packet(int code, std::span<const uint8_t> bytes, int lastStep)
{
    for (size_t k = 0; k < bytes.size(); ++k)
        record(code, k + 1 == bytes.size() ? lastStep : 0, bytes[k]);
}

void StreamWriter::endMarker()
{
    m_bytes.append(reinterpret_cast<const char *>(EndMarker.data()), RecordLength);
}

void StreamWriter::trailer(const QByteArray &name, std::span<const ReviewMark> marks)
{
    m_bytes.append(trailerBytes(name, marks));
}

QByteArray trailerBytes(const QByteArray &name, std::span<const ReviewMark> marks)
{
    QByteArray bytes(reinterpret_cast<const char *>(EndMarker.data()), RecordLength);
    bytes.append(name.left(ReplayerNameLength).leftJustified(ReplayerNameLength, ' '));
    for (const ReviewMark &mark : marks)
        bytes.append(reinterpret_cast<const char *>(mark.bytes()), ReviewMarkLength);
    return bytes;
}

} // namespace brantview
