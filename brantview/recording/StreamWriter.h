#pragma once
// Builds the bytes of a record stream: records, packets spread over runs of
// records, the end marker and the trailer, laid out as the reader takes them.

#include "BrantFormat.h"

#include <QByteArray>

#include <span>

namespace brantview {

class StreamWriter {
public:
    // code 0..127, step 0..511, data 0..255
    void record(int code, int step, int data);
    void record(StreamRecord r) { m_bytes.append(reinterpret_cast<const char *>(&r), RecordLength); }
    // One record per packet byte, all with step 0 but the last, which carries `lastStep`.
    void packet(int code, std::span<const uint8_t> bytes, int lastStep = 0);
    void endMarker();
    // `name` is cut or padded with spaces to the stored eight bytes.
    void trailer(const QByteArray &name, std::span<const ReviewMark> marks);
    void raw(const QByteArray &bytes) { m_bytes.append(bytes); }
    void reserve(qsizetype bytes) { m_bytes.reserve(bytes); }

    const QByteArray &bytes() const { return m_bytes; }
    qsizetype recordCount() const { return m_bytes.size() / RecordLength; }

private:
    QByteArray m_bytes;
};

// The trailer after the records: marker, the eight name bytes and the marks.
QByteArray trailerBytes(const QByteArray &name, std::span<const ReviewMark> marks);

} // namespace brantview
