#pragma once
// "事件筛选": the events of a slot's recording, filtered by kind; a double-click
// goes to the event.

#include "TickedListWindow.h"
#include "windows/EventRows.h"

#include <array>

class Tfrm_event : public TickedListWindow {
    Q_OBJECT
public:
    // The box ticks come from the settings memory of `workspace`.
    explicit Tfrm_event(Workspace &workspace, QWidget *parent = nullptr);

    // The slot's "事件筛选" button: shows the window filled, when the slot is open.
    void btnEventClick(int slot);
    // Fills the list for the slot of the title and stores the ticks into the settings.
    void fillList() override;

    QCheckBox *cb_all;
    std::array<QCheckBox *, EventKindCount> cb_kind{};

private:
    void cb_allClick();
};
