#pragma once
// "标记查找": finds the next ("向前查找") or previous ("向后查找") place of the main
// window's current recording that holds a record of a checked kind, moves the view
// there, and shows beside each box how many such records the file holds.

#include "SearchEntry.h"

#include "analysis/MarkFind.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmMain;

class Form_MarkFind : public QDialog {
    Q_OBJECT
public:
    explicit Form_MarkFind(frmMain &main);

    // Message boxes; replaced by the tests.
    SearchMessage tell;

    // The counters of a recording just loaded, or of the current one at the start.
    void showCounts(const brantview::RecordingSlot &slot);

    void CommandFind_Next_Click();
    void CommandFind_Prev_Click();

private:
    void search(brantview::MarkFindDirection direction);
    brantview::MarkFindCriteria criteria() const;

    frmMain &m_main;
    std::array<QCheckBox *, 10> Check1{};
    QCheckBox *CheckQX = nullptr;
    QCheckBox *CheckG = nullptr;
    QCheckBox *CheckC = nullptr;
    QCheckBox *CheckdB = nullptr;
    QCheckBox *CheckE = nullptr;
    std::array<QLabel *, 13> LabelCnt{};
    QLabel *LabelQX = nullptr;
    QLabel *LabeldB = nullptr;
    QLineEdit *Text_Cnum = nullptr;
    QPushButton *CommandFind_Next = nullptr;
    QPushButton *CommandFind_Prev = nullptr;
};
