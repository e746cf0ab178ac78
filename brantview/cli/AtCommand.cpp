// at: the entry of every table in effect at a position.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "recording/FindTableEntry.h"
#include "recording/ParamsInEffect.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using namespace brantview;

namespace {

template <typename Table>
QJsonValue indexAt(const Table &table, int64_t position)
{
    const std::optional<int> index = FindTableEntry(table, position);
    return index ? QJsonValue(*index) : QJsonValue(QJsonValue::Null);
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("pos")}});
    const QString path = options.file();
    const int32_t position = positionOption(QStringLiteral("pos"), options.required(QStringLiteral("pos")));
    RecordingSlot slot = loadStream(path);
    slot.ViewStart = position;

    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("pos"), position},
        {QStringLiteral("Columns"), indexAt(slot.Columns, position)},
        {QStringLiteral("MileageTable"), indexAt(slot.MileageTable, position)},
        {QStringLiteral("GainTable"), indexAt(slot.GainTable, position)},
        {QStringLiteral("GpsTable"), indexAt(slot.GpsTable, position)},
        {QStringLiteral("ParamTable"), indexAt(slot.ParamTable, position)},
        {QStringLiteral("RailSetup55Table"), indexAt(slot.RailSetup55Table, position)},
        {QStringLiteral("RailSetup56Table"), indexAt(slot.RailSetup56Table, position)},
        {QStringLiteral("SwitchTable"), indexAt(slot.SwitchTable, position)},
        {QStringLiteral("TrackTable"), indexAt(slot.TrackTable, position)},
        {QStringLiteral("CalibrationTable"), indexAt(slot.CalibrationTable, position)},
    };
    const ParamEntry *params = ParamsInEffect(slot);
    const ParamBlock block = params ? paramBlockOf(*params) : ParamBlock{};
    result.insert(QStringLiteral("StepLength"), params ? QJsonValue(block.stepLengthMm()) : QJsonValue());
    result.insert(QStringLiteral("SampleSpacing"), params ? QJsonValue(block.sampleSpacingM()) : QJsonValue());
    return result;
}

} // namespace

CliCommand atCommand()
{
    return {QStringLiteral("at"),
            QStringLiteral("the index of every table's entry in effect at a position"),
            QStringLiteral("Usage: brantview-cli at FILE --pos P\n"
                           "For position P (Steps) prints, keyed by table name, the index of the entry in effect\n"
                           "(null for an empty table), and StepLength (mm) and SampleSpacing (m) of the parameter\n"
                           "block in effect (null without one).\n"),
            run};
}
