// save: a whole copy of the recording under a new name.

#include "common/NativePaths.h"
#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliRecording.h"

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("out")}});
    const QString path = options.file();
    const QString out = options.required(QStringLiteral("out"));

    CliRecording recording(path);
    recording.file().SaveStdFile(out, false);

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("out"), out},
        {QStringLiteral("size"), common::fileSize(out)},
    };
}

} // namespace

CliCommand saveCommand()
{
    return {QStringLiteral("save"),
            QStringLiteral("write a whole copy of the recording, marks included"),
            QStringLiteral("Usage: ostrelplay-cli save FILE --out OUT\n"
                           "Writes the whole recording with its marks to OUT, echo codes as raw 0..9.\n"),
            run};
}
