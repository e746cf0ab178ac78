// The A-scan panel of a 734 x 311 window: rows of 311 / 21 pixels (row 1 at y 14,
// 8 at 118, 9 at 133, 12 at 177, 18 at 266, 20 at 296), the time base 0..400
// across the left 367 pixels, text lines of 31.1 pixels in the right half.

#include "TestStdFixtures.h"

#include "recording/StdErrors.h"
#include "rendering/AScanPanel.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kWidth = 734;
constexpr int kHeight = 311;
constexpr int kRailType = 2;  // P60: rail height 176 puts the bottom echo at x 258

const QColor kBackground(0, 0, 0);
const QColor kFrame(90, 90, 90);
const QColor kText(255, 255, 255);

QColor channelColour(int ch)
{
    return QColor::fromHsv(ch * 36, 255, 200);
}

// Echo packets are (channel code, start, end); the head counts them.
TPACKET echo(int ch, int start, int end)
{
    return makePacket(char16_t(u'0' + ch), int16_t(start), int16_t(end));
}

// A loaded recording and the frame its panel is drawn into.
struct Panel {
    std::unique_ptr<mystdfile> file;
    StdFrame frame;
};

class AScanPanelTest : public ::testing::Test {
protected:
    AScanPanelTest()
    {
        m_sub.para.m_RailType = kRailType;
    }

    std::unique_ptr<Panel> load()
    {
        StdFileImage image;
        image.subFiles.push_back(m_sub);
        auto panel = std::make_unique<Panel>();
        panel->file = StdTest::loadStd(m_dir.write("panel.std", image));
        DisplayStyle &style = panel->frame.style;
        style.color_background = kBackground;
        style.color_frame = kFrame;
        style.color_text = kText;
        for (int ch = 0; ch < 10; ++ch)
            style.color_channel[size_t(ch)] = channelColour(ch);
        return panel;
    }

    static void draw(Panel &panel, int row, bool inRange = true)
    {
        DrawAScanPanel(*panel.file, panel.frame, kWidth, kHeight, row, inRange);
    }

    static QString colourAt(const Panel &panel, int x, int y)
    {
        return QColor(panel.frame.std_ABitMap.pixel(x, y)).name();
    }

    // The inside of the text cell of line `line` in the reading (x 369..549) or
    // gain column (x 552..733), between the solid lines around it.
    static QImage cell(const Panel &panel, bool gainColumn, int line)
    {
        const int top = int(kHeight / 10.0 * line) + 1;
        const int bottom = int(kHeight / 10.0 * (line + 1)) - 1;
        const int left = gainColumn ? 551 : 368;
        const int right = gainColumn ? kWidth - 1 : 549;
        return panel.frame.std_ABitMap.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
    }

    static bool isBlank(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != kBackground.rgb())
                    return false;
        return true;
    }

    SubFileImage m_sub = StdTest::minimalSubFile();  // range 250 mm on every channel
    StdTest::StdFileDir m_dir;
};

TEST(AScanReadingTest, SoundPathHorizontalDistanceAndDepthPerBeamAngle)
{
    struct Case {
        int ch;
        float range;
        int start;
        const char *text;
    };
    const Case cases[] = {
        {0, 250, 100, "1:↘ 62,→ 59,↓ 21"},   // 62.5 rounds to the even 62
        {0, 250, 12, "1:↘  8,→  7,↓  3"},    // 7.5 rounds to the even 8
        {6, 250, 4, "1A:↘  2,→  2,↓  1"},    // 2.5 to 2; 0.855 to 1
        {3, 250, 100, "4:↘ 62,→ 38,↓ 50"},   // 37°
        {4, 400, 100, "5:↘100,→ 60,↓ 80"},
        {5, 250, 100, "6:↘ 62,→  0,↓ 62"},   // 0°: the depth is the sound path
        {8, 100, 400, "3A:↘100,→ 94,↓ 34"},
    };
    for (const Case &c : cases) {
        mystdfile file;
        file.std_systempara.m_Range[c.ch] = c.range;
        EXPECT_EQ(AScanReading(file, c.ch, c.start), QString::fromUtf8(c.text)) << "channel " << c.ch;
    }
}

