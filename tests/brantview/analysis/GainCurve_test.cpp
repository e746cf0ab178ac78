// The gain curve: the options, the range rule, the step curve's corners, LinedB at
// both ends, the plot's pixels, the empty plots and the data a loaded stream gives.

#include "analysis/GainCurve.h"

#include "viewer/ViewCanvas.h"

#include "StreamTrack.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// Packets at the given positions whose byte `byte` holds the given values; the other
// bytes hold 200, far outside every scale below.
std::vector<GainEntry> gains(const std::vector<std::pair<int32_t, int>> &steps, int byte = 1)
{
    std::vector<GainEntry> table;
    for (const auto &[position, value] : steps) {
        GainEntry entry{};
        entry.fill(200);
        entry[0] = position;
        entry[size_t(byte)] = value;
        table.push_back(entry);
    }
    return table;
}

QRgb rgbOf(int32_t packed)
{
    return colourOf(packed).rgb();
}

} // namespace

TEST(GainCurve, OptionsNameTheirByteAndColour)
{
    const ChannelValues colours{1, 2, 3, 4, 5, 6, 7, 8, 9};
    const QString captions[] = {QStringLiteral("1通道"),  QStringLiteral("2通道"),  QStringLiteral("3通道"),
                                QStringLiteral("4通道"),  QStringLiteral("5通道"),  QStringLiteral("6通道"),
                                QStringLiteral("1A通道"), QStringLiteral("2A通道"), QStringLiteral("6A通道"),
                                QStringLiteral("5通道反射灵敏度差")};
    for (int option = 0; option < GainOptionCount; ++option) {
        EXPECT_EQ(GainOptions()[size_t(option)].caption, captions[option]);
        EXPECT_EQ(GainOptions()[size_t(option)].byte, option + 1);
    }
    for (int option = 0; option < 9; ++option)
        EXPECT_EQ(GainCurveColour(option, colours), colours[size_t(option)]);
    EXPECT_EQ(GainCurveColour(9, colours), 6);  // the 0° reflection value in channel "6"'s colour
}

TEST(GainCurve, RangeStartsAt70And0AndSpansAtLeastTen)
{
    struct Case {
        std::vector<int> values;
        int lo, hi;
    };
    const Case cases[] = {
        {{}, 70, 80},
        {{40}, 40, 50},
        {{40, 40, 40}, 40, 50},
        {{40, 45}, 40, 50},
        {{40, 52}, 40, 52},
        {{72, 90}, 70, 90},  // above 70: hi rises, lo stays at 70
        {{75}, 70, 80},
        {{0, 255}, 0, 255},
    };
    for (const Case &c : cases) {
        std::vector<std::pair<int32_t, int>> steps;
        for (const int v : c.values)
            steps.push_back({int32_t(steps.size()) * 100, v});
        const GainScale scale = GainRange(gains(steps, 3), 2);
        EXPECT_EQ(scale.lo, c.lo) << ::testing::PrintToString(c.values);
        EXPECT_EQ(scale.hi, c.hi) << ::testing::PrintToString(c.values);
    }
}

TEST(GainCurve, StepsRunAcrossAndThenDownOrUp)
{
    // Width 430: 400 pixels over 4000 Steps, 0.1 a Step. Height 160: 100 pixels over 40..50.
    const GainData data{gains({{0, 40}, {1000, 45}, {2500, 42}}), 4000};
    const GainPlot plot(data, 0, QSize(430, 160));
    EXPECT_EQ(plot.scale().lo, 40);
    EXPECT_EQ(plot.scale().hi, 50);
    EXPECT_DOUBLE_EQ(plot.xs(), 0.1);
    EXPECT_DOUBLE_EQ(plot.ys(), 10);
    const std::vector<QPoint> expected{{30, 150}, {130, 150}, {130, 100}, {280, 100}, {280, 130}, {430, 130}};
    EXPECT_EQ(plot.polyline(), expected);
    EXPECT_EQ(plot.y(50), 50);  // hi 50 pixels from the top
}

TEST(GainCurve, OnePacketOfAConstantValueIsAFlatLineAtTheBottomMargin)
{
    const GainData data{gains({{600, 38}}, 10), 3000};
    const GainPlot plot(data, 9, QSize(330, 260));
    EXPECT_EQ(plot.scale().lo, 38);
    EXPECT_EQ(plot.scale().hi, 48);
    const std::vector<QPoint> expected{{90, 250}, {330, 250}};
    EXPECT_EQ(plot.polyline(), expected);
}

