#pragma once
// The records of a stream kept in the buffer the file was read into, three bytes
// each: the loader converts them in place, nothing is widened or copied.

#include "BrantFormat.h"
#include "common/FileBuffer.h"

#include <cstring>

namespace brantview {

class RecordArray {
public:
    RecordArray() = default;
    // The first `count` records of `buffer`, which holds at least 3 × count bytes.
    RecordArray(common::FileBuffer buffer, size_t count) : m_buffer(std::move(buffer)), m_count(count) {}

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    StreamRecord operator[](size_t i) const
    {
        StreamRecord r;
        std::memcpy(&r, m_buffer.data() + RecordLength * i, RecordLength);
        return r;
    }
    void set(size_t i, StreamRecord r) { std::memcpy(m_buffer.data() + RecordLength * i, &r, RecordLength); }

    // The stored bytes, 3 × size() of them.
    const uint8_t *bytes() const { return reinterpret_cast<const uint8_t *>(m_buffer.data()); }
    uint8_t *bytes() { return reinterpret_cast<uint8_t *>(m_buffer.data()); }

private:
    common::FileBuffer m_buffer;
    size_t m_count = 0;
};

} // namespace brantview
