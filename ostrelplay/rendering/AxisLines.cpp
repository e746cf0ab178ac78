#include "AxisLines.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// On and off runs of the pen styles at one pixel width, as the toolkit dashes them.
std::span<const int> dashPattern(Qt::PenStyle style)
{
    static constexpr std::array<int, 2> dot{1, 2};
    static constexpr std::array<int, 2> dash{4, 2};
    static constexpr std::array<int, 4> dashDot{4, 2, 1, 2};
    static constexpr std::array<int, 6> dashDotDot{4, 2, 1, 2, 1, 2};
    switch (style) {
    case Qt::DotLine: return dot;
    case Qt::DashLine: return dash;
    case Qt::DashDotLine: return dashDot;
    case Qt::DashDotDotLine: return dashDotDot;
    default: return {};
    }
}

} // namespace

void axisLine(QImage &image, int x0, int y0, int x1, int y1, QRgb colour, Qt::PenStyle style)
{
    if (style == Qt::NoPen || (x0 != x1 && y0 != y1))
        return;
    const bool horizontal = y0 == y1;
    const int fixed = horizontal ? y0 : x0;
    if (fixed < 0 || fixed >= (horizontal ? image.height() : image.width()))
        return;
    const int from = horizontal ? std::min(x0, x1) : std::min(y0, y1);
    const int to = horizontal ? std::max(x0, x1) : std::max(y0, y1);
    const int length = horizontal ? image.width() : image.height();

    auto *bits = reinterpret_cast<uint32_t *>(image.bits());
    const ptrdiff_t stride = image.bytesPerLine() / 4;
    const ptrdiff_t step = horizontal ? 1 : stride;
    uint32_t *origin = horizontal ? bits + ptrdiff_t(fixed) * stride : bits + fixed;
    const uint32_t pixel = colour | 0xff000000u;

    const std::span<const int> pattern = dashPattern(style);
    int period = 0;
    for (int run : pattern)
        period += run;
    for (int i = std::max(from, 0); i <= std::min(to, length - 1); ++i) {
        bool on = true;
        if (period > 0) {
            // The pattern starts at the line's first end.
            int phase = (i - from) % period;
            for (size_t k = 0; k < pattern.size(); ++k) {
                if (phase < pattern[k]) {
                    on = k % 2 == 0;
                    break;
                }
                phase -= pattern[k];
            }
        }
        if (on)
            origin[ptrdiff_t(i) * step] = pixel;
    }
}
