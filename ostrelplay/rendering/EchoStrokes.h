#pragma once
// Echo marks are short, many (tens of thousands a frame) and drawn a hundred
// times a second, so they are rasterised directly: a round dot of the pen's
// width stamped on every pixel of each line, without antialiasing.

#include "BScanLists.h"

#include <QImage>

#include <span>

// Draws each line from PosS to (PosE.X - 1, PosE.Y - 1), both ends included,
// in `colour` with a pen `width` pixels wide. `image` must be RGB32.
void strokeEchoLines(QImage &image, std::span<const TLineToDraw> lines, QRgb colour, int width);
