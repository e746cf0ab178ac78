#include "Form_line.h"

#include "SettingsWidgets.h"

#include "viewer/DisplaySettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace brantview;

namespace {
constexpr int FishScaleLines = 0;  // line type of `Combo1_linetype`
}

Form_line::Form_line(BrantSettings &settings, std::function<void()> changed, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("Form_line"));
    setWindowTitle(QStringLiteral("辅助线设置"));
    setModal(true);

    Combo1_linetype = named(new QComboBox, "Combo1_linetype");
    Combo1_linetype->addItem(QStringLiteral("鱼鳞纹辅助线"));
    Combo1_linetype->setCurrentIndex(FishScaleLines);

    OptionLineDis = {option("OptionLineDis0", QStringLiteral("打开"), settings.FishScaleLinesOn),
                     option("OptionLineDis1", QStringLiteral("关闭"), !settings.FishScaleLinesOn)};
    QGroupBox *frame = optionPair(QStringLiteral("鱼鳞纹辅助线显示"), OptionLineDis);

    Slider1 = named(new QSlider(Qt::Horizontal), "Slider1");
    Slider1->setRange(FishScaleSliderRange.min, FishScaleSliderRange.max);
    Slider1->setPageStep(10);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(20);
    Slider1->setValue(fishScaleSliderValue(settings.FishScaleSpacing));
    Slider1->setTracking(false);
    Slider1->setMinimumWidth(240);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Combo1_linetype);
    layout->addWidget(frame);
    layout->addWidget(Slider1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(OptionLineDis[0], &QRadioButton::toggled, this, &Form_line::OptionLineDis_Click);
    connect(Slider1, &QSlider::valueChanged, this, &Form_line::Slider1_Click);
}

void Form_line::OptionLineDis_Click(bool linesOn)
{
    if (Combo1_linetype->currentIndex() != FishScaleLines)
        return;
    m_settings.FishScaleLinesOn = linesOn;
    m_changed();
}

void Form_line::Slider1_Click(int value)
{
    m_settings.FishScaleSpacing = fishScaleSpacingOf(value);
    m_changed();
}
