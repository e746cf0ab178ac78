#include "eventform.h"

#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QSignalBlocker>
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

std::vector<ListColumn> eventListColumns()
{
    return {{QStringLiteral("序号"), 100}, {QStringLiteral("事件"), 100}, {QStringLiteral("里程"), 150},
            {QStringLiteral("位置"), 100}};
}

void jumpToListedRow(Workspace &workspace, int slot, const ListTable &list, int row)
{
    const QTableWidgetItem *caption = list.item(row, CaptionColumn);
    const QTableWidgetItem *position = list.item(row, PositionColumn);
    if (caption && position)
        jumpToRow(workspace, slot, captionSubFile(caption->text()), position->text().toInt());
}

Tfrm_event::Tfrm_event(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_event"));
    setWindowTitle(QStringLiteral("事件筛选"));
    resize(787, 460);

    pnl = new QWidget(this);
    pnl->setFixedHeight(105);
    cb_all = new QCheckBox(QStringLiteral("全选"), pnl);
    cb_all->setChecked(true);
    connect(cb_all, &QCheckBox::clicked, this, &Tfrm_event::cb_allClick);
    const EventKindTicks &ticks = m_workspace.settings().eventcb;
    for (int k = 0; k < EventKindCount; ++k) {
        cb_kind[size_t(k)] = new QCheckBox(eventKindCaptions()[size_t(k)], pnl);
        cb_kind[size_t(k)]->setChecked(ticks[size_t(k)]);
        connect(cb_kind[size_t(k)], &QCheckBox::clicked, this, &Tfrm_event::fillList);
    }

    lv = new ListTable(eventListColumns(), this);
    connect(lv, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lvDblClick(row); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnl);
    layout->addWidget(lv, 1);
}

void Tfrm_event::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    std::vector<QCheckBox *> boxes{cb_all};
    boxes.insert(boxes.end(), cb_kind.begin(), cb_kind.end());
    placeCheckBoxes(boxes, width());
}

void Tfrm_event::btnEventClick(int slot)
{
    if (!m_workspace.slot(slot).Opened)
        return;
    m_slot = slot;
    setWindowTitle(QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral("事件筛选"));
    show();
    raise();
    fillList();
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

void Tfrm_event::lvDblClick(int row)
{
    jumpToListedRow(m_workspace, m_slot, *lv, row);
}
