#pragma once
// "里程定位": the sub-files of a slot's recording that cover a mileage; a
// double-click goes to the row where the recording's mileage reads it.

#include "windows/MileageSearch.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class ListTable;
class Workspace;

class Tfrm_search : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_search(Workspace &workspace, QWidget *parent = nullptr);

    // The slot's "里程定位" button: shows the window with an empty list, when the slot is open.
    void btnSearchClick(int slot);
    // "搜索".
    void btn1Click();

    QLineEdit *edt1;  // kilometres
    QLineEdit *edt2;  // metres
    QPushButton *btn1;
    ListTable *lv;

private:
    void lvDblClick(int row);

    Workspace &m_workspace;
    int m_slot = 0;
    MileageTarget m_target;  // of the last search
};
