// screenshot: one frame's B-scan with its caption lines, saved as the "截图" export does.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliFrame.h"

#include "windows/Screenshot.h"
#include "workspace/PlayerSettings.h"

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("row")},
                                 {QStringLiteral("size")},
                                 {QStringLiteral("bmp"), false},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int row = options.requiredInt(QStringLiteral("row"));
    const QString out = options.required(QStringLiteral("out"));
    const QSize pane = options.size(QStringLiteral("size"), {1600, 500}, MaxPictureSide);
    const ScreenshotFormat format = options.has(QStringLiteral("bmp")) ? ScreenshotFormat::Bitmap : ScreenshotFormat::Jpeg;

    const PlayerSettings settings;
    CliRecording recording(path, settings);
    StdFrame frame;
    const QJsonValue error = drawFrame(recording, frame, settings.display, subFile, row, pane, QSize(734, 311));
    const mystdfile &file = recording.file();
    const QImage picture = screenshotPicture(file, frame.std_BBitMap, pane.width(), pane.height());
    const QString written = saveScreenshot(picture, out, format);
    return QJsonObject{{QStringLiteral("path"), path},
                       {QStringLiteral("subfile"), subFile},
                       {QStringLiteral("row"), row},
                       {QStringLiteral("defaultName"), exportDefaultName(file, frame.CurPlayPos)},
                       {QStringLiteral("caption"), screenshotCaption(file.std_systempara)},
                       {QStringLiteral("gains"), file.GetdBPara()},
                       {QStringLiteral("out"), written},
                       {QStringLiteral("width"), picture.width()},
                       {QStringLiteral("height"), picture.height()},
                       {QStringLiteral("error"), error}};
}

} // namespace

CliCommand screenshotCommand()
{
    return {QStringLiteral("screenshot"),
            QStringLiteral("save one frame's B-scan with its caption lines as a JPEG or bitmap"),
            QStringLiteral("Usage: ostrelplay-cli screenshot FILE --subfile K --row R --out NAME [--size WxH] [--bmp]\n"
                           "Sets up the display as opening the file does (factory settings), switches to\n"
                           "sub-file K (from 0), draws row R on a pane of --size (default 1600x500) and saves\n"
                           "the picture, 50 pixels higher than the pane, as NAME.jpg (quality 100) or, with\n"
                           "--bmp, as NAME.Bmp. \"error\" holds the failure text written on the picture when\n"
                           "the data cannot be drawn, otherwise null.\n"),
            run};
}
