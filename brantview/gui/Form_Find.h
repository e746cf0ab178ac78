#pragma once
// "搜索窗口": finds a mileage (kilometres + metres) in the main window's current
// recording, the next place at each press of "查找", and moves the view there.

#include "SearchEntry.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class frmMain;

class Form_Find : public QDialog {
    Q_OBJECT
public:
    explicit Form_Find(frmMain &main);

    // Message boxes; replaced by the tests.
    SearchMessage tell;

    void Command1_Click();

private:
    // The first refused entry is told and takes the focus; true when both are accepted.
    bool entriesAccepted();

    frmMain &m_main;
    int MileageFindCursor = 0;
    QLineEdit *Text_km = nullptr;
    QLineEdit *Text_m = nullptr;
    QPushButton *Command1 = nullptr;
};
