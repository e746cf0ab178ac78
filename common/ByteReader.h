#pragma once
// Reading packed little-endian records from bytes held in memory. Every read is
// checked against the end: one that would run past it throws FileError and
// leaves the position where it was.

#include <QString>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

namespace common {

// Records are copied as they are stored, which is their layout on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

class ByteReader {
public:
    // `source` names the bytes in messages (a file path, usually).
    ByteReader(const char *data, size_t size, const QString &source = {})
        : m_data(data), m_size(size), m_source(source)
    {
    }

    size_t position() const { return m_position; }
    size_t remaining() const { return m_size - m_position; }

    template <typename T>
    T read()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        std::memcpy(&value, take(sizeof(T)), sizeof(T));
        return value;
    }

    template <typename T>
    std::vector<T> readArray(size_t count)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (count > remaining() / sizeof(T))
            throwPastEnd(count, sizeof(T));
        std::vector<T> values(count);
        if (count > 0)
            std::memcpy(values.data(), take(count * sizeof(T)), count * sizeof(T));
        return values;
    }

    // As read(), but a record cut short by the end is taken as far as it goes and
    // the missing bytes read as zero.
    template <typename T>
    T readZeroFilled()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        const size_t available = std::min(sizeof(T), remaining());
        std::memcpy(&value, take(available), available);
        return value;
    }

    // The next `count` bytes, which stay where they are; the position moves past them.
    const char *take(size_t count)
    {
        if (count > remaining())
            throwPastEnd(count, 1);
        const char *at = m_data + m_position;
        m_position += count;
        return at;
    }

    void skip(size_t count) { take(count); }
    void seek(size_t position);

private:
    [[noreturn]] void throwPastEnd(size_t count, size_t unit) const;

    const char *m_data;
    size_t m_size;
    size_t m_position = 0;
    QString m_source;
};

} // namespace common
