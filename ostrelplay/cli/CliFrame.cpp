#include "CliFrame.h"

#include "rendering/BScanRenderer.h"
#include "workspace/DisplaySetup.h"

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
