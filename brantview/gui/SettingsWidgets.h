#pragma once
// The controls the display settings windows are built of, named as the instrument's
// program names them so that the main window and the tests can find them, and the
// spot on the screen where such a window opens.

#include <QString>

#include <array>

class QGroupBox;
class QRadioButton;
class QScrollBar;
class QWidget;

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A horizontal bar that stores a drag once, when it is let go.
QScrollBar *settingBar(const char *name, int min, int max, int value);

QRadioButton *option(const char *name, const QString &text, bool checked);

// Two option buttons side by side in a frame; they exclude each other.
QGroupBox *optionPair(const QString &caption, const std::array<QRadioButton *, 2> &options);

// Moves `window` to a spot given in twips from the screen's corner, kept inside the screen.
void placeOnScreen(QWidget *window, int leftTwips, int topTwips);
