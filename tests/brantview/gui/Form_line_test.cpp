// "辅助线设置": the fish-scale lines switched on and off, and the slider that counts
// half steps of their spacing.

#include "Form_line.h"

#include "SettingsChanges.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(GuideLineWindow, ShowsTheLinesAndStoresEachChange)
{
    SettingsChanges changes;
    changes.settings.FishScaleSpacing = 13;
    changes.settings.FishScaleLinesOn = false;
    Form_line window(changes.settings, changes.callback());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("辅助线设置"));

    auto *type = child<QComboBox>(window, "Combo1_linetype");
    auto *on = child<QRadioButton>(window, "OptionLineDis0");
    auto *off = child<QRadioButton>(window, "OptionLineDis1");
    auto *slider = child<QSlider>(window, "Slider1");
    EXPECT_EQ(type->currentIndex(), 0);
    EXPECT_EQ(type->currentText(), QStringLiteral("鱼鳞纹辅助线"));
    EXPECT_EQ(qobject_cast<QGroupBox *>(on->parentWidget())->title(), QStringLiteral("鱼鳞纹辅助线显示"));
    EXPECT_EQ(on->text(), QStringLiteral("打开"));
    EXPECT_EQ(off->text(), QStringLiteral("关闭"));
    EXPECT_TRUE(off->isChecked());
    EXPECT_EQ(slider->value(), 26);
    EXPECT_EQ(slider->minimum(), 2);
    EXPECT_EQ(slider->maximum(), 200);
    EXPECT_TRUE(changes.reported.empty());

    on->click();
    ASSERT_EQ(changes.reported.size(), 1u);
    EXPECT_TRUE(changes.reported.back().FishScaleLinesOn);

    for (auto [value, spacing] : {std::pair{5, 2}, {7, 4}, {40, 20}}) {
        const size_t before = changes.reported.size();
        slider->setValue(value);
        ASSERT_EQ(changes.reported.size(), before + 1) << value;
        EXPECT_EQ(changes.reported.back().FishScaleSpacing, spacing) << value;
    }

    off->click();
    EXPECT_FALSE(changes.settings.FishScaleLinesOn);
}

}  // namespace
