#include "viewer/AScanScroll.h"
#include "viewer/AScanText.h"
#include "viewer/AScanView.h"

#include "AScanFrameFixture.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

QStringList values(const AScanTextBlock &block)
{
    QStringList list;
    for (const AScanTextLine &line : block.lines)
        list.append(line.value);
    return list;
}

TEST(AScanText, ARecordedFrameShowsItsDataLineByLine)
{
    const AScanTextBlock block = AScanFrameText(ascantest::frame(), 3);
    EXPECT_EQ(block.title, QStringLiteral("记录3Brantel全数字钢轨探伤仪A超报告"));
    EXPECT_EQ(block.joined(), (QStringList{
                                  "记录3Brantel全数字钢轨探伤仪A超报告",
                                  "探伤日期:2024年3月5日",
                                  "探伤时间:2:5:9 PM",
                                  "探头(通道):1:前70",
                                  "衰减量:42dB",
                                  "钢轨轨型:60轨",
                                  "量程:250毫米",
                                  "探测位置:上行,37号线右股钢轨300公里12号轨据逆端05.7米",
                              }));
}

// The channel name and range come from the frame's own probe byte and rail type.
TEST(AScanText, ChannelAndRangeFollowTheProbeByteAndTheRailType)
{
    struct Case {
        int channel, probe, railType;
        QString name, range, railText;
    };
    const Case cases[] = {
        {1, 0x00, 0, "1:前70", "200毫米", "43轨"},
        {1, 0x01, 2, "1:后70", "250毫米", "60轨"},
        {3, 0x24, 0, "3:前18", "250毫米", "43轨"},
        {4, 0x08, 1, "4:后70偏10", "139毫米", "50轨"},
        {4, 0x0C, 1, "", "", "50轨"},  // channels "3"/"4" without a probe
        {6, 0x30, 3, "6:45", "300毫米", "75轨"},
        {6, 0x60, 0, "", "", "43轨"},  // a kind of "6" above 5
        {7, 0x00, 3, "1A:后70", "250毫米", "75轨"},
        {1, 0x00, 5, "1:前70", "250毫米", ""},  // rail types 4..7 have no text
        {0, 0x00, 0, "", "", "43轨"},
        {10, 0x00, 0, "", "", "43轨"},
        {15, 0x00, 0, "", "", "43轨"},
    };
    for (const Case &c : cases) {
        const QStringList v =
            values(AScanFrameText(ascantest::frame({.channel = c.channel, .probe = c.probe, .railType = c.railType}), 0));
        EXPECT_EQ(v[2], c.name) << "channel " << c.channel << " probe " << c.probe;
        EXPECT_EQ(v[5], c.range) << "channel " << c.channel << " probe " << c.probe;
        EXPECT_EQ(v[4], c.railText) << "rail type " << c.railType;
    }
}

