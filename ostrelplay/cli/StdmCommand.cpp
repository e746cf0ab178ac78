// stdm: the records of a recording video as the player lists them, or one frame as a picture.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliFiles.h"

#include "rendering/StdmRenderer.h"

#include <QJsonArray>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::writeOutputFiles;
using common::cli::pngBytes;

namespace {

QJsonArray listRows(const mystdmfile &file)
{
    QJsonArray rows;
    for (const StdmListRow &row : stdmListRows(file))
        rows.append(QJsonObject{{QStringLiteral("文件"), row.number},
                                {QStringLiteral("通道"), row.channel},
                                {QStringLiteral("灵敏度"), row.db},
                                {QStringLiteral("最高波幅"), row.amp}});
    return rows;
}

int checkedIndex(const CliArgs &options, const QString &name, int count)
{
    const int value = options.requiredInt(name);
    if (value < 0 || value >= count)
        throw UsageError(QStringLiteral("--%1: %2 is outside 0 to %3").arg(name).arg(value).arg(count - 1));
    return value;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("record")}, {QStringLiteral("frame")}, {QStringLiteral("out")}});
    const QString path = options.file();
    const bool rendering = options.has(QStringLiteral("record")) || options.has(QStringLiteral("frame"))
        || options.has(QStringLiteral("out"));

    mystdmfile file;
    file.LoadStdmFile(path);
    QJsonObject result{{QStringLiteral("path"), path},
                       {QStringLiteral("stdm_filecount"), file.stdm_filecount},
                       {QStringLiteral("lv_list"), listRows(file)},
                       {QStringLiteral("warning"), file.loadWarning.isEmpty() ? QJsonValue() : QJsonValue(file.loadWarning)}};
    if (!rendering)
        return result;

    StdmPlayer player;
    player.InitStdmFile();
    player.stdm_curfile = checkedIndex(options, QStringLiteral("record"), file.stdm_filecount);
    const int frame = checkedIndex(options, QStringLiteral("frame"), StdmFrameCount);
    const QString out = options.required(QStringLiteral("out"));
    player.DrawStdmBitMap(file, frame, stdmColours(DisplayStyle()));
    writeOutputFiles({{out, pngBytes(player.stdm_Bitmap, out)}});
    result.insert(QStringLiteral("record"), player.stdm_curfile);
    result.insert(QStringLiteral("frame"), frame);
    result.insert(QStringLiteral("out"), out);
    return result;
}

} // namespace

CliCommand stdmCommand()
{
    return {QStringLiteral("stdm"),
            QStringLiteral("list the records of a .stdm recording video, or draw one frame as PNG"),
            QStringLiteral("Usage: ostrelplay-cli stdm FILE [--record I --frame F --out OUT.png]\n"
                           "Lists the records of FILE as the player does: number, channel, sensitivity and\n"
                           "highest amplitude (\"lv_list\"). With --record, --frame and --out it also draws\n"
                           "frame F (0 to 49) of record I (from 0) with the factory colours into OUT.png.\n"
                           "\"warning\" says what was left out of a file whose last record is cut short\n"
                           "inside its index or parameters; null otherwise.\n"),
            run};
}
