#include "markform.h"

#include "windows/EventRows.h"
#include "eventform.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QVBoxLayout>

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

    lv = new ListTable(eventListColumns(), this);
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
    MarkCategoryTicks ticks{};
    for (int k = 0; k < MarkCategoryCount; ++k)
        ticks[size_t(k)] = cb_category[size_t(k)]->isChecked();
    std::vector<QStringList> lines;
    const FileSlot &s = m_workspace.slot(m_slot);
    if (s.hasRecording())
        for (const MarkRow &row : markRows(*s.Recording, ticks))
            lines.push_back({row.caption, row.category, row.mileage, QString::number(row.position)});
    lv->setRows(lines);
}

void Tfrm_mark::lvDblClick(int row)
{
    jumpToListedRow(m_workspace, m_slot, *lv, row);
}
