#include "dbparaform.h"

#include "workspace/Workspace.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

Tfrm_dbpara::Tfrm_dbpara(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Window), m_workspace(workspace), m_chart(new QChart)
{
    setObjectName(QStringLiteral("frm_dbpara"));
    resize(776, 587);
    cht_main = new QChartView(m_chart, this);
    cht_main->setRubberBand(QChartView::NoRubberBand);
    cht_main->setRenderHint(QPainter::Antialiasing);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cht_main);
}

void Tfrm_dbpara::lbldbparaClick(int slot)
{
    const FileSlot &fileSlot = m_workspace.slot(slot);
    if (!fileSlot.Opened || !fileSlot.hasRecording())
        return;
    m_slot = slot;
    setWindowTitle(gainChartTitle(slot));
    show();
    raise();
    activateWindow();
    chartReflash();
}

void Tfrm_dbpara::chartReflash()
{
    m_chart->removeAllSeries();
    const FileSlot &fileSlot = m_workspace.slot(m_slot);
    if (!fileSlot.hasRecording())
        return;
    for (const GainSeries &line : gainChartSeries(*fileSlot.Recording, fileSlot.Frame.style)) {
        auto *series = new QLineSeries;
        series->setName(line.title);
        series->setColor(line.color);
        for (const QPointF &point : line.points)
            series->append(point);
        m_chart->addSeries(series);
        connect(series, &QLineSeries::clicked, this, [this, series] { cht_mainClickSeries(series); });
    }
    m_chart->createDefaultAxes();
    // Rows are whole numbers: ticks at whole steps, labelled without decimals.
    for (QAbstractAxis *axis : m_chart->axes(Qt::Horizontal))
        if (auto *rows = qobject_cast<QValueAxis *>(axis)) {
            rows->setTickType(QValueAxis::TicksDynamic);
            rows->setTickAnchor(0);
            rows->setTickInterval(wholeTickStep(rows->max() - rows->min()));
            rows->setLabelFormat(QStringLiteral("%d"));
        }
    for (QLegendMarker *marker : m_chart->legend()->markers()) {
        auto *series = qobject_cast<QLineSeries *>(marker->series());
        connect(marker, &QLegendMarker::clicked, this, [this, series] { cht_mainClickSeries(series); });
    }
}

void Tfrm_dbpara::cht_mainClickSeries(QLineSeries *clicked)
{
    const QList<QAbstractSeries *> all = m_chart->series();
    const std::vector<bool> visible = m_solo.click(int(all.indexOf(clicked)), int(all.size()));
    for (qsizetype k = 0; k < all.size(); ++k)
        all[k]->setVisible(visible[size_t(k)]);
}
