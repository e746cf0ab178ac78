#pragma once
// A picture drawn in twips (1/20 point), the unit the echo trace window is laid out
// in: the painter is scaled by dpi / 1440, line widths are given in points and
// fonts keep their point sizes.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <initializer_list>

namespace brantview {

inline constexpr int TwipsPerPoint = 20;
inline constexpr double TwipsPerInch = 1440.0;

// The pixels of `twips` at `dpi`.
int pixelsOfTwips(double twips, double dpi);

class TwipCanvas {
public:
    TwipCanvas(QImage &image, double dpi);

    int width() const { return m_width; }  // twips
    int height() const { return m_height; }

    void clear(int32_t colour);
    void polyline(std::initializer_list<QPointF> points, int32_t colour, double widthPoints,
                  Qt::PenStyle style = Qt::SolidLine);
    void line(double x1, double y1, double x2, double y2, int32_t colour, double widthPoints,
              Qt::PenStyle style = Qt::SolidLine);
    // `text` centred on (x, y).
    void centredText(double x, double y, const QString &text, int32_t colour, const QFont &font);

private:
    QImage &m_image;
    QPainter m_painter;
    int m_width;
    int m_height;
};

} // namespace brantview
