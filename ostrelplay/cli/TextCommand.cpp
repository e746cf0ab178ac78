// text: the mileage, gain and rail-type texts the replay shows at one row.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::jsonNumber;
using common::cli::jsonInts;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("row")},
                                 {QStringLiteral("collapse"), false}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int row = options.requiredInt(QStringLiteral("row"));

    CliRecording recording(path, options.has(QStringLiteral("collapse")));
    recording.switchTo(QStringLiteral("--subfile"), subFile);
    recording.checkRow(QStringLiteral("--row"), row);
    mystdfile &file = recording.file();
    file.setRailType(row);

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("subfile"), subFile},
        {QStringLiteral("row"), row},
        {QStringLiteral("GetMileage"), file.GetMileage(row)},
        {QStringLiteral("GetGainPara"), file.GetGainPara(row)},
        {QStringLiteral("GetMileageByPacketindex"), file.GetMileageByPacketindex(subFile, row)},
        {QStringLiteral("m_RailType"), jsonNumber(file.std_systempara.m_RailType)},
        {QStringLiteral("GetPara8"), file.GetPara(8)},
        {QStringLiteral("std_bshowhide"), file.std_bshowhide},
        {QStringLiteral("std_OIMG_Height"), jsonInts(file.std_OIMG_Height.v)},
        {QStringLiteral("std_bshowhidevalue"), file.std_bshowhidevalue},
        {QStringLiteral("HelpLine"), jsonInts(file.HelpLine)},
    };
}

} // namespace

CliCommand textCommand()
{
    return {QStringLiteral("text"),
            QStringLiteral("mileage, gain and rail-type texts, bands and help lines at one row"),
            QStringLiteral("Usage: ostrelplay-cli text FILE --subfile K --row R [--collapse]\n"
                           "Makes sub-file K (from 0) current and the rail type in force at row R current,\n"
                           "then prints GetMileage, GetGainPara and GetMileageByPacketindex of row R, the rail\n"
                           "type with its GetPara(8) text, the band boundaries and the help lines.\n"
                           "  --collapse   collapse the band between band lines 1 and 2\n"),
            run};
}
