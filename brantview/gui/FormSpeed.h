#pragma once
// "速度统计": the overspeed statistics of the main window's current file. Modeless and
// on top; the list shows the stretches (or marks) found, the totals are printed on
// the window right of the list, and a double-click on a listed place moves the main
// window's view there.

#include "analysis/SpeedStatistics.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class FormSpeed : public QWidget {
    Q_OBJECT
public:
    using CurrentSlot = std::function<const brantview::RecordingSlot &()>;
    using MoveView = std::function<void(int32_t viewStart)>;

    FormSpeed(CurrentSlot currentSlot, MoveView moveView, QWidget *parent = nullptr);

    void Command1_Click();
    void Command2_Click();
    void ListS_DblClick();
    // What is printed right of the list.
    const QStringList &totals() const { return m_totals; }

    // Replaced by the tests; the platform's dialogs otherwise.
    std::function<void(QMessageBox::Icon icon, const QString &message)> tell;
    std::function<QString(QWidget *parent)> askFileName;  // empty: cancelled

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    brantview::SpeedStatistic selected() const;
    // The inputs of the selected statistic, or nothing after saying why it cannot run.
    std::optional<brantview::SpeedInputs> inputsToRun();
    void showReport(const brantview::SpeedReport &report);
    void TLen_Change();
    void Option_Click();
    double pointsToPixels(double points) const;

    CurrentSlot m_currentSlot;
    MoveView m_moveView;
    QStringList m_totals;

    QLineEdit *Tspeed = nullptr;
    QLineEdit *TLen = nullptr;
    QLineEdit *TextPrev = nullptr;
    QLineEdit *TextNext = nullptr;
    QLabel *Label2 = nullptr;
    QRadioButton *OptionAll = nullptr;
    QRadioButton *OptionQX = nullptr;
    QRadioButton *OptionZX = nullptr;
    QRadioButton *OptionBJ = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QListWidget *ListS = nullptr;
};
