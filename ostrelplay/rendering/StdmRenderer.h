#pragma once
// One frame of a recording video: the A-display of the record's channel with
// its gates and trace on the left, the record's readings and settings on the right.

#include "DisplayStyle.h"
#include "recording/StdmFile.h"

#include <QColor>
#include <QImage>

#include <array>

constexpr int StdmBitmapWidth = 620;
constexpr int StdmBitmapHeight = 400;

// The colours of the display style the player uses.
struct StdmColours {
    QColor background, frame, text;
    std::array<QColor, 10> channel;  // nine channels and lost wave
};
StdmColours stdmColours(const DisplayStyle &style);

// Makes `bitmap` the 620 x 400 canvas of the player.
void prepareStdmCanvas(QImage &bitmap);

// Draws frame CurPos (0..49) of a record with parameter block `para` into `bitmap`.
void drawStdmFrame(QImage &bitmap, const TSYSTEMPARA &para, const TSTDMFRAME &frame, int CurPos,
                   const StdmColours &colours);

// The player over one video: which record is shown, whether it plays, and its picture.
struct StdmPlayer {
    bool stdm_playing = false;
    int stdm_curfile = 0;
    QImage stdm_Bitmap;

    // Not playing, a fresh 620 x 400 bitmap, record 0 current.
    void InitStdmFile();
    // Draws frame CurPos (0..49) of record stdm_curfile of `file` into stdm_Bitmap;
    // does nothing when either lies outside the file.
    void DrawStdmBitMap(const mystdmfile &file, int CurPos, const StdmColours &colours);
};
