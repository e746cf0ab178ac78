#pragma once
// "辅助线设置": the fish-scale guide lines, on or off, and their spacing. Every change
// is stored at once and reported through `changed`, which rewrites "parm.dat" and
// redraws the view.

#include "recording/BrantSettings.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QRadioButton;
class QSlider;

class Form_line : public QDialog {
    Q_OBJECT
public:
    Form_line(brantview::BrantSettings &settings, std::function<void()> changed, QWidget *parent = nullptr);

private:
    void OptionLineDis_Click(bool linesOn);
    void Slider1_Click(int value);

    brantview::BrantSettings &m_settings;
    std::function<void()> m_changed;

    QComboBox *Combo1_linetype = nullptr;
    std::array<QRadioButton *, 2> OptionLineDis{};
    QSlider *Slider1 = nullptr;
};
