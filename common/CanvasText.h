#pragma once
// The canvas conventions of the off-screen bitmaps: 96 dpi images, fonts sized in
// points, texts placed by their top-left corner.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

// Makes `image` a w x h RGB32 canvas at 96 dpi, reusing its storage when the size holds.
void prepareCanvas(QImage &image, int w, int h);

// The canvas font ("SimSun", which the font set-up maps to the installed CJK font).
QFont canvasFont(int pointSize, bool bold = false);

// Writes text with its top-left corner at (x, y) in the painter's pen colour.
void textOut(QPainter &painter, int x, int y, const QString &text);
