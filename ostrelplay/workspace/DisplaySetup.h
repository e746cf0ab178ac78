#pragma once
// What opening a file does to a freshly loaded recording and the frame that will
// draw it: sub-file 0 made current, the display style of the settings memory, the
// probe positions of that sub-file, and no distance tool.

#include "recording/STDDataOperation.h"
#include "rendering/StdFrame.h"

// `file` must have been made with the settings memory as its RecordingSettings, so
// that switching sub-files takes the band collapse and help lines from the same
// memory. Throws StdDataError when the recording has no sub-file.
void applyOpenFileDisplay(mystdfile &file, StdFrame &frame, const DisplayStyle &style);
