#include "FormColor.h"

#include "SettingsWidgets.h"

#include "recording/RecordingErrors.h"
#include "viewer/DisplaySettings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace brantview;

namespace {

constexpr std::array<const char *, 11> ColourNames{"LabelColor0", "LabelColor1", "LabelColor2", "LabelColor3",
                                                   "LabelColor4", "LabelColor5", "LabelColor6", "LabelColor7",
                                                   "LabelColor8", "LabelColor9", "LabelColor10"};
constexpr std::array<const char *, 9> OffsetBarNames{"HScroll1", "HScroll2",  "HScroll3",  "HScroll4", "HScroll5",
                                                     "HScroll6", "HScroll1A", "HScroll2A", "HScroll6A"};
constexpr std::array<const char *, 9> ChannelTitles{"1:", "2:", "3:", "4:", "5:", "6:", "1A:", "2A:", "6A:"};

const std::array<QString, 11> &colourTitles()
{
    static const std::array<QString, 11> titles{QStringLiteral("1:"),
                                                QStringLiteral("2:"),
                                                QStringLiteral("3:"),
                                                QStringLiteral("4:"),
                                                QStringLiteral("5通道0°颜色："),
                                                QStringLiteral("6:"),
                                                QStringLiteral("1A:"),
                                                QStringLiteral("2A:"),
                                                QStringLiteral("6A:"),
                                                QStringLiteral("背景色"),
                                                QStringLiteral("前景和辅助线颜色")};
    return titles;
}

}  // namespace

FormColor::FormColor(BrantSettings &settings, OffsetTable &offsets, QString offsetTablePath, const OffsetTarget &target,
                     bool spliceOn, std::function<void()> changed, QWidget *parent)
    : QDialog(parent), chooseColour(colourDialogChooser(this)),
      warn([this](const QString &message) { QMessageBox::warning(this, windowTitle(), message); }),
      m_settings(settings), m_offsets(offsets), m_offsetTablePath(std::move(offsetTablePath)), m_target(target),
      m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("FormColor"));
    setWindowTitle(QStringLiteral("拼图设置"));
    setModal(false);

    auto *colours = new QGridLayout;
    for (int index = 0; index < int(LabelColor.size()); ++index) {
        LabelColor[size_t(index)] = named(new ColourSwatch(colourSetting(index)), ColourNames[size_t(index)]);
        // Channels fill the first column; background and foreground stand apart below.
        const int row = index < 9 ? index : index + 1;
        colours->addWidget(new QLabel(colourTitles()[size_t(index)]), row, 0);
        colours->addWidget(LabelColor[size_t(index)], row, 1);
        connect(LabelColor[size_t(index)], &ColourSwatch::clicked, this, [this, index] { LabelColor_Click(index); });
    }
    colours->setRowMinimumHeight(9, fontMetrics().height() / 2);
    auto *reset = named(new QPushButton(QStringLiteral("复位到仪器颜色")), "Command_Color_Reset");
    connect(reset, &QPushButton::clicked, this, &FormColor::Command_Color_Reset_Click);
    auto *colourColumn = new QVBoxLayout;
    colourColumn->addLayout(colours);
    colourColumn->addWidget(reset);
    colourColumn->addStretch();

    m_offsetFrame = new QGroupBox(QStringLiteral("拼图位置调整"));
    auto *offsetGrid = new QGridLayout(m_offsetFrame);
    const QString widestValue = QString::number(SettingRanges::ChannelOffset.min);
    for (int channel = 0; channel < 9; ++channel) {
        QScrollBar *bar = settingBar(OffsetBarNames[size_t(channel)], SettingRanges::ChannelOffset.min,
                                     SettingRanges::ChannelOffset.max, 0);
        bar->setSingleStep(1);
        bar->setMinimumWidth(220);
        HScroll[size_t(channel)] = bar;
        auto *value = new QLabel;
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(widestValue + QLatin1Char(' ')));
        m_offsetValues[size_t(channel)] = value;
        offsetGrid->addWidget(new QLabel(QString::fromLatin1(ChannelTitles[size_t(channel)])), channel, 0);
        offsetGrid->addWidget(bar, channel, 1);
        offsetGrid->addWidget(value, channel, 2);
        connect(bar, &QScrollBar::valueChanged, this, [this, channel](int offset) { HScroll_Change(channel, offset); });
        connect(bar, &QScrollBar::sliderMoved, value, [value](int offset) { value->setNum(offset); });
    }
    offsetGrid->setColumnStretch(1, 1);
    showOffsets();
    setOffsetsEnabled(spliceOn);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(colourColumn);
    layout->addWidget(m_offsetFrame, 1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    placeOnScreen(this, 100, 6200);
}

int32_t &FormColor::colourSetting(int index)
{
    if (index == 9)
        return m_settings.BackColour;
    if (index == 10)
        return m_settings.ForeColour;
    return m_settings.ChannelColour[size_t(index)];
}

void FormColor::showColours()
{
    for (int index = 0; index < int(LabelColor.size()); ++index)
        LabelColor[size_t(index)]->setColour(colourSetting(index));
}

void FormColor::showOffsets()
{
    m_showingOffsets = true;
    const ChannelValues &offsets = m_settings.ChannelOffsets[size_t(m_target.slot)];
    for (size_t channel = 0; channel < HScroll.size(); ++channel) {
        HScroll[channel]->setValue(offsets[channel]);
        m_offsetValues[channel]->setNum(HScroll[channel]->value());
    }
    m_showingOffsets = false;
}

void FormColor::setOffsetTarget(const OffsetTarget &target)
{
    m_target = target;
    showOffsets();
}

void FormColor::setOffsetsEnabled(bool spliceOn)
{
    // The whole frame greys, so that the read-outs show the offsets are not in use.
    m_offsetFrame->setEnabled(spliceOn);
}

void FormColor::LabelColor_Click(int index)
{
    const std::optional<int32_t> chosen = chooseColour(colourSetting(index));
    if (!chosen)
        return;
    colourSetting(index) = SettingRanges::Colour.clamp(*chosen);
    LabelColor[size_t(index)]->setColour(colourSetting(index));
    m_changed();
}

void FormColor::Command_Color_Reset_Click()
{
    ResetToInstrumentColours(m_settings);
    showColours();
    m_changed();
}

void FormColor::HScroll_Change(int channel, int value)
{
    m_offsetValues[size_t(channel)]->setNum(value);
    if (m_showingOffsets)
        return;
    ChannelValues &offsets = m_settings.ChannelOffsets[size_t(m_target.slot)];
    offsets[size_t(channel)] = value;
    StoreChannelOffsets(m_offsets, m_target.serialKey, m_target.selection, offsets);
    m_changed();
}

void FormColor::done(int result)
{
    if (OffsetSaveDue(m_offsets)) {
        try {
            SaveOffsetTable(m_offsetTablePath, m_offsets);
        } catch (const BrantFileError &e) {
            warn(e.text());
        }
    }
    QDialog::done(result);
}
