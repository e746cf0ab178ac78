#include "SettingsWidgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int TwipsPerPixel = 15;
}

QScrollBar *settingBar(const char *name, int min, int max, int value)
{
    auto *bar = named(new QScrollBar(Qt::Horizontal), name);
    bar->setRange(min, max);
    bar->setPageStep(std::max(1, (max - min) / 10));
    bar->setValue(value);
    bar->setTracking(false);
    bar->setMinimumWidth(160);
    return bar;
}

QRadioButton *option(const char *name, const QString &text, bool checked)
{
    auto *button = named(new QRadioButton(text), name);
    button->setChecked(checked);
    return button;
}

QGroupBox *optionPair(const QString &caption, const std::array<QRadioButton *, 2> &options)
{
    auto *frame = new QGroupBox(caption);
    auto *layout = new QHBoxLayout(frame);
    for (QRadioButton *button : options)
        layout->addWidget(button);
    layout->addStretch();
    return frame;
}

void placeOnScreen(QWidget *window, int leftTwips, int topTwips)
{
    window->adjustSize();
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const int left = std::clamp(area.left() + leftTwips / TwipsPerPixel, area.left(),
                                std::max(area.left(), area.right() - size.width()));
    const int top = std::clamp(area.top() + topTwips / TwipsPerPixel, area.top(),
                               std::max(area.top(), area.bottom() - size.height()));
    window->move(left, top);
}
