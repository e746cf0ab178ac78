#include "VisualStyles.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

const QString PlatformStyleName = QStringLiteral("Windows");

struct Scheme {
    QColor window, base, button, text, buttonText, highlight;
};

// Disabled texts halfway to the window colour: told apart from the others, still read.
void dimDisabledTexts(QPalette &p)
{
    const QColor text = p.color(QPalette::Active, QPalette::WindowText);
    const QColor window = p.color(QPalette::Active, QPalette::Window);
    const QColor dimmed = QColor::fromRgbF((text.redF() + window.redF()) / 2, (text.greenF() + window.greenF()) / 2,
                                           (text.blueF() + window.blueF()) / 2);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimmed);
}

QPalette palette(const Scheme &s)
{
    // Light, dark and mid shades are derived from the button colour.
    QPalette p(s.button, s.window);
    p.setColor(QPalette::WindowText, s.text);
    p.setColor(QPalette::Base, s.base);
    p.setColor(QPalette::AlternateBase, s.window);
    p.setColor(QPalette::Text, s.text);
    p.setColor(QPalette::PlaceholderText, s.text.darker(150));
    p.setColor(QPalette::Button, s.button);
    p.setColor(QPalette::ButtonText, s.buttonText);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, s.highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, s.base);
    p.setColor(QPalette::ToolTipText, s.text);
    dimDisabledTexts(p);
    return p;
}

const Scheme *schemeOf(const QString &name)
{
    struct Named {
        const char *name;
        Scheme scheme;
    };
    static const Named schemes[] = {
        {"Carbon", {"#3a3a3a", "#2b2b2b", "#4a4a4a", "#e0e0e0", "#e0e0e0", "#707070"}},
        {"Glow", {"#3b4a5a", "#2e3a47", "#4a5d70", "#e6eef5", "#e6eef5", "#2f79a8"}},
        // The flat colour styles: light buttons in the style's tint, its strong colour
        // for what is selected. A strong button colour would also fill menu bars and
        // tab pages, where the toolkit writes the window's text colour on it.
        {"Metropolis UI Blue", {"#eef3f8", "#ffffff", "#cfe0f3", "#1a1a1a", "#1a1a1a", "#2b78c5"}},
        {"Metropolis UI Black", {"#1f1f1f", "#2a2a2a", "#333333", "#f0f0f0", "#f0f0f0", "#2b78c5"}},
        {"Metropolis UI Green", {"#eef6ee", "#ffffff", "#d3ead3", "#1a1a1a", "#1a1a1a", "#3c9a3c"}},
        {"Metropolis UI Dark", {"#000000", "#111111", "#222222", "#f0f0f0", "#f0f0f0", "#444444"}},
        {"Smokey Quartz Kamri", {"#e6e4e1", "#fbfaf8", "#d6d3cf", "#303030", "#303030", "#8a8580"}},
        {"TabletDark", {"#1e2a3a", "#16202c", "#2a3b50", "#e8eef4", "#e8eef4", "#3d7ab8"}},
    };
    for (const Named &n : schemes)
        if (name == QLatin1String(n.name))
            return &n.scheme;
    return nullptr;
}

// The style the application started with, before any of ours replaced it.
const QString &platformStyle()
{
    static const QString name = QApplication::style()->name();
    return name;
}

} // namespace

const std::array<VisualStyle, 9> &visualStyles()
{
    static const std::array<VisualStyle, 9> styles{{
        {QStringLiteral("黑灰"), QStringLiteral("Carbon")},
        {QStringLiteral("蓝灰"), QStringLiteral("Glow")},
        {QStringLiteral("蓝色扁平"), QStringLiteral("Metropolis UI Blue")},
        {QStringLiteral("黑色扁平"), QStringLiteral("Metropolis UI Black")},
        {QStringLiteral("绿色扁平"), QStringLiteral("Metropolis UI Green")},
        {QStringLiteral("纯黑扁平"), QStringLiteral("Metropolis UI Dark")},
        {QStringLiteral("灰白"), QStringLiteral("Smokey Quartz Kamri")},
        {QStringLiteral("深蓝"), QStringLiteral("TabletDark")},
        {QStringLiteral("简洁白色"), PlatformStyleName},
    }};
    return styles;
}

bool applyVisualStyle(const QString &name)
{
    const QString &platform = platformStyle();
    if (name == PlatformStyleName) {
        QApplication::setStyle(platform);
        QPalette standard = QApplication::style()->standardPalette();
        dimDisabledTexts(standard);
        QApplication::setPalette(standard);
        return true;
    }
    const Scheme *scheme = schemeOf(name);
    if (!scheme)
        return false;
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(palette(*scheme));
    return true;
}
