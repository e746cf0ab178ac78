#pragma once
// The canvas conventions of the off-screen bitmaps: 96 dpi images, fonts sized in
// points, texts placed by their top-left corner.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace common {

// Makes `image` a w x h RGB32 canvas at 96 dpi, reusing its storage when the size holds.
void prepareCanvas(QImage &image, int w, int h);

// The installed CJK font that stands in for the Windows font the recordings and
// texts name.
inline constexpr char cjkFontFamily[] = "Noto Serif CJK SC";

// Maps "宋体" and "SimSun" to cjkFontFamily. Every program calls it once, right
// after making its application object.
void installFontSubstitutions();

// The canvas font: "SimSun" as installFontSubstitutions maps it.
QFont canvasFont(int pointSize, bool bold = false);

// Writes text with its top-left corner at (x, y) in the painter's pen colour.
void textOut(QPainter &painter, int x, int y, const QString &text);

} // namespace common
