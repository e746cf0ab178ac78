#include "TrendRuns.h"

#include "EchoProjection.h"

#include <algorithm>

namespace brantview {

int TrendStep(int a, int b)
{
    if (b - a > 4)
        return 5;
    if (b - a <= -5)
        return -5;
    return 0;
}

void TrendRuns::echo(int k, int x, int d)
{
    m_latest[size_t(k)] = {true, x, d};
}

TrendRuns::Run TrendRuns::start(int x, int d)
{
    return {true, 0, 1, d, d, x, x, x, d};
}

void TrendRuns::endColumn(SlotDrawing &view)
{
    for (size_t k = 0; k < m_runs.size(); ++k) {
        Latest &latest = m_latest[k];
        if (!latest.drawn)
            continue;
        latest.drawn = false;
        Run &run = m_runs[k];
        const int x = latest.x;
        const int d = latest.depth;
        if (!run.open) {
            run = start(x, d);
            continue;
        }
        bool extends = false;
        if (run.lastX - x > -10 && run.lastX - x < 10) {
            const int step = TrendStep(run.lastDepth, d);
            if (run.direction == 0)
                run.direction = step;
            extends = step == 0 || step == run.direction;
        }
        if (extends) {
            ++run.count;
            run.minDepth = std::min(run.minDepth, d);
            run.maxDepth = std::max(run.maxDepth, d);
            run.minX = std::min(run.minX, x);
            run.maxX = std::max(run.maxX, x);
            run.lastX = x;
            run.lastDepth = d;
        } else {
            EndTrend(view, int(k), run);
            run = start(x, d);
        }
    }
}

void TrendRuns::finish(SlotDrawing &view)
{
    for (size_t k = 0; k < m_runs.size(); ++k)
        if (m_runs[k].open)
            EndTrend(view, int(k), m_runs[k]);
    m_runs = {};
}

void TrendRuns::EndTrend(SlotDrawing &view, int k, const Run &run) const
{
    if (run.count <= 2)
        return;
    const SlotLayout &layout = view.layout;
    const BrantSettings &settings = view.settings;
    const int span = run.maxDepth - run.minDepth;
    const double limit = settings.FishScaleLinesOn ? settings.FishScaleSpacing : layout.rail.HeadDepth + 5;
    const bool rising = run.direction > 1;
    bool marked;
    if (limit < layout.VS * run.minDepth * 0.171)
        marked = rising ? span > 12 && run.count > 4 : span > 5;
    else
        marked = rising ? span > 50 : span > 12;
    if (!marked)
        return;
    const double x = (run.minX + run.maxX) / 2.0 - 6;
    const double y = layout.T + (layout.SecondGroupShown ? layout.bands.B2 : layout.bands.B0) - 12;
    view.canvas.text(x, y, QStringLiteral("↑"), settings.ChannelColour[size_t(TrendSeriesChannel[size_t(k)])],
                     view.trendFont);
}

} // namespace brantview
