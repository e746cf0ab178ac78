#pragma once
// One subcommand of ostrelplay-cli: its name, its line in the overview, its
// usage text and the function that turns its arguments into the result object.

#include <QJsonObject>
#include <QString>
#include <QStringList>

struct CliCommand {
    QString name;
    QString summary;
    QString usage;
    // Throws UsageError for a bad command line, StdFileError or StdDataError for bad data.
    QJsonObject (*run)(const QStringList &args);
};

CliCommand infoCommand();
CliCommand textCommand();
CliCommand posCommand();
CliCommand markCommand();
CliCommand saveCommand();
CliCommand cutCommand();
CliCommand synthCommand();
CliCommand renderCommand();
CliCommand stdmCommand();
CliCommand paraCommand();
CliCommand gainsCommand();
CliCommand workTableCommand();
CliCommand eventsCommand();
CliCommand marksCommand();
CliCommand searchCommand();
CliCommand overspeedCommand();
CliCommand screenshotCommand();
CliCommand reportCommand();
