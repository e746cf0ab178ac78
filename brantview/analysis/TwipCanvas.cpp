#include "TwipCanvas.h"

#include "viewer/ViewCanvas.h"

#include <QFontMetricsF>
#include <QPen>

#include <cmath>

namespace brantview {

namespace {
// Fonts are sized on an image of 1440 logical dots per inch, so that one point of
// text is 20 units of the scaled painter.
constexpr int DotsPerMetreTwips = 56693;
} // namespace

int pixelsOfTwips(double twips, double dpi)
{
    return std::max(int(std::lround(twips * dpi / TwipsPerInch)), 1);
}

TwipCanvas::TwipCanvas(QImage &image, double dpi) : m_image(image)
{
    const double scale = dpi / TwipsPerInch;
    m_image.setDotsPerMeterX(DotsPerMetreTwips);
    m_image.setDotsPerMeterY(DotsPerMetreTwips);
    m_width = int(std::lround(m_image.width() / scale));
    m_height = int(std::lround(m_image.height() / scale));
    m_painter.begin(&m_image);
    m_painter.scale(scale, scale);
}

void TwipCanvas::clear(int32_t colour)
{
    m_image.fill(colourOf(colour));
}

void TwipCanvas::polyline(std::initializer_list<QPointF> points, int32_t colour, double widthPoints, Qt::PenStyle style)
{
    QPen pen(colourOf(colour), widthPoints * TwipsPerPoint, style, Qt::FlatCap, Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.drawPolyline(points.begin(), int(points.size()));
}

void TwipCanvas::line(double x1, double y1, double x2, double y2, int32_t colour, double widthPoints,
                      Qt::PenStyle style)
{
    polyline({QPointF(x1, y1), QPointF(x2, y2)}, colour, widthPoints, style);
}

void TwipCanvas::centredText(double x, double y, const QString &text, int32_t colour, const QFont &font)
{
    m_painter.setFont(font);
    m_painter.setPen(colourOf(colour));
    const QFontMetricsF metrics(font, &m_image);
    const double w = metrics.horizontalAdvance(text);
    const double h = metrics.height();
    m_painter.drawText(QRectF(x - w / 2, y - h / 2, w, h), Qt::AlignCenter, text);
}

} // namespace brantview
