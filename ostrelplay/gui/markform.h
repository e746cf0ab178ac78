#pragma once
// "标记筛选": the replay marks of a slot's recording, filtered by category; a
// double-click goes to the mark.

#include "TickedListWindow.h"
#include "windows/MarkRows.h"

#include <array>

class Tfrm_mark : public TickedListWindow {
    Q_OBJECT
public:
    explicit Tfrm_mark(Workspace &workspace, QWidget *parent = nullptr);

    // Mark menu "标记筛选" for slot `slot`: shows the window filled.
    void showFor(int slot);
    void fillList() override;

    std::array<QCheckBox *, MarkCategoryCount> cb_category{};
};
