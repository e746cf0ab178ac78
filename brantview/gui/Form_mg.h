#pragma once
// "管理报告生成": turns a management file into its raw dump and the management
// report workbook, then shows the workbook. The window stays open after a cancelled
// dialog or a refused file, and closes after the export, whether it worked or not.

#include "analysis/ManagementReport.h"

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <functional>

class QCheckBox;
class QProgressBar;
class QPushButton;

class Form_mg : public QDialog {
    Q_OBJECT
public:
    // `firmwareVersion`: of the record open in the main window (0 when none).
    explicit Form_mg(int firmwareVersion, QWidget *parent = nullptr);

    // The open dialog; an empty name means cancelled.
    std::function<QString()> askFileName;
    std::function<void(QMessageBox::Icon, const QString &)> tell;
    // Shows the written workbook to the user.
    std::function<void(const QString &)> openWorkbook;

    void Command1_Click();

private:
    int m_firmwareVersion;
    QPushButton *Command1 = nullptr;
    QCheckBox *Check_detail = nullptr;
    QCheckBox *Check_time = nullptr;
    QCheckBox *Check_speed = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};
