#pragma once
// Drawing one frame of a recording (StdFrame::DrawBitMap) and what a caller
// shows when a frame cannot be drawn.

#include "StdFrame.h"
#include "recording/STDDataOperation.h"

// Raw speed values to km/h: raw / 100 x SpeedFactor.
constexpr double SpeedFactor = 0.5;

// The text of a frame whose data cannot be drawn.
QString frameFailureText();

// Writes frameFailureText() at (5, 5) on both images of the frame.
void drawFailureText(StdFrame &frame);

// Whether mileage and speed records of this version are shown as texts: character 3
// of the version a digit below 7, or the text "1.7.X". Throws StdDataError when
// character 3 is not a digit.
bool versionShowsRecords(const TSYSTEMPARA &para);
