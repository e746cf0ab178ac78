// render: one frame of a recording as the replay draws it, written as pictures.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliFiles.h"
#include "CliFrame.h"

#include "workspace/PlayerSettings.h"

#include <QFileInfo>
#include <QJsonArray>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::writeOutputFiles;
using common::cli::pngBytes;

namespace {

QJsonObject sizeObject(const QImage &image)
{
    return QJsonObject{{QStringLiteral("width"), image.width()}, {QStringLiteral("height"), image.height()}};
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("row")},
                                 {QStringLiteral("size")},
                                 {QStringLiteral("ascan-size")},
                                 {QStringLiteral("settings")},
                                 {QStringLiteral("natural"), false},
                                 {QStringLiteral("mode")},
                                 {QStringLiteral("bscan")},
                                 {QStringLiteral("ascan")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int row = options.requiredInt(QStringLiteral("row"));
    const QString bscanPath = options.required(QStringLiteral("bscan"));
    const QSize pane = options.size(QStringLiteral("size"), {1600, 500}, MaxPictureSide);
    const QSize ascan = options.size(QStringLiteral("ascan-size"), {734, 311}, MaxPictureSide);

    PlayerSettings settings;
    if (const auto ini = options.value(QStringLiteral("settings"))) {
        if (!QFileInfo::exists(*ini))
            throw UsageError(QStringLiteral("--settings: %1 does not exist").arg(*ini));
        settings.readsetting(*ini);
    }
    if (const auto mode = options.optionalInt(QStringLiteral("mode"))) {
        if (*mode != 0 && *mode != 1)
            throw UsageError(QStringLiteral("--mode: %1 is neither 0 nor 1").arg(*mode));
        settings.display.std_bshowmode = *mode;
    }
    settings.display.WidthCompress = !options.has(QStringLiteral("natural"));

    CliRecording recording(path, settings);
    StdFrame frame;
    const QJsonValue error = drawFrame(recording, frame, settings.display, subFile, row, pane, ascan);

    std::vector<std::pair<QString, QByteArray>> pictures{{bscanPath, pngBytes(frame.std_BBitMap, bscanPath)}};
    const auto ascanPath = options.value(QStringLiteral("ascan"));
    if (ascanPath)
        pictures.emplace_back(*ascanPath, pngBytes(frame.std_ABitMap, *ascanPath));
    writeOutputFiles(pictures);

    QJsonObject result{{QStringLiteral("path"), path},
                       {QStringLiteral("subfile"), subFile},
                       {QStringLiteral("row"), row},
                       {QStringLiteral("CurPlayPos"), frame.CurPlayPos},
                       {QStringLiteral("HScale"), frame.HScale},
                       {QStringLiteral("WScale"), frame.WScale},
                       {QStringLiteral("ScanSpeed"), frame.ScanSpeed},
                       {QStringLiteral("InstantTime"), frame.InstantTime},
                       {QStringLiteral("bscan"), bscanPath},
                       {QStringLiteral("bscanSize"), sizeObject(frame.std_BBitMap)},
                       {QStringLiteral("ascanSize"), sizeObject(frame.std_ABitMap)},
                       {QStringLiteral("error"), error}};
    if (ascanPath)
        result.insert(QStringLiteral("ascan"), *ascanPath);
    QJsonArray lineCounts;
    for (const auto &list : frame.BScanLists.lines)
        lineCounts.append(qint64(list.size()));
    QJsonArray texts;
    for (const TTextToDraw &text : frame.BScanLists.texts)
        texts.append(text.Text);
    result.insert(QStringLiteral("lines"), lineCounts);
    result.insert(QStringLiteral("signs"), qint64(frame.BScanLists.signs.size()));
    result.insert(QStringLiteral("texts"), texts);
    return result;
}

} // namespace

CliCommand renderCommand()
{
    return {QStringLiteral("render"),
            QStringLiteral("draw one frame (B-scan and A-scan panel) as PNG pictures"),
            QStringLiteral(
                "Usage: ostrelplay-cli render FILE --subfile K --row R --bscan OUT.png [--ascan OUT.png]\n"
                "                            [--size WxH] [--ascan-size WxH] [--settings INI] [--natural] [--mode 0|1]\n"
                "Sets up the display as opening the file in the replay does (factory settings, or those\n"
                "of INI, a setting.ini), switches to sub-file K (from 0) and draws row R.\n"
                "  --size        B-scan pane, default 1600x500\n"
                "  --ascan-size  A-scan panel, default 734x311\n"
                "  --natural     no width compression: one millimetre as wide as it is high\n"
                "  --mode        0 \"实时拼孔\" (up to the current row), 1 \"完全显示\" (rows ahead too)\n"
                "The result names the scales, speed and time of the frame; \"error\" holds the failure\n"
                "text written on the pictures when the data cannot be drawn, otherwise null.\n"),
            run};
}
