#pragma once
// "事件筛选": the events of a slot's recording, filtered by kind; a double-click
// goes to the event.

#include "common/gui/ListTable.h"
#include "windows/EventRows.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class Workspace;

// Places check boxes left to right from (5, 5), 10 pixels apart, starting a new
// line 10 pixels lower when the next box would pass `width`.
void placeCheckBoxes(const std::vector<QCheckBox *> &boxes, int width);

// The columns of the event and the mark list.
std::vector<ListColumn> eventListColumns();
// A double-click on `row` of such a list: goes to the row its caption and
// position name in the slot's recording.
void jumpToListedRow(Workspace &workspace, int slot, const ListTable &list, int row);

class Tfrm_event : public QWidget {
    Q_OBJECT
public:
    // The box ticks come from the settings memory of `workspace`.
    explicit Tfrm_event(Workspace &workspace, QWidget *parent = nullptr);

    // The slot's "事件筛选" button: shows the window filled, when the slot is open.
    void btnEventClick(int slot);
    // Fills the list for the slot of the title and stores the ticks into the settings.
    void fillList();

    QWidget *pnl;
    QCheckBox *cb_all;
    std::array<QCheckBox *, EventKindCount> cb_kind{};
    ListTable *lv;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void cb_allClick();
    void lvDblClick(int row);

    Workspace &m_workspace;
    int m_slot = 0;
};
