#pragma once
// The settings a display settings window works on, and what they held each time the
// window reported a change: a report must come once per change, after the store.

#include "recording/BrantSettings.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

struct SettingsChanges {
    brantview::BrantSettings settings;
    std::vector<brantview::BrantSettings> reported;

    std::function<void()> callback()
    {
        return [this] { reported.push_back(settings); };
    }
};

template <typename Widget>
Widget *child(const QWidget &window, const char *name)
{
    return window.findChild<Widget *>(QString::fromLatin1(name));
}
