#include "markform.h"

#include "workspace/Workspace.h"

#include <QCheckBox>

Tfrm_mark::Tfrm_mark(Workspace &workspace, QWidget *parent) : TickedListWindow(workspace, 41, parent)
{
    setObjectName(QStringLiteral("frm_mark"));
    setWindowTitle(QStringLiteral("标记筛选"));
    resize(600, 400);

    for (int k = 0; k < MarkCategoryCount; ++k) {
        cb_category[size_t(k)] = addBox(markCategoryCaptions()[size_t(k)], true);
        connect(cb_category[size_t(k)], &QCheckBox::clicked, this, &Tfrm_mark::fillList);
    }
}

void Tfrm_mark::showFor(int slot)
{
    showForSlot(slot, QStringLiteral("标记筛选"));
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
