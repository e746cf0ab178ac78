#pragma once
// One frame drawn as the replay draws it: the display set up as opening the file
// does, a sub-file made current and one row drawn into std_BBitMap and std_ABitMap.

#include "CliRecording.h"

#include "workspace/PlayerSettings.h"

#include <QJsonValue>
#include <QSize>
#include <QString>

// "WxH" within 1x1 to 20000x20000; throws UsageError naming `option` otherwise.
QSize parseSize(const QString &option, const QString &text);

// Draws row `row` of sub-file `subFile` (from 0) on panes of the given sizes. `recording`
// must read `settings`. Returns the failure text written on the pictures when the
// data cannot be drawn, otherwise null. Throws UsageError for a sub-file or row not there.
QJsonValue drawFrame(CliRecording &recording, const PlayerSettings &settings, bool compressWidth, int subFile,
                     int row, QSize pane, QSize ascan);
