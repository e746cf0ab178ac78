#pragma once
// The route of "GPS探伤路线图": a recording's GPS fixes moved to the origin with their
// extents, the height that keeps the route's proportions for a width, where each fix
// lies on the drawing (north up), the drawing itself and where the car sits for a view.

#include "recording/RecordingSlot.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace brantview {

class ViewCanvas;

struct GpsPoint {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const GpsPoint &) const = default;
};

struct GpsRoute {
    std::vector<GpsEntry> fixes;     // as the table holds them, for the fix in effect
    std::vector<GpsPoint> GpsTrack;  // each fix less the minima
    GpsPoint minimum;
    int32_t GpsRangeX = 0;           // maximum x − minimum x
    int32_t GpsRangeY = 0;

    bool empty() const { return GpsTrack.empty(); }
    // One fix, or fixes along one meridian or parallel, have an extent of 0: the
    // scaling takes 1 there, so such a route lies on the drawing's left or bottom edge.
    int32_t scaleRangeX() const { return std::max(GpsRangeX, 1); }
    int32_t scaleRangeY() const { return std::max(GpsRangeY, 1); }
};

// Margins of the drawing in pixels.
inline constexpr int GpsMarginLeft = 40;
inline constexpr int GpsMarginRight = 10;
inline constexpr int GpsMarginTop = 10;
inline constexpr int GpsMarginBottom = 10;
inline constexpr int GpsPointWidth = 2;

// What an empty drawing says.
inline const QString NoGpsFixesText = QStringLiteral("本记录没有GPS数据");

// One pass for the extents, one for the track.
GpsRoute BuildGpsTrack(const std::vector<GpsEntry> &fixes);

// The drawing's height for `width` that keeps the route's proportions:
// (width − 50) × GpsRangeY / GpsRangeX + 20, rounded, held within minHeight..maxHeight;
// nothing for a route without fixes.
std::optional<int> GpsHeightForWidth(const GpsRoute &route, int width, int minHeight, int maxHeight);

// Where fix `k` lies on a drawing of `size` pixels.
QPoint GpsPointOnDrawing(const GpsRoute &route, size_t k, QSize size);

// Clears the canvas to black and sets a white point for each fix, or says that there
// are none.
void GPS_draw_line(ViewCanvas &canvas, const GpsRoute &route);

// The fix in effect where the view shows: at ViewStart + 500.
std::optional<size_t> CarFixIndex(const GpsRoute &route, int32_t viewStart);
// The centre of Picture_Car on a drawing of `size` for a view at `viewStart`.
std::optional<QPoint> CarPosition(const GpsRoute &route, int32_t viewStart, QSize size);

// The car marker as the window shows it, drawn into a picture: a yellow disc ringed in red.
QImage CarPicture(int side);

} // namespace brantview
