#pragma once
// The print picture of "打印图形": the view redrawn black on white. It is drawn from a
// copy of the settings, so the colours in effect are never touched: afterwards the
// view shows exactly the colours it showed before, also a background or foreground
// the user chose other than black and white.

#include "Redraw.h"
#include "ViewCanvas.h"
#include "ViewState.h"

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QImage>

namespace brantview {

// `settings` with background white, foreground black and all nine channel colours black.
BrantSettings PrintColours(BrantSettings settings);

// Redraw in print colours with the print flag set for this drawing only.
RedrawReport RedrawForPrint(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings,
                            ViewState &state, const ViewSources &sources);

// The print picture of the view (state.R × state.viewHeight points) at `dpi` pixels per inch.
QImage PrintPicture(RecordingSlots &panes, const BrantSettings &settings, ViewState &state, const ViewSources &sources,
                    double dpi);

} // namespace brantview