TEST(GainCurve, LinedBFollowsTheViewFromStartToEnd)
{
    const GainData data{gains({{0, 40}}), 4000};
    const GainPlot plot(data, 0, QSize(430, 160));
    EXPECT_EQ(plot.lineX(0), 30);
    EXPECT_EQ(plot.lineX(4000), 430);
    EXPECT_EQ(plot.lineX(1005), 130);  // 130.5 rounds to even
    EXPECT_EQ(plot.lineX(1015), 132);  // 131.5 rounds to even
}

TEST(GainCurve, PlotPixels)
{
    BrantSettings settings;
    const int32_t colour = GainCurveColour(0, settings.ChannelColour);
    const GainData data{gains({{0, 40}, {2000, 50}}), 4000};
    const GainPlot plot(data, 0, QSize(430, 160));
    QImage image(430, 160, QImage::Format_RGB32);
    {
        ViewCanvas canvas(image, 72);
        DrawGainPlot(canvas, plot, colour);
    }
    EXPECT_EQ(image.pixel(100, 150), rgbOf(colour));  // the first step, at lo
    EXPECT_EQ(image.pixel(300, 50), rgbOf(colour));   // the second, at hi
    EXPECT_EQ(image.pixel(230, 100), rgbOf(colour));  // the rise between them
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(30, 100), qRgb(255, 255, 255));  // the axis
    EXPECT_EQ(image.pixel(20, 130), qRgb(255, 255, 255));  // the tick of 42
    EXPECT_EQ(image.pixel(20, 125), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(30, 20), qRgb(0, 0, 0));  // no axis above the top margin
}

TEST(GainCurve, AxisNumbersEveryWholeValue)
{
    const GainData data{gains({{0, 40}}), 4000};
    const GainPlot plot(data, 0, QSize(430, 160));
    QImage image(430, 160, QImage::Format_RGB32);
    ViewCanvas canvas(image, 72, true);
    DrawGainPlot(canvas, plot, White);
    const double halfLine = canvas.lineHeight(GainScaleFont()) / 2;
    ASSERT_EQ(canvas.texts().size(), 11u);
    EXPECT_EQ(canvas.texts().front().text, QStringLiteral("40"));
    EXPECT_EQ(canvas.texts().front().x, 0);
    EXPECT_DOUBLE_EQ(canvas.texts().front().y + halfLine, 150);  // centred on the tick of lo
    EXPECT_LE(canvas.texts().front().y + 2 * halfLine, 160);     // and inside the picture
    EXPECT_EQ(canvas.texts().back().text, QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(canvas.texts().back().y + halfLine, 50);
}

TEST(GainCurve, PlotsThatCannotBeScaledSaySo)
{
    struct Case {
        GainData data;
        QString text;
    };
    const Case cases[] = {
        {GainData{{}, 4000}, NoGainPacketsText},
        {GainData{gains({{0, 40}}), 0}, NoRecordingLengthText},
    };
    for (const Case &c : cases) {
        const GainPlot plot(c.data, 0, QSize(430, 160));
        EXPECT_EQ(plot.unavailable(), c.text);
        EXPECT_TRUE(plot.polyline().empty());
        EXPECT_EQ(plot.lineX(100), std::nullopt);
        QImage image(430, 160, QImage::Format_RGB32);
        ViewCanvas canvas(image, 72, true);
        DrawGainPlot(canvas, plot, White);
        ASSERT_EQ(canvas.texts().size(), 1u);
        EXPECT_EQ(canvas.texts()[0].text, c.text);
    }
}

TEST(GainCurve, DataOfALoadedStreamEndsAtItsLastColumn)
{
    streamtest::Records packet;
    for (int k = 1; k <= 11; ++k)
        packet.push_back({Code::Gain, 30 + k});
    streamtest::Track track;
    track.at(1000, packet).to(5000);
    const RecordingSlot slot = streamtest::load(track);
    const GainData data = GainDataOf(slot);
    EXPECT_EQ(data.totalLength, 5000);
    ASSERT_EQ(data.GainTable.size(), 1u);
    EXPECT_EQ(data.GainTable[0][0], 1000);
    const GainPlot plot(data, 9, QSize(530, 160));
    ASSERT_EQ(plot.steps().size(), 1u);
    EXPECT_EQ(plot.steps()[0].value, 40);  // byte 10
}
