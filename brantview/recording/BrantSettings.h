#pragma once
// Brantview's display settings: everything "parm.dat" keeps between runs (offsets,
// fonts, colours, steps, filters, window geometry, the band layout). A default-made
// value holds what a first start uses; the ranges are those of the controls that set
// each value, and a value read from the file is held within its range.

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>

namespace brantview {

template <typename T>
struct SettingRange {
    T min;
    T max;
    constexpr T clamp(T value) const { return std::clamp(value, min, max); }
};

namespace SettingRanges {
inline constexpr SettingRange<int32_t> ChannelOffset{-500, 500};
inline constexpr SettingRange<int32_t> Colour{0, 0xFFFFFF};
inline constexpr SettingRange<float> FontSize{1, 200};
inline constexpr SettingRange<int32_t> AScanAxisWidth{1, 10};
inline constexpr SettingRange<int32_t> PointSize{1, 10};
inline constexpr SettingRange<int32_t> AScanScaleValue{5, 50};  // tenths of a point per sample
inline constexpr SettingRange<int32_t> Speed{1, 100};           // the timer runs every 3000 / Speed ms
inline constexpr SettingRange<int32_t> Step{1, 32767};          // the window allows less: up to its width − 150
inline constexpr SettingRange<int16_t> MinRun70{1, 10};
inline constexpr SettingRange<int16_t> MinRun37{1, 10};
inline constexpr SettingRange<int16_t> MinRun0{1, 20};
inline constexpr SettingRange<int16_t> TraceStepInterval{10, 1000};     // ms
inline constexpr SettingRange<float> GpsWindowPosition{-30000, 30000};  // twips
inline constexpr SettingRange<float> GpsWindowWidth{1500, 30000};
inline constexpr SettingRange<float> GpsWindowHeight{1000, 30000};
inline constexpr SettingRange<int16_t> TopMargin{29, 3000};  // a margin drag stops above 28
inline constexpr SettingRange<int32_t> BandOffset{0, 3000};
inline constexpr SettingRange<int32_t> VerticalScale{1, 2};
inline constexpr SettingRange<int32_t> FishScaleSpacing{1, 100};
} // namespace SettingRanges

inline constexpr int32_t Black = 0;
inline constexpr int32_t White = 0xFFFFFF;

// Colours are packed as red + 256 × green + 65536 × blue.
constexpr int32_t packedColour(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

using ChannelValues = std::array<int32_t, 9>;  // channels 0..8: "1" … "6A"

// The instrument's channel colours ("复位到仪器颜色"); channels "5" and "2A" take the
// foreground colour in use.
constexpr ChannelValues InstrumentChannelColours(int32_t foreColour)
{
    return {packedColour(255, 0, 0),
            packedColour(0, 0, 255),
            packedColour(255, 0, 255),
            packedColour(255, 255, 0),
            foreColour,
            packedColour(0, 255, 0),
            packedColour(253, 179, 40),
            foreColour,
            packedColour(0, 255, 255)};
}

struct TextFont {
    QString Name;
    float Size = 12;
    bool Bold = false;
    bool Italic = false;

    bool operator==(const TextFont &) const = default;
};

// Top margins T by [VS − 1][slot].
using TopMargins = std::array<std::array<int16_t, 2>, 2>;

struct BrantSettings {
    // The channel offsets in effect in slot 0 and slot 1.
    std::array<ChannelValues, 2> ChannelOffsets{};

    std::array<TextFont, 2> TextFonts{TextFont{QStringLiteral("宋体"), 30, true, false},
                                      TextFont{QStringLiteral("宋体"), 12, false, false}};

    // A-scan records are drawn black on white: axes and trace must show on white.
    int32_t AScanAxisColour = Black;
    int32_t AScanWaveColour = packedColour(0, 0, 255);
    int32_t AScanAxisWidth = 3;
    int32_t AScanPointSize = 1;    // the "点大小" slider while an A-scan record is shown
    int32_t AScanScaleValue = 10;  // divided by 10: points per sample

    int32_t Reserved = 0;  // kept as the file has it; no meaning
    int32_t Speed = 20;
    int32_t AutoStep = 100;
    int32_t PointSize = 2;  // the "点大小" slider while a stream is shown
    int32_t ManualStep = 600;

    int16_t MinRun70 = 3;
    int16_t MinRun37 = 3;
    int16_t MinRun0 = 3;
    bool GpsDms = true;    // "度分秒显示"; false "度显示"
    bool SyncMode = true;  // "同时探伤"; false "第2文件为参考"

    bool Show70 = true;
    bool Show37 = true;
    bool Show0 = true;
    bool SkipLateEcho = false;    // "不画迟到波"
    bool IgnoreZeroLoss = false;  // "忽略0度失波"

    int16_t TraceStepInterval = 100;  // "A显校对" window: ms between automatic steps
    float GpsWindowLeft = 8000;       // twips
    float GpsWindowTop = 1000;
    float GpsWindowWidth = 6000;
    float GpsWindowHeight = 4500;

    ChannelValues ChannelColour = InstrumentChannelColours(White);

    // With `SecondGroupShown` off: slot 1 starts below the header line of slot 0.
    TopMargins TopMargin{{{30, 310}, {30, 540}}};
    bool HeaderBelow = false;
    // B0 (37° and 18° band), B1 (0° band) by [VS − 1].
    std::array<std::array<int32_t, 2>, 2> BandOffset{{{50, 150}, {100, 290}}};
    int32_t VS = 1;

    // With `SecondGroupShown` on, B2 (the second group) lies between B0 and B1.
    TopMargins SecondGroupTopMargin{{{30, 400}, {30, 700}}};
    // B0, B1, B2 by [VS − 1].
    std::array<std::array<int32_t, 3>, 2> SecondGroupBandOffset{{{45, 245, 145}, {90, 450, 270}}};

    int32_t FishScaleSpacing = 20;
    bool FishScaleLinesOn = false;
    int32_t BackColour = Black;
    int32_t ForeColour = White;
    bool TrendOn = false;

    bool operator==(const BrantSettings &) const = default;
};

} // namespace brantview
