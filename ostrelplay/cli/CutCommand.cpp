// cut: rows of one sub-file as a new one-sub-file recording.

#include "common/NativePaths.h"
#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::jsonNumber;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("from")},
                                 {QStringLiteral("to")},
                                 {QStringLiteral("without-events"), false},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int from = options.requiredInt(QStringLiteral("from"));
    const int to = options.requiredInt(QStringLiteral("to"));
    const QString out = options.required(QStringLiteral("out"));
    const bool withoutEvents = options.has(QStringLiteral("without-events"));

    CliRecording recording(path);
    recording.switchTo(QStringLiteral("--subfile"), subFile);
    recording.checkRow(QStringLiteral("--from"), from);
    recording.checkRow(QStringLiteral("--to"), to);
    if (from >= to)
        throw UsageError(QStringLiteral("--from %1 must be a row before --to %2").arg(from).arg(to));

    mystdfile &file = recording.file();
    file.CutStartPos = from;
    file.CutEndPos = to;
    if (withoutEvents)
        file.SaveCutedMarkedlessStdFile(out);
    else
        file.SaveCutedStdFile(out);

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("out"), out},
        {QStringLiteral("size"), common::fileSize(out)},
        {QStringLiteral("rows"), jsonNumber(file.cut_scandataindex.m_PacketIndexCount)},
        {QStringLiteral("packets"), jsonNumber(file.cut_scandataindex.m_ImagePacketCount)},
    };
}

} // namespace

CliCommand cutCommand()
{
    return {QStringLiteral("cut"),
            QStringLiteral("write rows of one sub-file as a new recording"),
            QStringLiteral("Usage: ostrelplay-cli cut FILE --subfile K --from S --to E [--without-events] --out OUT\n"
                           "Writes rows S to E (S < E) of sub-file K (from 0) to OUT as a recording of one\n"
                           "sub-file; replay marks are not carried over.\n"
                           "  --without-events   drop the instrument event records ('A'..'L', 'N', 'U', 'V')\n"),
            run};
}
