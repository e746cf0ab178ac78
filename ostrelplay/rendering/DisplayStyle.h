#pragma once
// How recordings are drawn: colours, sizes, the window along the rail and the
// switches of the B-scan, as one value. The settings memory keeps one and every
// open slot draws with a copy of it, so a change reaches a slot by one assignment
// and an unchanged frame is found by one comparison.

#include <QColor>

#include <array>
#include <cstdint>

// The colour scheme: ten channels (1..6, 1A, 2A, 3A, lost wave), background,
// frame, text, sign.
constexpr int ColourCount = 14;
using ColourScheme = std::array<QColor, ColourCount>;
ColourScheme factoryColourScheme();

struct DisplayStyle {
    QColor color_background = factoryColourScheme()[10];
    QColor color_frame = factoryColourScheme()[11];
    std::array<QColor, 10> color_channel = factoryChannelColours();
    QColor color_text = factoryColourScheme()[12];
    QColor color_sign = factoryColourScheme()[13];
    std::array<bool, 10> channelhide{};  // a hidden channel is drawn in the background colour
    int32_t font_size = 8;
    int32_t sign_size = 4;
    int32_t std_OIMG_Width = 3000;  // mm of rail the B-scan window shows
    int32_t std_bshowmode = 0;      // 0: rows up to the current one; 1: also the rows after it
    int32_t DocSize = 3;            // pen width of echo marks
    int32_t LineWidth = 2;          // pen width of the band lines
    bool std_SpeedShow = true;
    bool std_ColorShow = false;
    bool WidthCompress = true;
    std::array<int32_t, 10> ChannelFilter{};  // minimum run length per channel

    bool operator==(const DisplayStyle &) const = default;

    ColourScheme colourScheme() const;
    void setColourScheme(const ColourScheme &colours);

private:
    static std::array<QColor, 10> factoryChannelColours();
};

// Colours are stored as 0x00BBGGRR: red in the lowest byte.
QColor colourFromValue(int32_t value);
int32_t colourValue(const QColor &colour);
