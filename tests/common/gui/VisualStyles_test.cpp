// Every one of the nine looks keeps every text readable: the text colours against
// the colours the toolkit draws them on, the menu bar's text on the window colour
// among them, and disabled texts told apart from the others.

#include "common/gui/VisualStyles.h"

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <cmath>

namespace {

double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The contrast ratio of the web's accessibility guidelines: 1 (none) to 21.
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(VisualStyles, EveryTextReadsOnItsBackgroundInEveryStyle)
{
    const QPalette before = QApplication::palette();
    for (const VisualStyle &style : visualStyles()) {
        SCOPED_TRACE(style.name.toStdString());
        ASSERT_TRUE(applyVisualStyle(style.name));
        const QPalette p = QApplication::palette();
        const struct {
            const char *what;
            QPalette::ColorRole text, background;
            double least;
        } pairs[] = {
            {"window text", QPalette::WindowText, QPalette::Window, 4.5},
            {"button text", QPalette::ButtonText, QPalette::Button, 4.5},
            {"menu bar text", QPalette::ButtonText, QPalette::Window, 4.5},
            {"tab page text", QPalette::WindowText, QPalette::Button, 4.5},
            {"list text", QPalette::Text, QPalette::Base, 4.5},
            {"selected text", QPalette::HighlightedText, QPalette::Highlight, 3.0},
        };
        for (const auto &pair : pairs)
            EXPECT_GE(contrast(p.color(QPalette::Active, pair.text), p.color(QPalette::Active, pair.background)),
                      pair.least)
                << pair.what;
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            const QColor disabled = p.color(QPalette::Disabled, role);
            EXPECT_GE(contrast(disabled, p.color(QPalette::Disabled, QPalette::Window)), 2.0) << role;
            EXPECT_GE(contrast(disabled, p.color(QPalette::Active, role)), 1.5) << role;
        }
    }
    QApplication::setPalette(before);
}

} // namespace
