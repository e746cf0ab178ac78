#pragma once
// "标记筛选": the replay marks of a slot's recording, filtered by category; a
// double-click goes to the mark.

#include "windows/MarkRows.h"

#include <QWidget>

#include <array>

class QCheckBox;
class ListTable;
class Workspace;

class Tfrm_mark : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_mark(Workspace &workspace, QWidget *parent = nullptr);

    // Mark menu "标记筛选" for slot `slot`: shows the window filled.
    void showFor(int slot);
    void fillList();

    QWidget *pnl;
    std::array<QCheckBox *, MarkCategoryCount> cb_category{};
    ListTable *lv;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void lvDblClick(int row);

    Workspace &m_workspace;
    int m_slot = 0;
};
