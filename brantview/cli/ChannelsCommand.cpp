// channels: probe channel names and trace ranges in effect at a view position.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "viewer/ChannelNames.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using namespace brantview;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("view-start")}});
    const QString path = options.file();
    RecordingSlot slot = loadStream(path);
    slot.ViewStart = positionOption(QStringLiteral("view-start"), options.required(QStringLiteral("view-start")));
    const ProbeConfig config = probeConfigInEffect(slot, 0);

    QJsonArray names;
    QJsonArray ranges;
    for (int k = 0; k < ChannelCount; ++k) {
        names.append(ChannelName(config, k));
        const std::optional<int> range = TraceRange(config, k);
        ranges.append(range ? QJsonValue(*range) : QJsonValue());
    }
    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("ViewStart"), slot.ViewStart},
        {QStringLiteral("FirmwareVersion"), config.firmwareVersion},
        {QStringLiteral("names"), names},
        {QStringLiteral("ranges"), ranges},
    };
}

} // namespace

CliCommand channelsCommand()
{
    return {QStringLiteral("channels"),
            QStringLiteral("probe channel names and trace ranges at a view position"),
            QStringLiteral("Usage: brantview-cli channels FILE --view-start P\n"
                           "Prints FirmwareVersion, the nine channel names (\"1\" \"2\" \"3\" \"4\" \"5\" \"6\" \"1A\" \"2A\" \"6A\")\n"
                           "and their trace ranges in mm (null where the probe kind has none), with the\n"
                           "parameters and gains in effect at P.\n"),
            run};
}
