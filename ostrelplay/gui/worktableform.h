#pragma once
// "作业表格": the inspection log of a slot's recording, one line per sub-file and
// a totals line; check boxes choose the columns, a selection shows its distance.

#include "windows/WorkTable.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QStatusBar;
class ListTable;
class Workspace;

class Tfrm_worktable : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_worktable(Workspace &workspace, QWidget *parent = nullptr);

    // The slot's "作业表格" button: shows the window filled, when the slot is open.
    void btnWorkClick(int slot);
    // Refills the list from the recording of the slot shown.
    void frmworktableLv1Reflash();

    QWidget *pnl;
    std::array<QCheckBox *, WorkTableColumnCount> cb{};
    ListTable *lv1;
    QStatusBar *StatusBar;

private:
    void showlv();
    void chkClick();
    void lv1SelectItem();
    WorkTableShown shownColumns() const;
    const mystdfile *recording() const;

    Workspace &m_workspace;
    int m_slot = 0;
};
