#include "TickedListWindow.h"

#include "windows/EventRows.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace {
constexpr int BoxMargin = 5;
constexpr int BoxGap = 10;
constexpr int CaptionColumn = 0;
constexpr int PositionColumn = 3;
} // namespace

void placeCheckBoxes(const std::vector<QCheckBox *> &boxes, int width)
{
    int x = BoxMargin;
    int y = BoxMargin;
    for (QCheckBox *box : boxes) {
        const QSize size = box->sizeHint();
        if (x > BoxMargin && x + size.width() > width) {
            x = BoxMargin;
            y += size.height() + BoxGap;
        }
        box->setGeometry(x, y, size.width(), size.height());
        x += size.width() + BoxGap;
    }
}

TickedListWindow::TickedListWindow(Workspace &workspace, int panelHeight, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_workspace(workspace)
{
    pnl = new QWidget(this);
    pnl->setFixedHeight(panelHeight);

    lv = new ListTable({{QStringLiteral("序号"), 100}, {QStringLiteral("事件"), 100}, {QStringLiteral("里程"), 150},
                        {QStringLiteral("位置"), 100}},
                       this);
    connect(lv, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem *caption = lv->item(row, CaptionColumn);
        const QTableWidgetItem *position = lv->item(row, PositionColumn);
        if (caption && position)
            jumpToRow(m_workspace, m_slot, captionSubFile(caption->text()), position->text().toInt());
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnl);
    layout->addWidget(lv, 1);
}

QCheckBox *TickedListWindow::addBox(const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, pnl);
    box->setChecked(checked);
    m_boxes.push_back(box);
    return box;
}

void TickedListWindow::showForSlot(int slot, const QString &title)
{
    m_slot = slot;
    setWindowTitle(QStringLiteral("文件") + QString::number(slot + 1) + title);
    show();
    raise();
    fillList();
}

void TickedListWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCheckBoxes(m_boxes, width());
}
