// The toolkit's dialog texts in Chinese once its translation is installed.

#include "common/gui/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(ToolkitTranslation, DialogButtonsSpeakChinese)
{
    ASSERT_TRUE(installToolkitTranslation()) << "qt6-translations-l10n is not installed";
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                             | QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
    EXPECT_TRUE(buttons.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
}

} // namespace
