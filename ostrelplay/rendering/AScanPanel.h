#pragma once
// The A-scan panel of the current row: a schematic A-display of the nine
// channels with their gates and echoes, and each channel's readings and gain.

#include "StdFrame.h"
#include "recording/STDDataOperation.h"

// Draws the panel of row CurPos of `file` into frame.std_ABitMap, sized AMapWidth x
// AMapHeight. The echoes, readings and gain texts are drawn only when rowInRange.
void DrawAScanPanel(const mystdfile &file, StdFrame &frame, int AMapWidth, int AMapHeight, int CurPos,
                    bool rowInRange);

// The least panel width at which the gain texts of the current sub-file fit in the
// right quarter, where they stand, with this style's font.
int AScanPanelWidthForTexts(const mystdfile &file, const DisplayStyle &style);

// The reading of channel ch for an echo starting at `start` on its time base:
// sound path, horizontal distance and depth in mm, e.g. "1:↘ 94,→ 88,↓ 32".
QString AScanReading(const mystdfile &file, int ch, int start);
