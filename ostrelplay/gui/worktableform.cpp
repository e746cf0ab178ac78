#include "worktableform.h"

#include "common/gui/ListTable.h"
#include "TickedListWindow.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QStatusBar>
#include <QVBoxLayout>

#include <vector>

Tfrm_worktable::Tfrm_worktable(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_worktable"));
    setWindowTitle(QStringLiteral("作业表格"));
    resize(812, 437);

    pnl = new QWidget(this);
    pnl->setFixedHeight(97);
    for (int column = 0; column < WorkTableColumnCount; ++column) {
        QCheckBox *box = new QCheckBox(workTableColumns()[size_t(column)].caption, pnl);
        box->setChecked(true);
        connect(box, &QCheckBox::clicked, this, &Tfrm_worktable::chkClick);
        cb[size_t(column)] = box;
    }
    cb[0]->setEnabled(false);
    placeCheckBoxes({cb.begin(), cb.end()}, width());

    lv1 = new ListTable({}, this);
    QFont listFont = lv1->font();
    listFont.setPixelSize(13);
    lv1->setFont(listFont);
    lv1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(lv1, &QTableWidget::itemSelectionChanged, this, &Tfrm_worktable::lv1SelectItem);

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    StatusBar->showMessage(QStringLiteral("选中总里程: 0km,0m"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnl);
    layout->addWidget(lv1, 1);
    layout->addWidget(StatusBar);

    showlv();
}

void Tfrm_worktable::btnWorkClick(int slot)
{
    if (!m_workspace.slot(slot).Opened)
        return;
    m_slot = slot;
    setWindowTitle(QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral("作业表格"));
    show();
    raise();
    frmworktableLv1Reflash();
}

WorkTableShown Tfrm_worktable::shownColumns() const
{
    WorkTableShown shown{};
    for (int column = 0; column < WorkTableColumnCount; ++column)
        shown[size_t(column)] = cb[size_t(column)]->isChecked();
    return shown;
}

const mystdfile *Tfrm_worktable::recording() const
{
    const FileSlot &s = m_workspace.slot(m_slot);
    return s.hasRecording() ? s.Recording.get() : nullptr;
}

void Tfrm_worktable::showlv()
{
    const WorkTableShown shown = shownColumns();
    std::vector<ListColumn> columns;
    for (int column = 0; column < WorkTableColumnCount; ++column)
        if (shown[size_t(column)])
            columns.push_back({workTableColumns()[size_t(column)].caption, workTableColumns()[size_t(column)].width});
    lv1->setColumns(columns);
}

void Tfrm_worktable::chkClick()
{
    showlv();
    frmworktableLv1Reflash();
}

void Tfrm_worktable::frmworktableLv1Reflash()
{
    lv1->setRowCount(0);
    const mystdfile *file = recording();
    if (!file)
        return;
    const WorkTableShown shown = shownColumns();
    std::vector<QStringList> lines;
    for (int k = 0; k < file->std_filecount; ++k)
        lines.push_back(workTableRow(*file, m_slot, k, shown));
    // The sub-file lines stay when the totals cannot be formed; the user learns why.
    QString totalsError;
    try {
        lines.push_back(workTableTotalsRow(*file, shown));
    } catch (const StdDataError &e) {
        totalsError = e.text();
    }

    lv1->setRows(lines);
    if (!totalsError.isEmpty())
        QMessageBox::warning(this, windowTitle(), totalsError);
}

void Tfrm_worktable::lv1SelectItem()
{
    const mystdfile *file = recording();
    if (!file)
        return;
    std::vector<int> selected;
    for (const QModelIndex &index : lv1->selectionModel()->selectedRows())
        selected.push_back(index.row());
    StatusBar->showMessage(selectedDistanceText(*file, selected));
}
