#pragma once
// Redraws the whole view: the background, then the slot the commands act on with its
// full header, or both slots one below the other with their line headers.

#include "ViewCanvas.h"
#include "ViewState.h"

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace brantview {

struct SlotDrawReport {
    int slot = 0;
    int T = 0;
    int L = 0;
    int32_t ViewStart = 0;
    // The slot's CurrentPost after drawing; none while its position and mileage are both 0.
    std::optional<MileagePost> CurrentPost;
    QString browseText;
    std::array<int, 9> dotsPerChannel{};
};

struct RedrawReport {
    int R = 0;
    std::vector<SlotDrawReport> slotReports;  // "slots" is a Qt keyword macro
    QStringList headerLines;
};

// `currentLastPos`, when given, ends the current slot's columns there instead of at
// ViewStart + R + 200: the echo trace draws the view up to its marker.
RedrawReport Redraw(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings, ViewState &state,
                    const ViewSources &sources, std::optional<int64_t> currentLastPos = std::nullopt);

// Draws column `col` of slot `s` once more onto the view the last Redraw left, as that
// redraw draws it: stepping the echo trace adds one column without a whole redraw.
// Glyphs start a fresh collision cursor and no trend marker is finished.
void DrawSingleColumn(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings, const ViewState &state,
                      int s, int col);

} // namespace brantview
