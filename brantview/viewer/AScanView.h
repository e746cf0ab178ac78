#pragma once
// The A-scan record display: one frame's recording data as text over its waveform in a
// ruled amplitude/time box, drawn in points.

#include "ViewCanvas.h"

#include "recording/BrantFormat.h"
#include "recording/BrantSettings.h"

#include <QStringList>

namespace brantview {

inline constexpr double AScanBoxTop = 200;     // T
inline constexpr double AScanBoxHeight = 160;  // amplitude 160 lies on the top of the box
inline constexpr double AScanTextTop = 30;

// The left edge x0 of the box: room for the amplitude ticks and their widest label.
double AScanBoxLeft(const ViewCanvas &canvas, const BrantSettings &settings);

// Clears the canvas with the settings' background and draws frame `frameIndex` (0 =
// the first of the file); the caller passes the A-scan mode's colours. Returns the
// text block's lines.
QStringList DrawAScanFrame(ViewCanvas &canvas, const AScanFrame &frame, int frameIndex, const BrantSettings &settings);

}  // namespace brantview
