#pragma once
// One-pixel horizontal and vertical lines in the toolkit's pen styles, written
// straight into the image: dashing a full-width line through the painter costs
// more than the rest of a frame's frame lines together.

#include <QImage>

// Draws from (x0, y0) to (x1, y1), both ends included, clipped to the image.
// The line must be horizontal or vertical; `image` must be RGB32.
void axisLine(QImage &image, int x0, int y0, int x1, int y1, QRgb colour, Qt::PenStyle style);
