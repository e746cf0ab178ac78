#pragma once
// A file that could not be read or written. text() is the message shown to the
// user; path() and reason() (the system's explanation) let a caller that names
// its files differently word its own message.

#include "UserError.h"

#include <QString>

namespace common {

class FileError : public UserError {
public:
    FileError(const QString &text, const QString &path, const QString &reason)
        : UserError(text), m_path(path), m_reason(reason)
    {
    }
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

} // namespace common
