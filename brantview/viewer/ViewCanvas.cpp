#include "ViewCanvas.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace brantview {

QColor colourOf(int32_t packed)
{
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

QString colourName(int32_t packed)
{
    return colourOf(packed).name();
}

QFont viewFont(const TextFont &font)
{
    return viewFont(font, font.Size);
}

QFont viewFont(const TextFont &font, float size)
{
    QFont f(font.Name.isEmpty() ? QStringLiteral("宋体") : font.Name);
    f.setPointSizeF(std::max(size, 1.0f));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    return f;
}

namespace {
// Fonts are sized in points on an image of 72 logical dots per inch, so that one
// point of text is one unit of the scaled painter.
constexpr int DotsPerMetre72Dpi = 2835;
}

ViewCanvas::ViewCanvas(QImage &image, double dpi, bool keepLists)
    : m_image(image), m_scale(dpi / 72.0), m_keepLists(keepLists)
{
    m_image.setDotsPerMeterX(DotsPerMetre72Dpi);
    m_image.setDotsPerMeterY(DotsPerMetre72Dpi);
    m_width = m_image.width() / m_scale;
    m_height = m_image.height() / m_scale;
    m_painter.begin(&m_image);
    m_painter.scale(m_scale, m_scale);
}

void ViewCanvas::clear(int32_t colour)
{
    m_image.fill(colourOf(colour));
    m_dots.clear();
    m_texts.clear();
}

void ViewCanvas::dot(double x, double y, int32_t colour, int size)
{
    // Straight into the pixels: a dense view sets tens of thousands of dots.
    const double half = size * m_scale / 2.0;
    const int left = std::max(int(std::lround(x * m_scale - half)), 0);
    const int top = std::max(int(std::lround(y * m_scale - half)), 0);
    const int extent = std::max(int(std::lround(size * m_scale)), 1);
    const int right = std::min(left + extent, m_image.width());
    const int bottom = std::min(top + extent, m_image.height());
    if (left >= right || top >= bottom)
        return;
    if (m_keepLists)
        m_dots.push_back({x, y, colour, size});
    const QRgb rgb = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    for (int row = top; row < bottom; ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image.scanLine(row));
        std::fill(line + left, line + right, rgb);
    }
}

double ViewCanvas::text(double x, double y, const QString &text, int32_t colour, const QFont &font)
{
    if (text.isEmpty())
        return 0;
    m_painter.setFont(font);
    m_painter.setPen(colourOf(colour));
    const QFontMetricsF metrics(font, &m_image);
    m_painter.drawText(QPointF(x, y + metrics.ascent()), text);
    if (m_keepLists)
        m_texts.push_back({x, y, text, colour});
    return metrics.horizontalAdvance(text);
}

double ViewCanvas::textWidth(const QString &text, const QFont &font) const
{
    return QFontMetricsF(font, &m_image).horizontalAdvance(text);
}

double ViewCanvas::lineHeight(const QFont &font) const
{
    return QFontMetricsF(font, &m_image).height();
}

void ViewCanvas::line(double x1, double y1, double x2, double y2, int32_t colour, Qt::PenStyle style, double width)
{
    QPen pen(colourOf(colour));
    pen.setStyle(style);
    pen.setWidthF(width);
    // A hairline is one device pixel wide: the cosmetic stroker draws dashed
    // hairlines across the view many times faster than an outline of each dash.
    if (width <= 1) {
        pen.setWidth(0);
        pen.setCosmetic(true);
    }
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

} // namespace brantview
