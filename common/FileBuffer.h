#pragma once
// Memory for a whole recording read at once. Large buffers are backed by huge
// pages where the system offers them: faulting in hundreds of megabytes page by
// page costs more than reading the file.

#include <cstddef>

namespace common {

class FileBuffer {
public:
    FileBuffer() = default;
    explicit FileBuffer(size_t size);  // throws std::bad_alloc
    ~FileBuffer();
    FileBuffer(FileBuffer &&other) noexcept;
    FileBuffer &operator=(FileBuffer &&other) noexcept;
    FileBuffer(const FileBuffer &) = delete;
    FileBuffer &operator=(const FileBuffer &) = delete;

    char *data() const { return m_data; }
    size_t size() const { return m_size; }

private:
    void release();

    char *m_data = nullptr;
    size_t m_size = 0;
    bool m_mapped = false;
};

} // namespace common
