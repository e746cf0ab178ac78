#include "CliFrame.h"

#include "common/cli/CliArgs.h"

#include "rendering/BScanRenderer.h"
#include "workspace/DisplaySetup.h"

#include <QStringList>

using common::cli::UsageError;
using common::cli::parseInt;

QSize parseSize(const QString &option, const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        throw UsageError(QStringLiteral("%1: '%2' is not WIDTHxHEIGHT").arg(option, text));
    const int w = parseInt(option, parts[0]);
    const int h = parseInt(option, parts[1]);
    if (w < 1 || h < 1 || w > 20000 || h > 20000)
        throw UsageError(QStringLiteral("%1: %2 is outside 1x1 to 20000x20000").arg(option, text));
    return {w, h};
}

QJsonValue drawFrame(CliRecording &recording, StdFrame &frame, const DisplayStyle &style, int subFile, int row,
                     QSize pane, QSize ascan)
{
    mystdfile &file = recording.file();
    applyOpenFileDisplay(file, frame, style);
    recording.switchTo(QStringLiteral("--subfile"), subFile);
    frame.startSubFile(file);
    recording.checkRow(QStringLiteral("--row"), row);
    // The replay keeps the rail type, bands and help lines in step with the row shown.
    file.setRailType(row);
    try {
        frame.DrawBitMap(file, pane.width(), pane.height(), ascan.width(), ascan.height(), row);
    } catch (const StdDataError &) {
        drawFailureText(frame);
        return frameFailureText();
    }
    return QJsonValue::Null;
}
