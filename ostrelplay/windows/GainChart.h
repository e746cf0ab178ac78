#pragma once
// The gain curve chart: for each of the nine channels the gain in force along
// the current sub-file as a step line, and the chart's show-alone clicks.

#include "recording/STDDataOperation.h"
#include "rendering/DisplayStyle.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <vector>

// "文件1 dB+ΔdB" for slot 0.
QString gainChartTitle(int slot);

// "通道1" … "通道6", "通道1A", "通道2A", "通道3A" for channels 0 … 8.
QString gainSeriesTitle(int channel);

struct GainSeries {
    QString title;
    QColor color;
    // x = row, y = gain in dB (single precision); each area gives its start and
    // end point at one level, so the line steps where the next area starts.
    std::vector<QPointF> points;
};

// The nine series of the current sub-file at the rail type in force, in the
// channel colours of `style`.
std::vector<GainSeries> gainChartSeries(const mystdfile &file, const DisplayStyle &style);

// The step between the row ticks of a chart over `span` rows: 1, 2 or 5 times a
// power of ten, never below one row, for at most about six ticks.
double wholeTickStep(double span);

// The chart's tag: a click shows the clicked series alone, the next click shows all.
class SeriesSolo {
public:
    // The visibility of `count` series after a click on series `clicked`.
    std::vector<bool> click(int clicked, int count);
    bool shownAlone() const { return m_shownAlone; }

private:
    bool m_shownAlone = false;
};
