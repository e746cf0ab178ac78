#pragma once
// What opening a file does to the display state of the freshly loaded recording:
// the settings it is drawn with, sub-file 0 made current, the probe positions of
// that sub-file and the channels hidden in the window.

#include "recording/STDDataOperation.h"

#include <array>

class PlayerSettings;

// `file` must have been made with `settings` as its RecordingSettings, so that
// switching sub-files takes the band collapse and help lines from the same memory.
// Throws StdDataError when the recording has no sub-file.
void applyOpenFileDisplay(mystdfile &file, const PlayerSettings &settings, bool compressWidth,
                          const std::array<bool, 10> &channelHide);
