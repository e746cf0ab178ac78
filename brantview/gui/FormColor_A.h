#pragma once
// "A超颜色调整": the A-scan's axis colour, wave colour and axis line width. Every
// change is stored at once and reported through `changed`, which rewrites
// "parm.dat" and redraws the A-scan view in use.

#include "ColourSwatch.h"

#include "recording/BrantSettings.h"

#include <QDialog>

#include <functional>

class QLabel;
class QScrollBar;

class FormColor_A : public QDialog {
    Q_OBJECT
public:
    FormColor_A(brantview::BrantSettings &settings, std::function<void()> changed, QWidget *parent = nullptr);

    // Replaced by the tests; the platform's colour dialog otherwise.
    ColourChooser chooseColour;

private:
    void Label_color_Click(ColourSwatch *swatch, int32_t &colour);

    brantview::BrantSettings &m_settings;
    std::function<void()> m_changed;

    ColourSwatch *Label_color_xy = nullptr;
    ColourSwatch *Label_color_wave = nullptr;
    QScrollBar *HScroll_xy = nullptr;
    QLabel *m_widthValue = nullptr;
};
