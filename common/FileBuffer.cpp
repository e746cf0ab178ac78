#include "FileBuffer.h"

#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace common {

namespace {
constexpr size_t kHugePageWorthwhile = size_t(4) << 20;
}

FileBuffer::FileBuffer(size_t size) : m_size(size)
{
#if defined(__linux__)
    if (size >= kHugePageWorthwhile) {
        void *p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        madvise(p, size, MADV_HUGEPAGE);  // advice only; plain pages work as well
        m_data = static_cast<char *>(p);
        m_mapped = true;
        return;
    }
#endif
    m_data = new char[size ? size : 1];
}

FileBuffer::~FileBuffer()
{
    release();
}

FileBuffer::FileBuffer(FileBuffer &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, false))
{
}

FileBuffer &FileBuffer::operator=(FileBuffer &&other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, false);
    }
    return *this;
}

void FileBuffer::release()
{
#if defined(__linux__)
    if (m_mapped) {
        munmap(m_data, m_size);
        m_data = nullptr;
        return;
    }
#endif
    delete[] m_data;
    m_data = nullptr;
}

} // namespace common
