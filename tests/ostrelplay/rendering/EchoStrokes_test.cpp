// Echo strokes cover exactly the pixels of a round dot of the pen width stamped
// on every pixel of the line, wherever the line lies.

#include "rendering/EchoStrokes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

// Plain reference: every dot stamped whole, every pixel tested against the image.
QImage reference(QSize size, const std::vector<TLineToDraw> &lines, int width)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const double radius = width / 2.0;
    const int reach = (width - 1) / 2 + (width % 2 == 0 ? 1 : 0);
    for (const TLineToDraw &line : lines) {
        const QPoint a = line.PosS;
        const QPoint b(line.PosE.x() - 1, line.PosE.y() - 1);
        const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
        int x = a.x(), y = a.y();
        const int dx = std::abs(b.x() - x), sx = x < b.x() ? 1 : -1;
        const int dy = -std::abs(b.y() - y), sy = y < b.y() ? 1 : -1;
        int error = dx + dy;
        for (int n = 0; n <= steps * 2 + 1; ++n) {
            for (int oy = -reach; oy <= reach; ++oy)
                for (int ox = -reach; ox <= reach; ++ox)
                    if (ox * ox + oy * oy <= radius * radius + 0.25 && image.rect().contains(x + ox, y + oy))
                        image.setPixel(x + ox, y + oy, qRgb(255, 255, 255));
            if (x == b.x() && y == b.y())
                break;
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    return image;
}

TEST(EchoStrokes, MatchStampedDotsInsideAndAcrossTheBorder)
{
    const QSize size(60, 40);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(-8, 68), y(-8, 48), d(-6, 6);
    for (int width = 1; width <= 6; ++width) {
        std::vector<TLineToDraw> lines;
        for (int n = 0; n < 60; ++n) {
            const QPoint start(x(random), y(random));
            lines.push_back({0, start, start + QPoint(d(random), d(random))});
        }
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        strokeEchoLines(image, lines, qRgb(255, 255, 255), width);
        EXPECT_EQ(image, reference(size, lines, width)) << "pen width " << width;
    }
}

// An echo range of a damaged file makes a stroke a thousand million pixels long:
// it is cut to the image first and draws what the image shows of it.
TEST(EchoStrokes, StrokesFarLongerThanTheImageDrawTheirVisiblePart)
{
    const QSize size(60, 40);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const std::vector<TLineToDraw> lines{{0, QPoint(10, 5), QPoint(11, 1000000001)},
                                         {0, QPoint(-2000000000, 20), QPoint(2000000000, 21)}};
    strokeEchoLines(image, lines, qRgb(255, 255, 255), 3);
    // Width 3 reaches one pixel beside the line: the cut ends one pixel past the image.
    const std::vector<TLineToDraw> visible{{0, QPoint(10, 5), QPoint(11, 41)}, {0, QPoint(-1, 20), QPoint(61, 21)}};
    EXPECT_EQ(image, reference(size, visible, 3));
}

} // namespace
