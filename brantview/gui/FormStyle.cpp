#include "FormStyle.h"

#include "SettingsWidgets.h"

#include "viewer/DisplaySettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace brantview;

namespace {

QCheckBox *checkBox(const char *name, const QString &text, bool checked)
{
    auto *box = named(new QCheckBox(text), name);
    box->setChecked(checked);
    return box;
}

QScrollBar *minRunBar(const char *name, SettingRange<int16_t> range, int16_t value)
{
    return settingBar(name, range.min, range.max, range.clamp(value));
}

}  // namespace

FormStyle::FormStyle(BrantSettings &settings, std::function<void()> changed, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("FormStyle"));
    setWindowTitle(QStringLiteral("数据显示与过滤设置"));
    setModal(true);

    Check_70 = checkBox("Check_70", QStringLiteral("70°探头"), settings.Show70);
    Check_37 = checkBox("Check_37", QStringLiteral("37°探头"), settings.Show37);
    Check_0 = checkBox("Check_0", QStringLiteral("0°探头"), settings.Show0);
    HScroll_70 = minRunBar("HScroll_70", SettingRanges::MinRun70, settings.MinRun70);
    HScroll_37 = minRunBar("HScroll_37", SettingRanges::MinRun37, settings.MinRun37);
    HScroll_0 = minRunBar("HScroll_0", SettingRanges::MinRun0, settings.MinRun0);
    Label_70 = named(new QLabel(minRunText(HScroll_70->value())), "Label_70");
    Label_37 = named(new QLabel(minRunText(HScroll_37->value())), "Label_37");
    Label_0 = named(new QLabel(minRunText(HScroll_0->value())), "Label_0");
    Check_0Lost = checkBox("Check_0Lost", QStringLiteral("忽略0度失波"), settings.IgnoreZeroLoss);
    Check_0Sec = checkBox("Check_0Sec", QStringLiteral("不画迟到波"), settings.SkipLateEcho);
    OptionTBMode = {option("OptionTBMode0", QStringLiteral("同时探伤"), settings.SyncMode),
                    option("OptionTBMode1", QStringLiteral("第2文件为参考"), !settings.SyncMode)};
    OptionGPS = {option("OptionGPS0", QStringLiteral("度分秒显示"), settings.GpsDms),
                 option("OptionGPS1", QStringLiteral("度显示"), !settings.GpsDms)};
    showMinRunBars();

    auto *filters = new QGridLayout;
    const std::array<std::array<QWidget *, 3>, 3> rows{
        {{Check_70, HScroll_70, Label_70}, {Check_37, HScroll_37, Label_37}, {Check_0, HScroll_0, Label_0}}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            filters->addWidget(rows[size_t(row)][size_t(column)], row, column);
    filters->setColumnStretch(1, 1);
    // The run label keeps its room for two digits.
    Label_0->setMinimumWidth(Label_0->fontMetrics().horizontalAdvance(minRunText(20)));

    auto *zeroOptions = new QHBoxLayout;
    zeroOptions->addWidget(Check_0Lost);
    zeroOptions->addWidget(Check_0Sec);
    zeroOptions->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(zeroOptions);
    layout->addWidget(optionPair(QStringLiteral("同步方式"), OptionTBMode));
    layout->addWidget(optionPair(QString(), OptionGPS));
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(Check_70, &QCheckBox::clicked, this, [this](bool checked) { Check_Click(m_settings.Show70, checked); });
    connect(Check_37, &QCheckBox::clicked, this, [this](bool checked) { Check_Click(m_settings.Show37, checked); });
    connect(Check_0, &QCheckBox::clicked, this, [this](bool checked) { Check_Click(m_settings.Show0, checked); });
    connect(HScroll_70, &QScrollBar::valueChanged, this,
            [this](int value) { HScroll_Change(m_settings.MinRun70, Label_70, value); });
    connect(HScroll_37, &QScrollBar::valueChanged, this,
            [this](int value) { HScroll_Change(m_settings.MinRun37, Label_37, value); });
    connect(HScroll_0, &QScrollBar::valueChanged, this,
            [this](int value) { HScroll_Change(m_settings.MinRun0, Label_0, value); });
    // While a bar is dragged its label follows; the value is stored on release.
    for (auto [bar, label] : {std::pair{HScroll_70, Label_70}, {HScroll_37, Label_37}, {HScroll_0, Label_0}})
        connect(bar, &QScrollBar::sliderMoved, label, [label](int value) { label->setText(minRunText(value)); });
    connect(Check_0Lost, &QCheckBox::clicked, this, [this](bool checked) {
        m_settings.IgnoreZeroLoss = checked;
        m_changed();
    });
    connect(Check_0Sec, &QCheckBox::clicked, this, [this](bool checked) {
        m_settings.SkipLateEcho = checked;
        m_changed();
    });
    connect(OptionTBMode[0], &QRadioButton::toggled, this, [this](bool simultaneous) {
        m_settings.SyncMode = simultaneous;
        m_changed();
    });
    connect(OptionGPS[0], &QRadioButton::toggled, this, [this](bool dms) {
        m_settings.GpsDms = dms;
        m_changed();
    });

    placeOnScreen(this, 100, 6200);
}

void FormStyle::showMinRunBars()
{
    const MinRunBarsEnabled enabled = minRunBarsEnabled(m_settings);
    HScroll_70->setEnabled(enabled.bar70);
    HScroll_37->setEnabled(enabled.bar37);
    HScroll_0->setEnabled(enabled.bar0);
}

void FormStyle::Check_Click(bool &shown, bool checked)
{
    shown = checked;
    showMinRunBars();
    m_changed();
}

void FormStyle::HScroll_Change(int16_t &minRun, QLabel *label, int value)
{
    minRun = int16_t(value);
    label->setText(minRunText(value));
    m_changed();
}
