// "A超颜色调整": the A-scan's colours from the colour dialog, a cancelled dialog
// changing nothing, and the axis width bar.

#include "FormColor_A.h"

#include "SettingsChanges.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(AScanColourWindow, StoresChosenColoursAndTheAxisWidth)
{
    SettingsChanges changes;
    changes.settings.AScanAxisWidth = 4;
    FormColor_A window(changes.settings, changes.callback());
    std::optional<int32_t> chosen;
    window.chooseColour = [&chosen](int32_t) { return chosen; };
    EXPECT_EQ(window.windowTitle(), QStringLiteral("A超颜色调整"));
    EXPECT_TRUE(window.isModal());

    auto *axis = child<ColourSwatch>(window, "Label_color_xy");
    auto *wave = child<ColourSwatch>(window, "Label_color_wave");
    auto *width = child<QScrollBar>(window, "HScroll_xy");
    EXPECT_EQ(axis->colour(), changes.settings.AScanAxisColour);
    EXPECT_EQ(wave->colour(), changes.settings.AScanWaveColour);
    EXPECT_EQ(width->minimum(), 1);
    EXPECT_EQ(width->maximum(), 10);
    EXPECT_EQ(width->value(), 4);

    const BrantSettings before = changes.settings;
    axis->click();
    wave->click();
    EXPECT_EQ(changes.settings, before) << "cancelled";
    EXPECT_TRUE(changes.reported.empty());

    chosen = packedColour(0, 128, 255);
    wave->click();
    ASSERT_EQ(changes.reported.size(), 1u);
    EXPECT_EQ(changes.reported.back().AScanWaveColour, *chosen);
    EXPECT_EQ(changes.reported.back().AScanAxisColour, before.AScanAxisColour);
    EXPECT_EQ(wave->colour(), *chosen);

    width->setValue(9);
    ASSERT_EQ(changes.reported.size(), 2u);
    EXPECT_EQ(changes.reported.back().AScanAxisWidth, 9);
}

}  // namespace
