#pragma once
#include <QString>
#include <stdexcept>

// Anything the office layer cannot do: a file that cannot be written, a template
// that is missing or malformed. Callers map it to their own fixed message.
class OfficeError : public std::runtime_error {
public:
    explicit OfficeError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};
