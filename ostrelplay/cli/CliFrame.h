#pragma once
// One frame drawn as the replay draws it: the frame set up as opening the file
// does, a sub-file made current and one row drawn into std_BBitMap and std_ABitMap.

#include "CliRecording.h"

#include "rendering/StdFrame.h"

#include <QJsonValue>
#include <QSize>
#include <QString>

// The largest picture side the commands draw.
constexpr int MaxPictureSide = 20000;

// Draws row `row` of sub-file `subFile` (from 0) of `recording` into `frame` in
// `style` on panes of the given sizes. Returns the failure text written on the
// pictures when the data cannot be drawn, otherwise null. Throws UsageError for a
// sub-file or row not there.
QJsonValue drawFrame(CliRecording &recording, StdFrame &frame, const DisplayStyle &style, int subFile, int row,
                     QSize pane, QSize ascan);
