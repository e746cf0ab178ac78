#pragma once
// The base of every error whose message is meant for the user: a window shows
// text() in a message box, a batch program prints it as its one error line.
// Catching this type is how a caller says "whatever went wrong, tell the user".

#include <QString>

#include <stdexcept>

namespace common {

class UserError : public std::runtime_error {
public:
    explicit UserError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace common
