// ascan: the frames of an A-scan record and the decoded fields of one.

#include "CliRecording.h"
#include "Commands.h"

#include "common/NumberFormat.h"
#include "common/cli/CliArgs.h"
#include "recording/RecordTexts.h"
#include "recording/RecordingErrors.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::zeroPadded;
using namespace brantview;

namespace {

QJsonObject frameFields(const AScanFrame &f)
{
    QJsonArray samples;
    for (const uint8_t s : f.samples)
        samples.append(s);
    return QJsonObject{
        {QStringLiteral("side"), railSideText(f.railSide())},
        {QStringLiteral("channel"), f.channel()},
        {QStringLiteral("time"), zeroPadded(f.hour, 2) + u':' + zeroPadded(f.minute, 2) + u':' + zeroPadded(f.second, 2)},
        {QStringLiteral("date"),
         zeroPadded(fullYear(f.year), 4) + u'-' + zeroPadded(f.month, 2) + u'-' + zeroPadded(f.day, 2)},
        {QStringLiteral("probe"), f.probe},
        {QStringLiteral("distance"), f.distance},
        {QStringLiteral("attenuation"), f.attenuation},
        {QStringLiteral("referenceEnd"), referenceEndText(f.referenceEndBit())},
        {QStringLiteral("reportValue"), f.referenceEnd >> 1},
        {QStringLiteral("km"), f.kilometrePost()},
        {QStringLiteral("railNumber"), f.railNumber},
        {QStringLiteral("lineKind"), f.lineKind()},
        {QStringLiteral("trackOrLine"), f.trackOrLine()},
        {QStringLiteral("trackOrLineText"), trackOrLineText(f.trackOrLine(), f.lineKind())},
        {QStringLiteral("railType"), railTypeText(f.railType())},
        {QStringLiteral("samples"), samples},
    };
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("frame")}});
    const QString path = options.file();
    const int frame = options.optionalInt(QStringLiteral("frame")).value_or(0);
    const RecordingSlot slot = loadForCommand(path);
    if (!slot.isAScan())
        throw BrantFileError(QStringLiteral("%1 不是A超记录").arg(path));
    const int count = int(slot.Frames.size());
    if (frame < 0 || frame >= count)
        throw UsageError(QStringLiteral("--frame: %1 is outside 0 to %2").arg(frame).arg(count - 1));

    QJsonObject result = frameFields(slot.Frames[size_t(frame)]);
    result.insert(QStringLiteral("path"), path);
    result.insert(QStringLiteral("FrameCount"), count);
    result.insert(QStringLiteral("frame"), frame);
    return result;
}

} // namespace

CliCommand ascanCommand()
{
    return {QStringLiteral("ascan"),
            QStringLiteral("the frames of an A-scan record and the fields of one"),
            QStringLiteral("Usage: brantview-cli ascan FILE [--frame K]\n"
                           "Prints FrameCount and the decoded fields of frame K (from 0, the first of the file;\n"
                           "default 0): side, channel, time, date, probe, distance, attenuation, referenceEnd,\n"
                           "reportValue, km, railNumber, lineKind, trackOrLine(Text), railType and the 240 samples.\n"),
            run};
}
