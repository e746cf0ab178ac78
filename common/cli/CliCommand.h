#pragma once
// One subcommand of a batch program: its name, its line in the overview, its
// usage text and the function that turns its arguments into the result object.

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace common::cli {

struct CliCommand {
    QString name;
    QString summary;
    QString usage;
    // Throws UsageError for a bad command line, any other common::UserError for bad data.
    QJsonObject (*run)(const QStringList &args);
};

} // namespace common::cli
