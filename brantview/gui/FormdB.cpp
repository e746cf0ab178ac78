#include "FormdB.h"

#include "viewer/ViewCanvas.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>

using namespace brantview;

namespace {

constexpr int OptionsPerRow = 5;

} // namespace

FormdB::FormdB(GainData data, int slot, const BrantSettings &settings, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_data(std::move(data)), m_slot(slot),
      m_settings(settings), m_plot(m_data, 0, QSize())
{
    setObjectName(QStringLiteral("FormdB"));
    setWindowTitle(QStringLiteral("灵敏度全程变化曲线"));
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The options lie in the band above the plot's top margin, light on its black.
    auto *band = new QWidget(this);
    band->setObjectName(QStringLiteral("OptionBand"));
    QPalette light = band->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(light);
    auto *grid = new QGridLayout(band);
    grid->setContentsMargins(GainMarginLeft + 4, 2, 4, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    auto *group = new QButtonGroup(this);
    for (int k = 0; k < GainOptionCount; ++k) {
        auto *button = new QRadioButton(GainOptions()[size_t(k)].caption, band);
        button->setObjectName(QStringLiteral("OptiondB%1").arg(k));
        button->setChecked(k == 0);
        group->addButton(button, k);
        grid->addWidget(button, k / OptionsPerRow, k % OptionsPerRow);
        OptiondB[size_t(k)] = button;
    }
    connect(group, &QButtonGroup::idClicked, this, &FormdB::OptiondB_Click);
    band->adjustSize();

    LinedB = new QFrame(this);
    LinedB->setObjectName(QStringLiteral("LinedB"));
    LinedB->setAutoFillBackground(true);
    QPalette line = LinedB->palette();
    line.setColor(QPalette::Window, colourOf(LinedBColour));
    LinedB->setPalette(line);
    LinedB->hide();

    setMinimumSize(std::max(band->sizeHint().width(), 300), std::max(band->sizeHint().height(), GainMarginTop) + 100);
    resize(std::max(800, minimumWidth()), 400);
    drawPlot();
}

void FormdB::OptiondB_Click(int option)
{
    m_option = option;
    OptiondB[size_t(option)]->setChecked(true);
    drawPlot();
}

void FormdB::showViewStart(int32_t viewStart)
{
    m_viewStart = viewStart;
    placeLinedB();
}

void FormdB::drawPlot()
{
    m_plot = GainPlot(m_data, m_option, size());
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    {
        ViewCanvas canvas(m_image, 72 * ratio);
        DrawGainPlot(canvas, m_plot, GainCurveColour(m_option, m_settings.ChannelColour));
    }
    placeLinedB();
    update();
}

void FormdB::placeLinedB()
{
    const std::optional<int> x = m_viewStart ? m_plot.lineX(*m_viewStart) : std::nullopt;
    if (!x) {
        LinedB->hide();
        return;
    }
    LinedB->setGeometry(*x, GainMarginTop, 1, std::max(height() - GainMarginTop - GainMarginBottom, 1));
    LinedB->show();
}

void FormdB::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

void FormdB::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    drawPlot();
}
