#include "eventform.h"

#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QSignalBlocker>

Tfrm_event::Tfrm_event(Workspace &workspace, QWidget *parent) : TickedListWindow(workspace, 105, parent)
{
    setObjectName(QStringLiteral("frm_event"));
    setWindowTitle(QStringLiteral("事件筛选"));
    resize(787, 460);

    cb_all = addBox(QStringLiteral("全选"), true);
    connect(cb_all, &QCheckBox::clicked, this, &Tfrm_event::cb_allClick);
    const EventKindTicks &ticks = m_workspace.settings().eventcb;
    for (int k = 0; k < EventKindCount; ++k) {
        cb_kind[size_t(k)] = addBox(eventKindCaptions()[size_t(k)], ticks[size_t(k)]);
        connect(cb_kind[size_t(k)], &QCheckBox::clicked, this, &Tfrm_event::fillList);
    }
}

void Tfrm_event::btnEventClick(int slot)
{
    if (m_workspace.slot(slot).Opened)
        showForSlot(slot, QStringLiteral("事件筛选"));
}

void Tfrm_event::cb_allClick()
{
    for (QCheckBox *box : cb_kind) {
        const QSignalBlocker block(box);
        box->setChecked(cb_all->isChecked());
    }
    fillList();
}

void Tfrm_event::fillList()
{
    EventKindTicks ticks{};
    for (int k = 0; k < EventKindCount; ++k)
        ticks[size_t(k)] = cb_kind[size_t(k)]->isChecked();
    m_workspace.settings().eventcb = ticks;

    std::vector<QStringList> lines;
    const FileSlot &s = m_workspace.slot(m_slot);
    if (s.hasRecording())
        for (const EventRow &row : eventRows(*s.Recording, ticks))
            lines.push_back({row.caption, row.event, row.mileage, QString::number(row.position)});
    lv->setRows(lines);
}