TEST(AScanReadingTest, ReadingBeyondTheIntegersIsADataError)
{
    mystdfile file;
    file.std_systempara.m_Range[2] = 1e30f;
    EXPECT_THROW(AScanReading(file, 2, 100), StdDataError);
}

TEST_F(AScanPanelTest, OutsideTheRowsOnlyGridBaseLinesAndGatesAreDrawn)
{
    TSYSTEMPARA &p = m_sub.para;
    p.m_Gate1Start[kRailType][0] = 100;  // x 91 .. 183 at y 116
    p.m_Gate1DrawWidth[kRailType][0] = 100;
    for (int ch : {3, 5}) {  // gate 1 x 91 .. 275 with gate 2 (x 137 .. 183) left out
        p.m_Gate1Start[kRailType][ch] = 100;
        p.m_Gate1DrawWidth[kRailType][ch] = 200;
        p.m_Gate2Start[kRailType][ch] = 150;
        p.m_Gate2DrawWidth[kRailType][ch] = 50;
    }
    p.m_Gate3DrawWidth[kRailType][5] = 40;  // x 281 .. 311
    m_sub.addRow({echo(1, 100, 120)});
    auto file = load();
    draw(*file, 0, false);

    EXPECT_EQ(colourAt(*file, 367, 5), kFrame.name());
    EXPECT_EQ(colourAt(*file, 550, 5), kFrame.name());
    EXPECT_EQ(colourAt(*file, 600, 31), kFrame.name());
    EXPECT_EQ(colourAt(*file, 20, 118), channelColour(0).name());
    EXPECT_EQ(colourAt(*file, 20, 266), channelColour(0).name());  // the lower rows take channels 0..2's colours
    EXPECT_EQ(colourAt(*file, 20, 296), channelColour(2).name());

    EXPECT_EQ(colourAt(*file, 120, 116), channelColour(0).name());
    EXPECT_EQ(colourAt(*file, 110, 264), channelColour(3).name());
    EXPECT_EQ(colourAt(*file, 160, 264), kBackground.name());
    EXPECT_EQ(colourAt(*file, 250, 264), channelColour(3).name());
    EXPECT_EQ(colourAt(*file, 250, 294), channelColour(5).name());
    EXPECT_EQ(colourAt(*file, 278, 294), kBackground.name());
    EXPECT_EQ(colourAt(*file, 295, 294), channelColour(5).name());

    EXPECT_NE(colourAt(*file, 100, 14), channelColour(1).name());
    EXPECT_EQ(colourAt(*file, 258, 240), kBackground.name());
    EXPECT_TRUE(isBlank(cell(*file, false, 1)));
    EXPECT_TRUE(isBlank(cell(*file, true, 0)));
    EXPECT_EQ(file->frame.AScanEchoes.count[1], 0);
}

TEST_F(AScanPanelTest, EveryEchoOfAChannelRisesFromItsBaseRowAndTheFirstIsRead)
{
    m_sub.addRow({echo(1, 100, 120), echo(1, 200, 210), echo(1, 300, 330)});
    m_sub.addRow({echo(1, 100, 120)});
    auto file = load();
    draw(*file, 1);
    const QImage firstOnly = cell(*file, false, 1);
    draw(*file, 0);

    // Lines from x(start) on row 9 to x((start + end) div 2) on row 1.
    const QString colour = channelColour(1).name();
    EXPECT_EQ(colourAt(*file, 100, 14), colour);
    EXPECT_EQ(colourAt(*file, 95, 73), colour);
    EXPECT_EQ(colourAt(*file, 188, 14), colour);
    EXPECT_EQ(colourAt(*file, 185, 73), colour);
    EXPECT_EQ(colourAt(*file, 289, 14), colour);
    EXPECT_EQ(colourAt(*file, 282, 73), colour);
    EXPECT_NE(colourAt(*file, 140, 73), colour);

    EXPECT_FALSE(isBlank(firstOnly));
    EXPECT_EQ(cell(*file, false, 1), firstOnly);
    EXPECT_TRUE(isBlank(cell(*file, false, 0)));
    EXPECT_FALSE(isBlank(cell(*file, true, 0)));  // gain texts of all channels
    EXPECT_FALSE(isBlank(cell(*file, true, 8)));
}

