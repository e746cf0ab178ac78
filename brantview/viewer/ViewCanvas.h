#pragma once
// The view's persistent image, drawn in points: the painter is scaled by dpi / 72 so
// that every coordinate of the B-scan holds at any screen resolution. Optionally it
// keeps what it drew as lists, for the batch program and the tests.

#include "recording/BrantSettings.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <vector>

namespace brantview {

QColor colourOf(int32_t packed);      // red + 256 × green + 65536 × blue
QString colourName(int32_t packed);   // "#rrggbb"

// A settings font at its size in points; glyphs take font 0's face at their own size.
QFont viewFont(const TextFont &font);
QFont viewFont(const TextFont &font, float size);

struct DotItem {
    double x = 0;
    double y = 0;
    int32_t colour = 0;
    int size = 1;
};

struct TextItem {
    double x = 0;
    double y = 0;
    QString text;
    int32_t colour = 0;
};

class ViewCanvas {
public:
    // Paints on `image` (sized by the caller) at `dpi` device pixels per inch.
    ViewCanvas(QImage &image, double dpi, bool keepLists = false);

    double width() const { return m_width; }    // points
    double height() const { return m_height; }
    double scale() const { return m_scale; }    // pixels per point

    void clear(int32_t colour);
    // A square dot of `size` points centred on (x, y); off the image it is skipped.
    void dot(double x, double y, int32_t colour, int size);
    // `text` with its top-left corner at (x, y); returns its advance in points.
    double text(double x, double y, const QString &text, int32_t colour, const QFont &font);
    double textWidth(const QString &text, const QFont &font) const;
    double lineHeight(const QFont &font) const;
    void line(double x1, double y1, double x2, double y2, int32_t colour, Qt::PenStyle style = Qt::SolidLine,
              double width = 1);

    const std::vector<DotItem> &dots() const { return m_dots; }
    const std::vector<TextItem> &texts() const { return m_texts; }

private:
    QImage &m_image;
    QPainter m_painter;
    double m_scale;
    double m_width;
    double m_height;
    bool m_keepLists;
    std::vector<DotItem> m_dots;
    std::vector<TextItem> m_texts;
};

// Texts written one after another along a line, as a print position moves.
class PrintCursor {
public:
    PrintCursor(ViewCanvas &canvas, double x, double y) : m_canvas(canvas), m_x(x), m_startX(x), m_y(y) {}

    void print(const QString &text, int32_t colour, const QFont &font) { m_x += m_canvas.text(m_x, m_y, text, colour, font); }
    void skip(double points) { m_x += points; }
    void newLine(double height)
    {
        m_x = m_startX;
        m_y += height;
    }
    double x() const { return m_x; }
    double y() const { return m_y; }

private:
    ViewCanvas &m_canvas;
    double m_x;
    double m_startX;
    double m_y;
};

} // namespace brantview
