#include "GainCurve.h"

#include "viewer/ViewCanvas.h"

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

int nearest(double value)
{
    return int(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

int valueOf(const GainEntry &entry, int option)
{
    return entry[size_t(GainOptions()[size_t(option)].byte)];
}

} // namespace

QFont GainScaleFont()
{
    return viewFont(TextFont{QStringLiteral("宋体"), 12});
}

const std::array<GainOption, GainOptionCount> &GainOptions()
{
    static const std::array<GainOption, GainOptionCount> options{{
        {QStringLiteral("1通道"), 1, 0},
        {QStringLiteral("2通道"), 2, 1},
        {QStringLiteral("3通道"), 3, 2},
        {QStringLiteral("4通道"), 4, 3},
        {QStringLiteral("5通道"), 5, 4},
        {QStringLiteral("6通道"), 6, 5},
        {QStringLiteral("1A通道"), 7, 6},
        {QStringLiteral("2A通道"), 8, 7},
        {QStringLiteral("6A通道"), 9, 8},
        {QStringLiteral("5通道反射灵敏度差"), 10, 5},
    }};
    return options;
}

int32_t GainCurveColour(int option, const ChannelValues &ChannelColour)
{
    return ChannelColour[size_t(GainOptions()[size_t(option)].colourChannel)];
}

GainData GainDataOf(const RecordingSlot &slot)
{
    return {slot.GainTable, slot.Columns.empty() ? 0 : int64_t(slot.Columns.back().position)};
}

GainScale GainRange(const std::vector<GainEntry> &table, int option)
{
    GainScale scale{70, 0};
    for (const GainEntry &entry : table) {
        const int value = valueOf(entry, option);
        scale.lo = std::min(scale.lo, value);
        scale.hi = std::max(scale.hi, value);
    }
    if (scale.hi - scale.lo < 10)
        scale.hi = scale.lo + 10;
    return scale;
}

GainPlot::GainPlot(const GainData &data, int option, QSize size)
    : m_size(size), m_totalLength(data.totalLength), m_scale(GainRange(data.GainTable, option))
{
    m_steps.reserve(data.GainTable.size());
    for (const GainEntry &entry : data.GainTable)
        m_steps.push_back({entry[0], valueOf(entry, option)});
    m_ys = double(size.height() - GainMarginTop - GainMarginBottom) / (m_scale.hi - m_scale.lo);
    if (m_totalLength > 0)
        m_xs = double(size.width() - GainMarginLeft) / double(m_totalLength);
}

QString GainPlot::unavailable() const
{
    if (m_steps.empty())
        return NoGainPacketsText;
    if (m_totalLength <= 0)
        return NoRecordingLengthText;
    return {};
}

int GainPlot::x(int64_t position) const
{
    return nearest(GainMarginLeft + double(position) * m_xs);
}

int GainPlot::y(int value) const
{
    return nearest(m_size.height() - GainMarginBottom - (value - m_scale.lo) * m_ys);
}

std::vector<QPoint> GainPlot::polyline() const
{
    std::vector<QPoint> points;
    if (!unavailable().isEmpty())
        return points;
    points.reserve(2 * m_steps.size());
    points.push_back({x(m_steps.front().position), y(m_steps.front().value)});
    for (size_t k = 1; k < m_steps.size(); ++k) {
        points.push_back({x(m_steps[k].position), y(m_steps[k - 1].value)});
        points.push_back({x(m_steps[k].position), y(m_steps[k].value)});
    }
    points.push_back({x(m_totalLength), y(m_steps.back().value)});
    return points;
}

std::optional<int> GainPlot::lineX(int32_t viewStart) const
{
    if (!unavailable().isEmpty())
        return std::nullopt;
    return x(viewStart);
}

void DrawGainPlot(ViewCanvas &canvas, const GainPlot &plot, int32_t colour)
{
    canvas.clear(Black);
    if (const QString why = plot.unavailable(); !why.isEmpty()) {
        canvas.text(GainMarginLeft, GainMarginTop, why, White, GainScaleFont());
        return;
    }
    const std::vector<QPoint> points = plot.polyline();
    for (size_t k = 1; k < points.size(); ++k)
        canvas.line(points[k - 1].x(), points[k - 1].y(), points[k].x(), points[k].y(), colour, Qt::SolidLine,
                    GainLineWidth);

    const double bottom = canvas.height() - GainMarginBottom;
    canvas.line(GainMarginLeft, GainMarginTop, GainMarginLeft, bottom, White, Qt::SolidLine, GainLineWidth);
    // Each number centred on its tick: printed below it, the lowest would run off the
    // bottom margin and each would sit beside the next tick down.
    const QFont font = GainScaleFont();
    const double halfLine = canvas.lineHeight(font) / 2;
    for (int v = plot.scale().lo; v <= plot.scale().hi; ++v) {
        const int y = plot.y(v);
        canvas.line(GainTickLeft, y, GainMarginLeft, y, White, Qt::SolidLine, GainLineWidth);
        canvas.text(0, y - halfLine, QString::number(v), White, font);
    }
}

void DrawLinedB(ViewCanvas &canvas, int x)
{
    canvas.line(x, GainMarginTop, x, canvas.height() - GainMarginBottom, LinedBColour);
}

} // namespace brantview
