#pragma once
// The column index of a stream: for every column its position and its last record;
// its first record is the one after the previous column's last. Its room is taken
// once for the most columns the records can close (one per record) without touching
// it, so the decoder writes every record's would-be column and keeps it only when the
// record closes one: no branch the processor has to guess, and only the pages written
// take memory.

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <new>

namespace brantview {

// The records first..last drawn at one position.
struct Column {
    int32_t position = 0;
    int32_t first = 0;
    int32_t last = 0;
};

class ColumnArray {
public:
    struct Stored {
        int32_t position;
        int32_t last;
    };

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Column;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Column;

        Iterator(const ColumnArray *array, size_t index) : m_array(array), m_index(index) {}
        Column operator*() const { return (*m_array)[m_index]; }
        Iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const Iterator &other) const { return m_index == other.m_index; }

    private:
        const ColumnArray *m_array;
        size_t m_index;
    };

    ColumnArray() = default;
    // Room for `capacity` columns plus the one the decoder writes ahead; throws std::bad_alloc.
    explicit ColumnArray(size_t capacity)
        : m_room(static_cast<Stored *>(std::malloc((capacity + 1) * sizeof(Stored))))
    {
        if (!m_room)
            throw std::bad_alloc();
    }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    Column operator[](size_t i) const
    {
        const Stored &c = m_room[i];
        return {c.position, i == 0 ? 0 : m_room[i - 1].last + 1, c.last};
    }
    Column back() const { return (*this)[m_size - 1]; }
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, m_size}; }

    // The decoder's side: the room after the last column, and keeping what it wrote there.
    Stored *next() { return m_room.get() + m_size; }
    void keep(size_t count) { m_size += count; }

private:
    struct Free {
        void operator()(Stored *p) const { std::free(p); }
    };
    std::unique_ptr<Stored[], Free> m_room;
    size_t m_size = 0;
};

} // namespace brantview
