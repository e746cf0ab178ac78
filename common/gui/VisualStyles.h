#pragma once
// The visual styles of the "界面风格" menu. Each name is Fusion with a palette of
// its own, except "Windows", which is the platform's own style.

#include <QString>

#include <array>

struct VisualStyle {
    QString caption;  // the menu item
    QString name;     // what setting "PlayerStyle" remembers
};

const std::array<VisualStyle, 9> &visualStyles();

// Sets the application's style; false (and nothing changed) for an unknown name.
bool applyVisualStyle(const QString &name);