TEST_F(AScanPanelTest, AChannelKeepsAtMostFourEchoes)
{
    m_sub.addRow({echo(0, 10, 12), echo(0, 20, 22), echo(0, 30, 32), echo(0, 40, 42), echo(0, 50, 52)});
    auto file = load();
    draw(*file, 0);
    EXPECT_EQ(file->frame.AScanEchoes.count[0], 4);
    EXPECT_EQ(file->frame.AScanEchoes.echo[0][3][0], 40);
}

TEST_F(AScanPanelTest, BottomEchoIsShownUnlessTheWaveIsLost)
{
    m_sub.addRow({echo(9, 0, 0)});
    m_sub.addRow({});
    auto file = load();

    draw(*file, 0);
    EXPECT_EQ(colourAt(*file, 258, 200), kBackground.name());
    EXPECT_EQ(colourAt(*file, 258, 240), kBackground.name());

    draw(*file, 1);
    EXPECT_EQ(colourAt(*file, 258, 200), channelColour(9).name());
    EXPECT_EQ(colourAt(*file, 258, 240), channelColour(9).name());
    EXPECT_EQ(colourAt(*file, 258, 150), kBackground.name());

    file->file->std_systempara.m_Range[8] = 0.0f;
    draw(*file, 1);
    for (int x = 0; x < kWidth; ++x)
        ASSERT_NE(colourAt(*file, x, 240), channelColour(9).name()) << "x " << x;
}

TEST_F(AScanPanelTest, EchoStartingAtZeroIsNeitherDrawnNorRead)
{
    m_sub.addRow({echo(1, 0, 50), echo(1, 100, 120)});
    auto file = load();
    draw(*file, 0);

    EXPECT_NE(colourAt(*file, 22, 14), channelColour(1).name());
    EXPECT_NE(colourAt(*file, 11, 73), channelColour(1).name());
    EXPECT_EQ(colourAt(*file, 100, 14), channelColour(1).name());  // the second echo is drawn
    EXPECT_TRUE(isBlank(cell(*file, false, 1)));                   // only a first echo is read
}

TEST_F(AScanPanelTest, RowWithoutAProperHeadKeepsThePreviousEchoes)
{
    m_sub.addRow({echo(1, 100, 120)});
    m_sub.addRow({echo(2, 200, 210)}, {}, u'X');
    m_sub.addRow({}, {}, u'#');
    auto file = load();

    draw(*file, 0);
    const QImage reading = cell(*file, false, 1);
    draw(*file, 1);
    EXPECT_EQ(file->frame.AScanEchoes.count[1], 1);
    EXPECT_EQ(file->frame.AScanEchoes.count[2], 0);
    EXPECT_EQ(colourAt(*file, 100, 14), channelColour(1).name());
    EXPECT_EQ(cell(*file, false, 1), reading);

    draw(*file, 2);
    EXPECT_EQ(file->frame.AScanEchoes.count[1], 0);
    EXPECT_NE(colourAt(*file, 100, 14), channelColour(1).name());
}

// The gain texts of this font do not fit the right quarter of the described 734
// pixels; at the width asked for they end before the panel does.
TEST_F(AScanPanelTest, WidthForTheTextsLeavesTheirEndsInSight)
{
    for (int ch = 0; ch < 9; ++ch)
        m_sub.para.m_Gain[kRailType][ch] = 51.5f;
    for (int r = 0; r < 10; ++r)
        m_sub.addRow({});
    const auto panel = load();
    panel->frame.style.font_size = 10;
    const int width = AScanPanelWidthForTexts(*panel->file, panel->frame.style);
    EXPECT_GT(width, kWidth);

    const auto textAtTheRightEdge = [&](int w) {
        DrawAScanPanel(*panel->file, panel->frame, w, kHeight, 3, true);
        const QImage &image = panel->frame.std_ABitMap;
        for (int x = w - 3; x < w; ++x)
            for (int y = 0; y < kHeight; ++y)
                if (QColor(image.pixel(x, y)) == kText)
                    return true;
        return false;
    };
    EXPECT_TRUE(textAtTheRightEdge(kWidth));
    EXPECT_FALSE(textAtTheRightEdge(width));
}

} // namespace
