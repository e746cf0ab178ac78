#include "markform.h"

#include "windows/EventRows.h"
#include "eventform.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int CaptionColumn = 0;
constexpr int PositionColumn = 3;
} // namespace

Tfrm_mark::Tfrm_mark(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_mark"));
    setWindowTitle(QStringLiteral("标记筛选"));
    resize(600, 400);

    pnl = new QWidget(this);
    pnl->setFixedHeight(41);
    for (int k = 0; k < MarkCategoryCount; ++k) {
        cb_category[size_t(k)] = new QCheckBox(markCategoryCaptions()[size_t(k)], pnl);
        cb_category[size_t(k)]->setChecked(true);
        connect(cb_category[size_t(k)], &QCheckBox::clicked, this, &Tfrm_mark::fillList);
    }

    lv = new QTableWidget(0, 4, this);
    lv->setHorizontalHeaderLabels(
        {QStringLiteral("序号"), QStringLiteral("事件"), QStringLiteral("里程"), QStringLiteral("位置")});
    const int widths[] = {100, 100, 150, 100};
    for (int c = 0; c < 4; ++c)
        lv->setColumnWidth(c, widths[c]);
    lv->setShowGrid(true);
    lv->verticalHeader()->hide();
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(lv, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lvDblClick(row); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnl);
    layout->addWidget(lv, 1);
}

void Tfrm_mark::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCheckBoxes({cb_category.begin(), cb_category.end()}, width());
}

void Tfrm_mark::showFor(int slot)
{
    m_slot = slot;
    setWindowTitle(QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral("标记筛选"));
    show();
    raise();
    fillList();
}

void Tfrm_mark::fillList()
{
    lv->setRowCount(0);
    const FileSlot &s = m_workspace.slot(m_slot);
    if (!s.hasRecording())
        return;
    MarkCategoryTicks ticks{};
    for (int k = 0; k < MarkCategoryCount; ++k)
        ticks[size_t(k)] = cb_category[size_t(k)]->isChecked();
    const std::vector<MarkRow> rows = markRows(*s.Recording, ticks);
    lv->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const MarkRow &row = rows[size_t(r)];
        const QString cells[] = {row.caption, row.category, row.mileage, QString::number(row.position)};
        for (int c = 0; c < 4; ++c)
            lv->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

void Tfrm_mark::lvDblClick(int row)
{
    const QTableWidgetItem *caption = lv->item(row, CaptionColumn);
    const QTableWidgetItem *position = lv->item(row, PositionColumn);
    if (caption && position)
        jumpToRow(m_workspace, m_slot, captionSubFile(caption->text()), position->text().toInt());
}
