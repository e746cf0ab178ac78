#include "GainChart.h"

#include <cmath>

#include "recording/StdFormat.h"

#include <algorithm>

namespace {
constexpr int ChannelCount = 9;
}

QString gainChartTitle(int slot)
{
    return QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral(" dB+ΔdB");
}

QString gainSeriesTitle(int channel)
{
    if (channel < 6)
        return QStringLiteral("通道") + QString::number(channel + 1);
    return QStringLiteral("通道") + QString::number(channel - 5) + QLatin1Char('A');
}

std::vector<GainSeries> gainChartSeries(const mystdfile &file, const DisplayStyle &style)
{
    const TSYSTEMPARA &para = file.std_systempara;
    const int r = StdFormat::railRow(para.m_RailType);
    const size_t cur = size_t(file.std_CurFile);
    const bool hasAreas = file.std_CurFile >= 0 && cur < file.arr_GainArea.size() && cur < file.arr_Gain.size();

    std::vector<GainSeries> series;
    for (int c = 0; c < ChannelCount; ++c) {
        GainSeries line{gainSeriesTitle(c), style.color_channel[size_t(c)], {}};
        if (hasAreas) {
            const std::vector<int32_t> &rows = file.arr_GainArea[cur];
            const std::vector<TGainSet> &sets = file.arr_Gain[cur];
            // The last area row ends the last area and starts none.
            const size_t areas = std::min(sets.size(), rows.empty() ? 0 : rows.size() - 1);
            for (size_t j = 0; j < areas; ++j) {
                const float gain = para.m_Gain[r][c] + sets[j][size_t(r)][size_t(c)];
                line.points.emplace_back(rows[j], gain);
                line.points.emplace_back(rows[j + 1], gain);
            }
        }
        series.push_back(std::move(line));
    }
    return series;
}

std::vector<bool> SeriesSolo::click(int clicked, int count)
{
    std::vector<bool> visible(size_t(std::max(count, 0)), m_shownAlone);
    if (!m_shownAlone && clicked >= 0 && clicked < count)
        visible[size_t(clicked)] = true;
    m_shownAlone = !m_shownAlone;
    return visible;
}

double wholeTickStep(double span)
{
    if (!std::isfinite(span) || span <= 6.0)
        return 1.0;
    const double rough = span / 6.0;
    double power = 1.0;
    while (power * 10.0 <= rough)
        power *= 10.0;
    for (const double factor : {1.0, 2.0, 5.0})
        if (power * factor >= rough)
            return power * factor;
    return power * 10.0;
}
