#include "SlotWidgets.h"

#include "workspace/Workspace.h"
#include "common/gui/PaintBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int TopBarHeight = 25;
constexpr int PositionBarHeight = 22;

QPushButton *smallButton(const QString &caption, int left, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(left, 2, 60, 20);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QFrame *bevelPanel(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

} // namespace

SlotWidgetSet::SlotWidgetSet(const FileSlot &slot, QWidget *parent)
    : QWidget(parent), m_slot(slot)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnl_top = bevelPanel(this);
    pnl_top->setFixedHeight(TopBarHeight);
    layout->addWidget(pnl_top);

    cbb = new QComboBox(pnl_top);
    cbb->setObjectName(QStringLiteral("cbb"));
    cbb->setEditable(false);
    cbb->setGeometry(1, 1, 400, TopBarHeight - 2);

    btn_para = smallButton(QStringLiteral("参数曲线"), 405, pnl_top);
    btn_work = smallButton(QStringLiteral("作业表格"), 470, pnl_top);
    btn_event = smallButton(QStringLiteral("事件筛选"), 535, pnl_top);
    btn_mark = smallButton(QStringLiteral("打标记"), 600, pnl_top);
    btn_search = smallButton(QStringLiteral("里程定位"), 665, pnl_top);
    btn_mark->setObjectName(QStringLiteral("btn_mark"));

    lbl_view = new QLabel(QStringLiteral("显示窗口:"), pnl_top);
    lbl_view->setGeometry(730, 6, 60, 16);

    sb_view = new QScrollBar(Qt::Horizontal, pnl_top);
    sb_view->setObjectName(QStringLiteral("sb_view"));
    sb_view->setGeometry(795, 2, 150, 20);
    sb_view->setFocusPolicy(Qt::NoFocus);

    btn_db = smallButton(QStringLiteral("dB+ΔdB"), 950, pnl_top);
    btn_db->setObjectName(QStringLiteral("btn_db"));

    pnl_client = bevelPanel(this);
    layout->addWidget(pnl_client, 1);
    auto *clientLayout = new QVBoxLayout(pnl_client);
    clientLayout->setContentsMargins(1, 1, 1, 1);
    clientLayout->setSpacing(0);

    pb = new PaintBox([this](QPainter &p) { paintBScan(p); }, pnl_client);
    pb->setObjectName(QStringLiteral("pb"));
    // Keys pressed after a click on the B-scan reach the main window's play keys.
    pb->setFocusPolicy(Qt::ClickFocus);
    clientLayout->addWidget(pb, 1);

    trb = new QSlider(Qt::Horizontal, pnl_client);
    trb->setObjectName(QStringLiteral("trb"));
    trb->setFixedHeight(PositionBarHeight);
    trb->setTickPosition(QSlider::NoTicks);
    trb->setFocusPolicy(Qt::NoFocus);
    clientLayout->addWidget(trb);

    connect(sb_view, &QScrollBar::valueChanged, pb, qOverload<>(&QWidget::update));
}

void SlotWidgetSet::paintBScan(QPainter &painter)
{
    pb->drawPicture(painter, QPoint(-sb_view->value(), 0),
                    m_slot.Opened && m_slot.hasRecording() ? m_slot.Frame.std_BBitMap : QImage());
}

void SlotWidgetSet::showSlot()
{
    {
        const QSignalBlocker block(cbb);
        if (m_shownLines != m_slot.comboLines) {
            cbb->clear();
            cbb->addItems(m_slot.comboLines);
            m_shownLines = m_slot.comboLines;
        }
        if (cbb->currentIndex() != m_slot.comboIndex)
            cbb->setCurrentIndex(m_slot.comboIndex);
    }
    if (m_shownSubFile != m_slot.comboIndex) {
        if (m_shownSubFile >= 0)
            endPositionBarDrag();
        m_shownSubFile = m_slot.comboIndex;
    }
    btn_db->setToolTip(m_slot.dBHint);

    const QSignalBlocker block(trb);
    const PositionBar &bar = m_slot.bar;
    if (trb->minimum() != bar.minimum() || trb->maximum() != bar.maximum())
        trb->setRange(bar.minimum(), bar.maximum());
    if (!trb->isSliderDown())
        trb->setValue(bar.position());
}

// A sub-file change at an end releases a position bar the user is dragging,
// so the drag does not carry on in the new sub-file.
void SlotWidgetSet::endPositionBarDrag()
{
    if (!trb->isSliderDown())
        return;
    const QPointF at = trb->rect().center();
    QMouseEvent release(QEvent::MouseButtonRelease, at, trb->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(trb, &release);
}

void SlotWidgetSet::resetScrollBar()
{
    sb_view->setValue(0);
    fitScrollRange();
}

void SlotWidgetSet::fitScrollRange()
{
    const int paneWidth = pb->width();
    const int imageWidth = m_slot.hasRecording() ? m_slot.Frame.std_BBitMap.width() : 0;
    sb_view->setPageStep(std::max(paneWidth, 1));
    sb_view->setRange(0, std::max(imageWidth - paneWidth, 0));
}
