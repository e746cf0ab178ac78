#pragma once
// A resource limit of this process lowered for one scope, to make the system
// refuse what it would allow: RLIMIT_FSIZE stands in for a full disk (writes past
// the size fail with EFBIG; SIGXFSZ is ignored meanwhile so the process lives),
// RLIMIT_AS for a memory too small. Limit and signal are restored afterwards.

#include <csignal>
#include <sys/resource.h>

namespace TestFiles {

class ResourceLimit {
public:
    ResourceLimit(int resource, rlim_t limit) : m_resource(resource)
    {
        getrlimit(resource, &m_old);
        if (resource == RLIMIT_FSIZE)
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        m_set = setrlimit(resource, &lowered) == 0;
    }
    ~ResourceLimit()
    {
        setrlimit(m_resource, &m_old);
        if (m_resource == RLIMIT_FSIZE)
            std::signal(SIGXFSZ, m_oldHandler);
    }
    ResourceLimit(const ResourceLimit &) = delete;
    ResourceLimit &operator=(const ResourceLimit &) = delete;

    bool set() const { return m_set; }

private:
    int m_resource;
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace TestFiles
