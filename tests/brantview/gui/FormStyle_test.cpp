// "数据显示与过滤设置": the window shows the stored filter settings, stores each change
// at once and reports it once; a family switched off keeps its minimum run.

#include "FormStyle.h"

#include "SettingsChanges.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

BrantSettings filterSettings()
{
    BrantSettings settings;
    settings.MinRun70 = 4;
    settings.MinRun37 = 6;
    settings.MinRun0 = 15;
    settings.Show37 = false;
    settings.SyncMode = true;
    settings.GpsDms = false;
    settings.IgnoreZeroLoss = true;
    return settings;
}

class FilterWindow : public ::testing::Test {
protected:
    QScrollBar *bar(const char *name) { return child<QScrollBar>(window, name); }
    QCheckBox *check(const char *name) { return child<QCheckBox>(window, name); }
    QRadioButton *option(const char *name) { return child<QRadioButton>(window, name); }
    QString label(const char *name) { return child<QLabel>(window, name)->text(); }

    SettingsChanges changes{filterSettings(), {}};
    FormStyle window{changes.settings, changes.callback()};
};

TEST_F(FilterWindow, ShowsTheStoredValuesWithoutReporting)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("数据显示与过滤设置"));
    EXPECT_TRUE(window.isModal());
    const struct {
        const char *check;
        QString text;
        bool checked;
        const char *bar;
        int min, max, value;
        const char *label;
        QString labelText;
    } families[] = {
        {"Check_70", QStringLiteral("70°探头"), true, "HScroll_70", 1, 10, 4, "Label_70",
         QStringLiteral("4连续点以上")},
        {"Check_37", QStringLiteral("37°探头"), false, "HScroll_37", 1, 10, 6, "Label_37",
         QStringLiteral("6连续点以上")},
        {"Check_0", QStringLiteral("0°探头"), true, "HScroll_0", 1, 20, 15, "Label_0", QStringLiteral("15连续点以上")},
    };
    for (const auto &family : families) {
        SCOPED_TRACE(family.check);
        EXPECT_EQ(check(family.check)->text(), family.text);
        EXPECT_EQ(check(family.check)->isChecked(), family.checked);
        EXPECT_EQ(bar(family.bar)->minimum(), family.min);
        EXPECT_EQ(bar(family.bar)->maximum(), family.max);
        EXPECT_EQ(bar(family.bar)->value(), family.value);
        EXPECT_EQ(bar(family.bar)->isEnabled(), family.checked);
        EXPECT_EQ(label(family.label), family.labelText);
    }
    EXPECT_TRUE(check("Check_0Lost")->isChecked());
    EXPECT_EQ(check("Check_0Lost")->text(), QStringLiteral("忽略0度失波"));
    EXPECT_FALSE(check("Check_0Sec")->isChecked());
    EXPECT_EQ(check("Check_0Sec")->text(), QStringLiteral("不画迟到波"));
    EXPECT_TRUE(option("OptionTBMode0")->isChecked());
    EXPECT_EQ(option("OptionTBMode0")->text(), QStringLiteral("同时探伤"));
    EXPECT_EQ(option("OptionTBMode1")->text(), QStringLiteral("第2文件为参考"));
    EXPECT_EQ(qobject_cast<QGroupBox *>(option("OptionTBMode0")->parentWidget())->title(), QStringLiteral("同步方式"));
    EXPECT_TRUE(option("OptionGPS1")->isChecked());
    EXPECT_EQ(option("OptionGPS0")->text(), QStringLiteral("度分秒显示"));
    EXPECT_EQ(option("OptionGPS1")->text(), QStringLiteral("度显示"));
    EXPECT_TRUE(changes.reported.empty());
}

TEST_F(FilterWindow, AFamilySwitchedOffKeepsItsMinimumRunForWhenItIsSwitchedOn)
{
    bar("HScroll_70")->setValue(7);
    ASSERT_EQ(changes.reported.size(), 1u);
    EXPECT_EQ(changes.reported.back().MinRun70, 7);
    EXPECT_EQ(label("Label_70"), QStringLiteral("7连续点以上"));

    check("Check_70")->click();
    ASSERT_EQ(changes.reported.size(), 2u);
    EXPECT_FALSE(changes.reported.back().Show70);
    EXPECT_EQ(changes.reported.back().MinRun70, 7);
    EXPECT_FALSE(bar("HScroll_70")->isEnabled());
    EXPECT_TRUE(bar("HScroll_0")->isEnabled());

    check("Check_70")->click();
    ASSERT_EQ(changes.reported.size(), 3u);
    EXPECT_TRUE(changes.reported.back().Show70);
    EXPECT_TRUE(bar("HScroll_70")->isEnabled());
    EXPECT_EQ(bar("HScroll_70")->value(), 7);
    EXPECT_EQ(changes.settings.MinRun70, 7);

    check("Check_37")->click();
    EXPECT_TRUE(changes.settings.Show37);
    EXPECT_TRUE(bar("HScroll_37")->isEnabled());
    EXPECT_EQ(changes.settings.MinRun37, 6);
}

TEST_F(FilterWindow, EachOtherControlStoresItsSettingAndReportsOnce)
{
    const struct {
        const char *name;
        std::function<bool(const BrantSettings &)> stored;
    } controls[] = {
        {"Check_0Lost", [](const BrantSettings &s) { return !s.IgnoreZeroLoss; }},
        {"Check_0Sec", [](const BrantSettings &s) { return s.SkipLateEcho; }},
        {"OptionTBMode1", [](const BrantSettings &s) { return !s.SyncMode; }},
        {"OptionTBMode0", [](const BrantSettings &s) { return s.SyncMode; }},
        {"OptionGPS0", [](const BrantSettings &s) { return s.GpsDms; }},
        {"OptionGPS1", [](const BrantSettings &s) { return !s.GpsDms; }},
    };
    for (const auto &control : controls) {
        SCOPED_TRACE(control.name);
        const size_t before = changes.reported.size();
        child<QAbstractButton>(window, control.name)->click();
        ASSERT_EQ(changes.reported.size(), before + 1);
        EXPECT_TRUE(control.stored(changes.reported.back()));
    }

    option("OptionGPS1")->click();
    EXPECT_EQ(changes.reported.size(), std::size(controls)) << "an option already chosen changes nothing";

    bar("HScroll_0")->setValue(20);
    EXPECT_EQ(changes.settings.MinRun0, 20);
    EXPECT_EQ(label("Label_0"), QStringLiteral("20连续点以上"));
    bar("HScroll_37")->setValue(11);
    EXPECT_EQ(changes.settings.MinRun37, 10) << "the bar holds its range";
}

}  // namespace
