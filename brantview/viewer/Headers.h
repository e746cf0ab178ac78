#pragma once
// The header texts of the B-scan view.

#include "ViewCanvas.h"
#include "ViewState.h"

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QString>
#include <QStringList>

namespace brantview {

// Draws the full header (firmware 700 and above: its variant) with its first line's top at `top`; returns the texts line by line.
QStringList DrawFullHeader(ViewCanvas &canvas, const RecordingSlot &slot, const BrantSettings &settings, const ViewSources &sources, ViewState &state, double top);
// Draws one slot's one-line header with its top-left at (x, y); returns its text.
QString DrawLineHeader(ViewCanvas &canvas, const RecordingSlot &slot, const BrantSettings &settings, const ViewSources &sources, ViewState &state, double x, double y);

} // namespace brantview
