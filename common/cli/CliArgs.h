#pragma once
// Options of one subcommand: "--name value", "--name=value" or a bare "--flag",
// and the positional FILE arguments, kept in the order given.

#include "common/UserError.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace common::cli {

// A command line that cannot be carried out as written. A type of its own because
// it ends the program with status 2, where other errors end it with 1.
class UsageError : public common::UserError {
public:
    using UserError::UserError;
};

struct CliOption {
    QString name;  // without the leading "--"
    bool takesValue = true;
    bool repeatable = false;
};

class CliArgs {
public:
    // Throws UsageError on an unknown option, a missing value or a repeated option.
    CliArgs(const QStringList &args, const std::vector<CliOption> &options);

    bool has(const QString &name) const;
    std::optional<QString> value(const QString &name) const;
    QString required(const QString &name) const;
    QStringList values(const QString &name) const;  // every occurrence, in order

    int requiredInt(const QString &name) const;
    std::optional<int> optionalInt(const QString &name) const;
    // The option's number, `fallback` when it is not given; refused outside low..high.
    int intInRange(const QString &name, int fallback, int low, int high) const;
    // A picture size "WxH", `fallback` when not given; each side from 1 to maxSide.
    QSize size(const QString &name, QSize fallback, int maxSide) const;

    QString file() const;   // exactly one FILE
    void noFiles() const;   // refuses any FILE

private:
    QList<QPair<QString, QString>> m_given;
    QStringList m_files;
};

// Numbers from the command line; the option name appears in the error text.
int parseInt(const QString &option, const QString &text);
uint32_t parseUInt32(const QString &option, const QString &text);
double parseDouble(const QString &option, const QString &text);
QSize parseSize(const QString &option, const QString &text, int maxSide);

} // namespace common::cli
