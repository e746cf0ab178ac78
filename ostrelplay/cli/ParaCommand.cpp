// para: the lines of the parameter window for one sub-file.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliRecording.h"

#include "windows/ParaLines.h"

#include <QJsonArray>

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));

    CliRecording recording(path);
    recording.switchTo(QStringLiteral("--subfile"), subFile);

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("subfile"), subFile},
        {QStringLiteral("lines"), QJsonArray::fromStringList(paraLines(recording.file()))},
    };
}

} // namespace

CliCommand paraCommand()
{
    return {QStringLiteral("para"),
            QStringLiteral("the parameter window's lines of one sub-file"),
            QStringLiteral("Usage: ostrelplay-cli para FILE --subfile K\n"
                           "Makes sub-file K (from 0) current and prints the lines of the parameter window:\n"
                           "version, user, inspection record, gains with their curves and the gates.\n"),
            run};
}
