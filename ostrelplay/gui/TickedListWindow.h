#pragma once
// A list window of a slot's recording: a panel of check boxes that filter the
// rows above the list; a double-click on a row goes to the row its caption and
// position name. The event and the mark filter are two of these.

#include "common/gui/ListTable.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class Workspace;

// Places check boxes left to right from (5, 5), 10 pixels apart, starting a new
// line 10 pixels lower when the next box would pass `width`.
void placeCheckBoxes(const std::vector<QCheckBox *> &boxes, int width);

class TickedListWindow : public QWidget {
    Q_OBJECT
public:
    // Refills the list for the slot of the title from the ticks of the boxes.
    virtual void fillList() = 0;

    QWidget *pnl;
    ListTable *lv;

protected:
    TickedListWindow(Workspace &workspace, int panelHeight, QWidget *parent);

    // A box of the panel, placed with the others as the window's width allows.
    QCheckBox *addBox(const QString &caption, bool checked);
    // Shows the window for `slot`, titled "文件N" + `title`, and fills it.
    void showForSlot(int slot, const QString &title);

    void resizeEvent(QResizeEvent *event) override;

    Workspace &m_workspace;
    int m_slot = 0;

private:
    std::vector<QCheckBox *> m_boxes;
};
