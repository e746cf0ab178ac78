#include "DisplayStyle.h"

#include <algorithm>

namespace {

constexpr int BackgroundIndex = 10, FrameIndex = 11, TextIndex = 12, SignIndex = 13;

constexpr std::array<int32_t, ColourCount> kFactoryColourValues{
    15632384, 65280, 8942, 15632384, 65280, 8942, 15632384, 65280, 8942, 8942,
    6966785, 6908265, 6908265, 6908265};

} // namespace

QColor colourFromValue(int32_t value)
{
    const uint32_t bits = uint32_t(value);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

int32_t colourValue(const QColor &colour)
{
    return int32_t(uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16);
}

ColourScheme factoryColourScheme()
{
    ColourScheme colours;
    std::transform(kFactoryColourValues.begin(), kFactoryColourValues.end(), colours.begin(), colourFromValue);
    return colours;
}

std::array<QColor, 10> DisplayStyle::factoryChannelColours()
{
    const ColourScheme scheme = factoryColourScheme();
    std::array<QColor, 10> colours;
    std::copy_n(scheme.begin(), colours.size(), colours.begin());
    return colours;
}

ColourScheme DisplayStyle::colourScheme() const
{
    ColourScheme colours;
    std::copy(color_channel.begin(), color_channel.end(), colours.begin());
    colours[BackgroundIndex] = color_background;
    colours[FrameIndex] = color_frame;
    colours[TextIndex] = color_text;
    colours[SignIndex] = color_sign;
    return colours;
}

void DisplayStyle::setColourScheme(const ColourScheme &colours)
{
    std::copy_n(colours.begin(), color_channel.size(), color_channel.begin());
    color_background = colours[BackgroundIndex];
    color_frame = colours[FrameIndex];
    color_text = colours[TextIndex];
    color_sign = colours[SignIndex];
}
