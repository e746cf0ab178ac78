#pragma once
// One frame of a recording video: the A-display of the record's channel with
// its gates and trace on the left, the record's readings and settings on the right.

#include "recording/StdmFile.h"

#include <QColor>
#include <QImage>

#include <array>

class PlayerSettings;

constexpr int StdmBitmapWidth = 620;
constexpr int StdmBitmapHeight = 400;

// The colours of the application's colour settings the player uses.
struct StdmColours {
    QColor background, frame, text;
    std::array<QColor, 10> channel;  // nine channels and lost wave
};
StdmColours stdmColours(const PlayerSettings &settings);

// Makes `bitmap` the 620 x 400 canvas of the player.
void prepareStdmCanvas(QImage &bitmap);

// Draws frame CurPos (0..49) of a record with parameter block `para` into `bitmap`.
void drawStdmFrame(QImage &bitmap, const TSYSTEMPARA &para, const TSTDMFRAME &frame, int CurPos,
                   const StdmColours &colours);
