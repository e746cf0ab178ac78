#pragma once
// "超速统计": the stretches of one open recording driven faster than a speed for
// longer than a distance, listed and exported to a workbook.

#include "windows/Overspeed.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class ListTable;
class Workspace;

class Tfrm_speedexcel : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_speedexcel(Workspace &workspace, QWidget *parent = nullptr);

    // The menu "超速统计": shows the window with a line for each slot holding a recording.
    void N56Click();
    // "统计".
    void btn_countClick();
    // "导出".
    void btn_exportClick();

    // The message box (title, text), the save dialog and the opening of the saved
    // workbook for the user. Tests replace them.
    std::function<void(const QString &title, const QString &text)> tell;
    std::function<QString()> askSaveFileName;
    std::function<void(const QString &path)> openSaved;

    QComboBox *cb_file;
    QLineEdit *edt_speed;
    QLineEdit *edt_dis;
    QPushButton *btn_count;
    QPushButton *btn_export;
    ListTable *lv_main;
    QLabel *lbl_stat;
    QProgressBar *pgb_stat;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Workspace &m_workspace;
    std::vector<OverspeedRow> m_rows;
};
