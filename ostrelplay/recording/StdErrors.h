#pragma once
#include <QString>
#include <stdexcept>

// A recording that cannot be read or written: damaged, missing, or not writable.
// The message is the text shown to the user.
class StdFileError : public std::runtime_error {
public:
    explicit StdFileError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// Recording data that cannot be turned into a drawable value (overflow, bad conversion).
class StdDataError : public std::runtime_error {
public:
    explicit StdDataError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};
