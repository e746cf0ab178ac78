#pragma once
// "dB+ΔdB": the gain in force along a slot's sub-file, one step line per channel.

#include "windows/GainChart.h"

#include <QWidget>

class QChart;
class QChartView;
class QLineSeries;
class Workspace;

class Tfrm_dbpara : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_dbpara(Workspace &workspace, QWidget *parent = nullptr);

    // Button "dB+ΔdB" of slot `slot`: shows the window with the chart, when the slot is open.
    void lbldbparaClick(int slot);
    // Rebuilds the series from the slot's current sub-file and rail type.
    void chartReflash();
    // A click on a series or its legend marker: it alone, or all again.
    void cht_mainClickSeries(QLineSeries *clicked);

    QChartView *cht_main;

private:
    Workspace &m_workspace;
    QChart *m_chart;
    int m_slot = 0;
    SeriesSolo m_solo;
};
