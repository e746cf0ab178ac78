// info: everything the loader reads and builds from one file.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "common/cli/CliJson.h"
#include "recording/ReviewMarks.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::jsonInts;
using namespace brantview;

namespace {

QJsonArray jsonRecords(const RecordArray &records)
{
    QJsonArray list;
    for (size_t i = 0; i < records.size(); ++i) {
        const StreamRecord r = records[i];
        list.append(QJsonArray{r.code(), r.data(), r.step()});
    }
    return list;
}

QJsonArray jsonColumns(const ColumnArray &columns)
{
    QJsonArray list;
    for (const Column &c : columns)
        list.append(QJsonArray{c.position, c.first, c.last});
    return list;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("slot")},
                                 {QStringLiteral("records"), false},
                                 {QStringLiteral("columns"), false}});
    const QString path = options.file();
    const int pane = options.optionalInt(QStringLiteral("slot")).value_or(0);
    if (pane != 0 && pane != 1)
        throw UsageError(QStringLiteral("--slot: %1 is neither 0 nor 1").arg(pane));
    const RecordingSlot slot = loadForCommand(path, pane);

    QJsonObject result{
        {QStringLiteral("path"), path},
        {QStringLiteral("type"), slot.type},
        {QStringLiteral("FileLength"), qint64(slot.FileLength)},
    };
    if (slot.isAScan()) {
        result.insert(QStringLiteral("FrameCount"), qint64(slot.Frames.size()));
        return result;
    }
    QJsonArray nameBytes;
    for (const char c : slot.ReplayerName)
        nameBytes.append(uint8_t(c));
    result.insert(QStringLiteral("RecordCount"), slot.RecordCount);
    result.insert(QStringLiteral("ParsedBytes"), qint64(slot.ParsedBytes));
    result.insert(QStringLiteral("HasTrailer"), slot.HasTrailer);
    result.insert(QStringLiteral("ReplayerName"), replayerNameText(slot.ReplayerName));
    result.insert(QStringLiteral("ReplayerNameBytes"), nameBytes);
    result.insert(QStringLiteral("ReviewMarks"), jsonReviewMarks(slot.ReviewMarks));
    result.insert(QStringLiteral("MarkCounts"), jsonInts(slot.MarkCounts));
    result.insert(QStringLiteral("CurveMarkCount"), slot.CurveMarkCount);
    result.insert(QStringLiteral("ColumnCount"), qint64(slot.Columns.size()));
    result.insert(QStringLiteral("MileageTable"), jsonTable(slot.MileageTable));
    result.insert(QStringLiteral("GainTable"), jsonTable(slot.GainTable));
    result.insert(QStringLiteral("GpsTable"), jsonTable(slot.GpsTable));
    result.insert(QStringLiteral("ParamTable"), jsonTable(slot.ParamTable));
    result.insert(QStringLiteral("RailSetup55Table"), jsonTable(slot.RailSetup55Table));
    result.insert(QStringLiteral("RailSetup56Table"), jsonTable(slot.RailSetup56Table));
    result.insert(QStringLiteral("SwitchTable"), jsonTable(slot.SwitchTable));
    result.insert(QStringLiteral("TrackTable"), jsonTable(slot.TrackTable));
    result.insert(QStringLiteral("CalibrationTable"), jsonTable(slot.CalibrationTable));
    if (options.has(QStringLiteral("records")))
        result.insert(QStringLiteral("Records"), jsonRecords(slot.Records));
    if (options.has(QStringLiteral("columns")))
        result.insert(QStringLiteral("Columns"), jsonColumns(slot.Columns));
    return result;
}

} // namespace

CliCommand infoCommand()
{
    return {QStringLiteral("info"),
            QStringLiteral("counts, tables, trailer and review marks of a record file"),
            QStringLiteral("Usage: brantview-cli info FILE [--slot 0|1] [--records] [--columns]\n"
                           "Prints what loading FILE into pane \"文件1\" (--slot 0, the default) or \"文件2\" (--slot 1)\n"
                           "gives: type (110 stream, 254 A-scan), lengths, counts, the trailer's name and review\n"
                           "marks (27 bytes each) and every packet table as lists in field order. An A-scan record\n"
                           "gives FrameCount instead; in pane 2 every file is read as a stream.\n"
                           "  --records   also Records: [code, data, step] as stored after decoding\n"
                           "  --columns   also Columns: [position, first record, last record]\n"),
            run};
}