TEST(AScanText, ThePositionLineNamesTheLineKindTrackAndSide)
{
    struct Case {
        int lineKind, side, track;
        QString text;
    };
    const Case cases[] = {
        {0, 0, 3, "站线,3号股左股钢轨300公里12号轨据逆端05.7米"},
        {1, 1, 37, "上行,37号线右股钢轨300公里12号轨据逆端05.7米"},
        {2, 1, 1023, "下行,1023号线右股钢轨300公里12号轨据逆端05.7米"},
        {5, 0, 0, "其它,0号线左股钢轨300公里12号轨据逆端05.7米"},
        {6, 0, 8, "8号线左股钢轨300公里12号轨据逆端05.7米"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AScanPositionText(ascantest::frame({.side = c.side, .lineKind = c.lineKind, .track = c.track})), c.text);

    AScanFrame frame = ascantest::frame();
    frame.referenceEnd = 0x80;  // bits 1..7 belong to the report
    frame.distance = 255;
    EXPECT_EQ(AScanPositionText(frame), QStringLiteral("上行,37号线右股钢轨300公里12号轨距顺端25.5米"));
}

TEST(AScanText, DateAndTimeBytesThatAreNoDateOrTimeShowNothing)
{
    struct Case {
        int day, month, year, hour, minute, second;
        QString date, time;
    };
    const Case cases[] = {
        {31, 12, 29, 0, 0, 0, "2029年12月31日", "12:0:0 AM"},
        {1, 1, 30, 23, 59, 59, "1930年1月1日", "11:59:59 PM"},
        {29, 2, 23, 12, 0, 0, "", "12:0:0 PM"},
        {0, 1, 24, 24, 0, 0, "", ""},
        {1, 13, 24, 1, 60, 0, "", ""},
        {1, 1, 100, 1, 0, 60, "", ""},
        {255, 255, 255, 255, 255, 255, "", ""},
    };
    for (const Case &c : cases) {
        AScanFrame frame = ascantest::frame();
        frame.day = uint8_t(c.day);
        frame.month = uint8_t(c.month);
        frame.year = uint8_t(c.year);
        frame.hour = uint8_t(c.hour);
        frame.minute = uint8_t(c.minute);
        frame.second = uint8_t(c.second);
        EXPECT_EQ(AScanDateText(frame), c.date) << c.day << '/' << c.month << '/' << c.year;
        EXPECT_EQ(AScanTimeText(frame), c.time) << c.hour << ':' << c.minute << ':' << c.second;
    }
}

TEST(AScanScroll, OneFrameCannotMove)
{
    EXPECT_EQ(AScanScrollMax(1), 0);
    EXPECT_EQ(AScanFirstShownFrame(1), 0);
    EXPECT_EQ(AScanFrameOfValue(0, 0), 0);
    EXPECT_EQ(AScanValueOfFrame(0, 0), 0);
}

TEST(AScanScroll, TheBarRunsFromTheLastFrameToTheFirst)
{
    const int max = AScanScrollMax(5);
    EXPECT_EQ(max, 4);
    EXPECT_EQ(AScanFirstShownFrame(5), 4);
    EXPECT_EQ(AScanValueOfFrame(max, AScanFirstShownFrame(5)), 0);
    EXPECT_EQ(AScanFrameOfValue(max, max), 0);
    EXPECT_EQ(AScanFrameOfValue(max, 1), 3);
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_EQ(AScanFrameOfValue(max, AScanValueOfFrame(max, frame)), frame);
}

// A 72-dpi image: one point is one pixel.
struct Drawing {
    static constexpr int32_t Axis = packedColour(0, 0, 255);
    static constexpr int32_t Wave = packedColour(255, 0, 0);

    QImage image{800, 600, QImage::Format_RGB32};
    BrantSettings settings;
    std::vector<TextItem> texts;
    QStringList lines;
    double x0 = 0;

    Drawing()
    {
        settings.BackColour = White;
        settings.ForeColour = Black;
        settings.AScanAxisColour = Axis;
        settings.AScanWaveColour = Wave;
        settings.AScanAxisWidth = 1;
        settings.AScanPointSize = 1;
    }

    void draw(const AScanFrame &frame, int frameIndex = 0)
    {
        ViewCanvas canvas(image, 72, true);
        lines = DrawAScanFrame(canvas, frame, frameIndex, settings);
        texts = canvas.texts();
        x0 = AScanBoxLeft(canvas, settings);
    }

    // Whether the colour lies at (x, y) or one pixel above or below: where a one-point
    // line falls between rows is the rasteriser's business.
    bool colourAt(double x, double y, int32_t colour) const
    {
        for (int row = int(y) - 1; row <= int(y) + 1; ++row)
            if (image.pixel(int(x), row) == colourOf(colour).rgb())
                return true;
        return false;
    }
};

TEST(AScanView, AmplitudeZeroLiesOnTheTimeAxisAnd160OnTheTopOfTheBox)
{
    AScanFrame frame = ascantest::frame();
    std::fill(std::begin(frame.samples) + 100, std::begin(frame.samples) + 130, uint8_t(160));
    std::fill(std::begin(frame.samples) + 200, std::begin(frame.samples) + 220, uint8_t(255));
    Drawing d;
    d.draw(frame);
    EXPECT_GE(d.x0, 40);
    const double bottom = AScanBoxTop + AScanBoxHeight;
    EXPECT_TRUE(d.colourAt(d.x0 + 50, bottom, Drawing::Wave));
    EXPECT_TRUE(d.colourAt(d.x0 + 110, AScanBoxTop, Drawing::Wave));
    EXPECT_FALSE(d.colourAt(d.x0 + 110, bottom, Drawing::Wave));
    // The loudest samples rise 95 points above the box.
    EXPECT_TRUE(d.colourAt(d.x0 + 210, AScanBoxTop - 95, Drawing::Wave));
    // The amplitude axis runs from the top of the box to the time axis.
    EXPECT_TRUE(d.colourAt(d.x0, AScanBoxTop + 80, Drawing::Axis));
    EXPECT_EQ(d.image.pixel(0, 0), colourOf(White).rgb());
}

// Each sample takes SV / 10 points: the time axis and its last tick end 240 × SV / 10
// points right of the amplitude axis.
TEST(AScanView, TheTimeAxisSpans240SamplesAtTheScale)
{
    for (const int sv : {10, 15, 20}) {
        AScanFrame frame = ascantest::frame();
        std::fill(std::begin(frame.samples), std::end(frame.samples), uint8_t(80));
        Drawing d;
        d.settings.AScanScaleValue = sv;
        d.draw(frame);
        const double width = 240 * sv / 10.0;
        const double bottom = AScanBoxTop + AScanBoxHeight;
        EXPECT_TRUE(d.colourAt(d.x0 + width - 2, bottom, Drawing::Axis)) << sv;
        EXPECT_TRUE(d.colourAt(d.x0 + width, bottom + 5, Drawing::Axis)) << sv;
        EXPECT_FALSE(d.colourAt(d.x0 + width + 3, bottom, Drawing::Axis)) << sv;
        EXPECT_TRUE(d.colourAt(d.x0 + 24 * sv / 10.0 * 5, bottom + 5, Drawing::Axis)) << sv;
        EXPECT_TRUE(d.colourAt(d.x0 + width - 2 * sv / 10.0, bottom - 80, Drawing::Wave)) << sv;
        EXPECT_FALSE(d.colourAt(d.x0 + width + 2, bottom - 80, Drawing::Wave)) << sv;
    }
}

TEST(AScanView, TicksAreLabelledAndTheTextBlockIsReturned)
{
    const AScanFrame frame = ascantest::frame();
    Drawing d;
    d.draw(frame, 7);
    EXPECT_EQ(d.lines, AScanFrameText(frame, 7).joined());
    ASSERT_FALSE(d.texts.empty());
    EXPECT_EQ(d.texts[0].text, QStringLiteral("记录7Brantel全数字钢轨探伤仪A超报告"));
    EXPECT_EQ(d.texts[0].x, 0);
    EXPECT_EQ(d.texts[0].y, AScanTextTop);
    // Each value line is followed by 5 points more than font 1's height.
    const auto labelY = [&](const QString &label) {
        return std::find_if(d.texts.begin(), d.texts.end(), [&](const TextItem &t) { return t.text == label; })->y;
    };
    EXPECT_EQ(labelY(QStringLiteral("探伤时间:")) - labelY(QStringLiteral("探伤日期:")), 17);
    EXPECT_EQ(labelY(QStringLiteral("探测位置:")) - labelY(QStringLiteral("探伤日期:")), 6 * 17);
    EXPECT_GT(labelY(QStringLiteral("探伤日期:")), AScanTextTop + 30);

    for (int label = 0; label <= 10; ++label) {
        const QString text = QString::number(label);
        const auto count =
            std::count_if(d.texts.begin(), d.texts.end(), [&](const TextItem &t) { return t.text == text; });
        EXPECT_EQ(count, 2) << label;  // one amplitude and one time label
    }
}

// The amplitude labels stand left of their ticks, 16 points higher, and inside the
// image whatever the size of font 1.
TEST(AScanView, AmplitudeLabelsFitLeftOfTheBox)
{
    for (const float size : {9.0f, 12.0f, 40.0f}) {
        Drawing d;
        d.settings.TextFonts[1].Size = size;
        d.draw(ascantest::frame());
        for (int i = 0; i <= 10; ++i) {
            const QString text = QString::number(10 - i);
            const auto label = std::find_if(d.texts.begin(), d.texts.end(), [&](const TextItem &t) {
                return t.text == text && t.y == AScanBoxTop + 16 * i - 16;
            });
            ASSERT_NE(label, d.texts.end()) << size << ' ' << i;
            EXPECT_GE(label->x, 0) << size;
            EXPECT_LT(label->x, d.x0 - 10) << size;
        }
    }
}

}  // namespace
