#pragma once
// "数据显示与过滤设置": which channel families take part in the stepping filter and
// their minimum runs, the 0° options, how two files step together and how GPS
// coordinates are written. Every change is stored at once and reported through
// `changed`, which rewrites "parm.dat" and redraws the view.

#include "recording/BrantSettings.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollBar;

class FormStyle : public QDialog {
    Q_OBJECT
public:
    FormStyle(brantview::BrantSettings &settings, std::function<void()> changed, QWidget *parent = nullptr);

private:
    void Check_Click(bool &shown, bool checked);
    void HScroll_Change(int16_t &minRun, QLabel *label, int value);
    void showMinRunBars();

    brantview::BrantSettings &m_settings;
    std::function<void()> m_changed;

    QCheckBox *Check_70 = nullptr;
    QCheckBox *Check_37 = nullptr;
    QCheckBox *Check_0 = nullptr;
    QScrollBar *HScroll_70 = nullptr;
    QScrollBar *HScroll_37 = nullptr;
    QScrollBar *HScroll_0 = nullptr;
    QLabel *Label_70 = nullptr;
    QLabel *Label_37 = nullptr;
    QLabel *Label_0 = nullptr;
    QCheckBox *Check_0Lost = nullptr;
    QCheckBox *Check_0Sec = nullptr;
    std::array<QRadioButton *, 2> OptionTBMode{};
    std::array<QRadioButton *, 2> OptionGPS{};
};
