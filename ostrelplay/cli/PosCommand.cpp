// pos: where one echo packet lands on the B-scan.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

#include "recording/StdFormat.h"

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("channel")},
                                 {QStringLiteral("data1")},
                                 {QStringLiteral("data2")},
                                 {QStringLiteral("railtype")},
                                 {QStringLiteral("startpoint")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int channel = options.requiredInt(QStringLiteral("channel"));
    const int data1 = options.requiredInt(QStringLiteral("data1"));
    const int data2 = options.requiredInt(QStringLiteral("data2"));
    const std::optional<int> railTypeOption = options.optionalInt(QStringLiteral("railtype"));
    const std::optional<int> startPointOption = options.optionalInt(QStringLiteral("startpoint"));

    CliRecording recording(path);
    recording.switchTo(QStringLiteral("--subfile"), subFile);
    const mystdfile &file = recording.file();

    const int railType = railTypeOption.value_or(int(file.std_systempara.m_RailType));
    // A channel without a probe has no start point; its position is zero anyway.
    const bool probeChannel = channel >= 0 && channel < StdFormat::ChannelCount;
    const int startPoint = startPointOption.value_or(probeChannel ? int(file.std_systempara.m_StartPoint[channel]) : 0);

    const TPos pos = file.GetPos(channel, railType, data1, data2, startPoint);
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("subfile"), subFile},
        {QStringLiteral("Channel"), channel},
        {QStringLiteral("Railtype"), railType},
        {QStringLiteral("Data1"), data1},
        {QStringLiteral("Data2"), data2},
        {QStringLiteral("StartPoint"), startPoint},
        {QStringLiteral("TPos"), QJsonArray{pos.xs, pos.ys, pos.xe, pos.ye}},
    };
}

} // namespace

CliCommand posCommand()
{
    return {QStringLiteral("pos"),
            QStringLiteral("image coordinates of one echo (GetPos)"),
            QStringLiteral("Usage: ostrelplay-cli pos FILE --subfile K --channel C --data1 D1 --data2 D2\n"
                           "                          [--railtype R] [--startpoint S]\n"
                           "Prints TPos = [xs, ys, xe, ye] of an echo of channel C (0..8) from D1 to D2 on the\n"
                           "time base of sub-file K (from 0).\n"
                           "  --railtype R     rail type of the geometry; default the sub-file's own\n"
                           "  --startpoint S   probe start point in mm; default the sub-file's start point of\n"
                           "                   channel C as loaded (file value + 100)\n"),
            run};
}
