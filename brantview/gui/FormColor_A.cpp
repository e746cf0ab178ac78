#include "FormColor_A.h"

#include "SettingsWidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>

using namespace brantview;

FormColor_A::FormColor_A(BrantSettings &settings, std::function<void()> changed, QWidget *parent)
    : QDialog(parent), chooseColour(colourDialogChooser(this)), m_settings(settings), m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("FormColor_A"));
    setWindowTitle(QStringLiteral("A超颜色调整"));
    setModal(true);

    Label_color_xy = named(new ColourSwatch(settings.AScanAxisColour), "Label_color_xy");
    Label_color_wave = named(new ColourSwatch(settings.AScanWaveColour), "Label_color_wave");
    const SettingRange<int32_t> widths = SettingRanges::AScanAxisWidth;
    HScroll_xy = settingBar("HScroll_xy", widths.min, widths.max, widths.clamp(settings.AScanAxisWidth));
    HScroll_xy->setMinimumWidth(200);
    m_widthValue = new QLabel;
    m_widthValue->setNum(HScroll_xy->value());
    m_widthValue->setMinimumWidth(m_widthValue->fontMetrics().horizontalAdvance(QString::number(widths.max)));

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("坐标颜色")), 0, 0);
    layout->addWidget(Label_color_xy, 0, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("波形颜色")), 1, 0);
    layout->addWidget(Label_color_wave, 1, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("坐标粗细")), 2, 0);
    layout->addWidget(HScroll_xy, 2, 1);
    layout->addWidget(m_widthValue, 2, 2);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(Label_color_xy, &ColourSwatch::clicked, this,
            [this] { Label_color_Click(Label_color_xy, m_settings.AScanAxisColour); });
    connect(Label_color_wave, &ColourSwatch::clicked, this,
            [this] { Label_color_Click(Label_color_wave, m_settings.AScanWaveColour); });
    connect(HScroll_xy, &QScrollBar::sliderMoved, m_widthValue, [this](int width) { m_widthValue->setNum(width); });
    connect(HScroll_xy, &QScrollBar::valueChanged, this, [this](int width) {
        m_settings.AScanAxisWidth = width;
        m_widthValue->setNum(width);
        m_changed();
    });
}

void FormColor_A::Label_color_Click(ColourSwatch *swatch, int32_t &colour)
{
    const std::optional<int32_t> chosen = chooseColour(colour);
    if (!chosen)
        return;
    colour = SettingRanges::Colour.clamp(*chosen);
    swatch->setColour(colour);
    m_changed();
}
