#include "EchoStrokes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Stamp {
    std::vector<QPoint> offsets;  // pixels of the dot around its centre
    int reach = 0;                // largest |offset| on either axis
};

Stamp roundStamp(int width)
{
    Stamp stamp;
    const double radius = width / 2.0;
    stamp.reach = (width - 1) / 2 + (width % 2 == 0 ? 1 : 0);
    for (int dy = -stamp.reach; dy <= stamp.reach; ++dy)
        for (int dx = -stamp.reach; dx <= stamp.reach; ++dx)
            if (dx * dx + dy * dy <= radius * radius + 0.25)
                stamp.offsets.emplace_back(dx, dy);
    return stamp;
}

class Canvas {
public:
    Canvas(QImage &image, QRgb colour, int width)
        : bits(reinterpret_cast<uint32_t *>(image.bits())), stride(image.bytesPerLine() / 4), w(image.width()),
          h(image.height()), colour(colour), stamp(roundStamp(width))
    {
        for (const QPoint &o : stamp.offsets)
            linear.push_back(ptrdiff_t(o.y()) * stride + o.x());
        // A dot one step from the last one only adds its leading edge.
        for (int sy = -1; sy <= 1; ++sy)
            for (int sx = -1; sx <= 1; ++sx)
                for (const QPoint &o : stamp.offsets) {
                    const QPoint behind(o.x() + sx, o.y() + sy);
                    if (std::find(stamp.offsets.begin(), stamp.offsets.end(), behind) == stamp.offsets.end())
                        edges[sy + 1][sx + 1].push_back(ptrdiff_t(o.y()) * stride + o.x());
                }
    }

    bool inside(int x, int y) const
    {
        return x - stamp.reach >= 0 && x + stamp.reach < w && y - stamp.reach >= 0 && y + stamp.reach < h;
    }

    void fastDot(int x, int y, const std::vector<ptrdiff_t> &offsets)
    {
        uint32_t *centre = bits + ptrdiff_t(y) * stride + x;
        for (const ptrdiff_t offset : offsets)
            centre[offset] = colour;
    }

    void dot(int x, int y)
    {
        if (inside(x, y)) {
            fastDot(x, y, linear);
            return;
        }
        for (const QPoint &o : stamp.offsets) {
            const int px = x + o.x();
            const int py = y + o.y();
            if (px >= 0 && px < w && py >= 0 && py < h)
                bits[ptrdiff_t(py) * stride + px] = colour;
        }
    }

    // Bresenham over the whole line; lines far outside the image are skipped whole,
    // and lines much longer than the image are first cut to it.
    void line(QPoint a, QPoint b)
    {
        const int margin = stamp.reach;
        if ((a.x() < -margin && b.x() < -margin) || (a.x() >= w + margin && b.x() >= w + margin)
            || (a.y() < -margin && b.y() < -margin) || (a.y() >= h + margin && b.y() >= h + margin))
            return;
        const int64_t span = std::max(std::abs(int64_t(b.x()) - a.x()), std::abs(int64_t(b.y()) - a.y()));
        if (span > 2 * (int64_t(w) + h + 4 * margin) && !clip(a, b))
            return;
        int x = a.x(), y = a.y();
        const int dx = std::abs(b.x() - x), sx = x < b.x() ? 1 : -1;
        const int dy = -std::abs(b.y() - y), sy = y < b.y() ? 1 : -1;
        int error = dx + dy;
        dot(x, y);
        while (x != b.x() || y != b.y()) {
            const int e2 = 2 * error;
            int stepX = 0, stepY = 0;
            if (e2 >= dy) {
                error += dy;
                stepX = sx;
            }
            if (e2 <= dx) {
                error += dx;
                stepY = sy;
            }
            const bool wasInside = inside(x, y);
            x += stepX;
            y += stepY;
            if (wasInside && inside(x, y))
                fastDot(x, y, edges[stepY + 1][stepX + 1]);
            else
                dot(x, y);
        }
    }

private:
    // Cuts the line to the image and its margin (Liang-Barsky); false when nothing is left.
    // Only lines of a damaged file are this long: their path inside may differ from the
    // uncut line's by a pixel.
    bool clip(QPoint &a, QPoint &b) const
    {
        const double x0 = a.x(), y0 = a.y(), dx = double(b.x()) - x0, dy = double(b.y()) - y0;
        const double left = -stamp.reach, right = w - 1 + stamp.reach;
        const double top = -stamp.reach, bottom = h - 1 + stamp.reach;
        double t0 = 0.0, t1 = 1.0;
        const auto edge = [&](double p, double q) {
            if (p == 0)
                return q >= 0;
            const double t = q / p;
            if (p < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            return t0 <= t1;
        };
        if (!edge(-dx, x0 - left) || !edge(dx, right - x0) || !edge(-dy, y0 - top) || !edge(dy, bottom - y0))
            return false;
        b = QPoint(int(std::lround(x0 + t1 * dx)), int(std::lround(y0 + t1 * dy)));
        a = QPoint(int(std::lround(x0 + t0 * dx)), int(std::lround(y0 + t0 * dy)));
        return true;
    }

    uint32_t *bits;
    ptrdiff_t stride;
    int w, h;
    uint32_t colour;
    Stamp stamp;
    std::vector<ptrdiff_t> linear;  // the stamp's pixels as offsets in the image's memory
    std::vector<ptrdiff_t> edges[3][3];  // pixels a step (x, y) adds, by y + 1 and x + 1
};

} // namespace

void strokeEchoLines(QImage &image, std::span<const TLineToDraw> lines, QRgb colour, int width)
{
    Canvas canvas(image, colour | 0xff000000u, std::clamp(width, 1, 64));
    for (const TLineToDraw &line : lines)
        canvas.line(line.PosS, QPoint(line.PosE.x() - 1, line.PosE.y() - 1));
}
