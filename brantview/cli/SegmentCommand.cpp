// segment: the records of a marked range appended to a segment file, as "储存" does.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "recording/SegmentExport.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using namespace brantview;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("from")},
                                 {QStringLiteral("to")},
                                 {QStringLiteral("view-start")},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int32_t from = positionOption(QStringLiteral("from"), options.required(QStringLiteral("from")));
    const int32_t to = positionOption(QStringLiteral("to"), options.required(QStringLiteral("to")));
    const int32_t viewStart = positionOption(QStringLiteral("view-start"), options.required(QStringLiteral("view-start")));
    const QString out = options.required(QStringLiteral("out"));

    RecordingSlot slot = loadStream(path);
    slot.ViewStart = viewStart;
    const int64_t bytes = ExportSegment(slot, from, to, out);
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("out"), out},
        {QStringLiteral("bytes"), qint64(bytes)},
    };
}

} // namespace

CliCommand segmentCommand()
{
    return {QStringLiteral("segment"),
            QStringLiteral("append the records between two positions to a segment file"),
            QStringLiteral("Usage: brantview-cli segment FILE --from A --to B --view-start P --out OUT\n"
                           "Appends to OUT the rail set-up, gain and parameter packets in effect at P and the\n"
                           "records of the columns from position A to B (either order), as \"储存\" does. OUT must\n"
                           "be empty, new, or a segment file (whole records, first byte 110), and not FILE itself:\n"
                           "otherwise \"文件记录格式不对\". Prints the bytes appended.\n"),
            run};
}
