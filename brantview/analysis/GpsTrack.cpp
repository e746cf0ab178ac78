#include "GpsTrack.h"

#include "recording/FindTableEntry.h"
#include "viewer/ViewCanvas.h"

#include <QPainter>

#include <cmath>

namespace brantview {

namespace {

// The fix in effect this many Steps into the view, whose right edge is ViewStart.
constexpr int64_t CarLookAhead = 500;

int nearest(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

GpsRoute BuildGpsTrack(const std::vector<GpsEntry> &fixes)
{
    GpsRoute route;
    if (fixes.empty())
        return route;
    int32_t minX = fixes.front()[1], maxX = minX;
    int32_t minY = fixes.front()[2], maxY = minY;
    for (const GpsEntry &fix : fixes) {
        minX = std::min(minX, fix[1]);
        maxX = std::max(maxX, fix[1]);
        minY = std::min(minY, fix[2]);
        maxY = std::max(maxY, fix[2]);
    }
    route.minimum = {minX, minY};
    route.GpsRangeX = maxX - minX;
    route.GpsRangeY = maxY - minY;
    route.fixes = fixes;
    route.GpsTrack.reserve(fixes.size());
    for (const GpsEntry &fix : fixes) {
        route.GpsTrack.push_back({fix[1] - minX, fix[2] - minY});
    }
    return route;
}

std::optional<int> GpsHeightForWidth(const GpsRoute &route, int width, int minHeight, int maxHeight)
{
    if (route.empty())
        return std::nullopt;
    const double drawn = double(std::max(width - GpsMarginLeft - GpsMarginRight, 0)) * route.GpsRangeY
        / route.scaleRangeX();
    const double height = std::clamp(drawn + GpsMarginTop + GpsMarginBottom, double(minHeight), double(maxHeight));
    return nearest(height);
}

QPoint GpsPointOnDrawing(const GpsRoute &route, size_t k, QSize size)
{
    const GpsPoint &p = route.GpsTrack[k];
    const int innerWidth = size.width() - GpsMarginLeft - GpsMarginRight;
    const int innerHeight = size.height() - GpsMarginTop - GpsMarginBottom;
    const int x = nearest(double(p.x) * innerWidth / route.scaleRangeX()) + GpsMarginLeft;
    const int y = innerHeight - nearest(double(p.y) * innerHeight / route.scaleRangeY()) + GpsMarginTop;
    return {x, y};
}

void GPS_draw_line(ViewCanvas &canvas, const GpsRoute &route)
{
    canvas.clear(Black);
    const QSize size(int(std::lround(canvas.width())), int(std::lround(canvas.height())));
    if (route.empty()) {
        canvas.text(GpsMarginLeft, GpsMarginTop, NoGpsFixesText, White, viewFont(TextFont{QStringLiteral("宋体"), 12}));
        return;
    }
    for (size_t k = 0; k < route.GpsTrack.size(); ++k) {
        const QPoint p = GpsPointOnDrawing(route, k, size);
        canvas.dot(p.x(), p.y(), White, GpsPointWidth);
    }
}

std::optional<size_t> CarFixIndex(const GpsRoute &route, int32_t viewStart)
{
    const std::optional<int> index = FindTableEntry(route.fixes, int64_t(viewStart) + CarLookAhead);
    if (!index)
        return std::nullopt;
    return size_t(*index);
}

std::optional<QPoint> CarPosition(const GpsRoute &route, int32_t viewStart, QSize size)
{
    const std::optional<size_t> index = CarFixIndex(route, viewStart);
    if (!index)
        return std::nullopt;
    return GpsPointOnDrawing(route, *index, size);
}

QImage CarPicture(int side)
{
    QImage picture(side, side, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    return picture;
}

} // namespace brantview
