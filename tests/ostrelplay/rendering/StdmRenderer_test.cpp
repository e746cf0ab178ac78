// One frame of a recording video drawn by the player.

#include "TestStdmFixtures.h"

#include "rendering/StdmRenderer.h"

#include <gtest/gtest.h>

namespace {

using StdTest::StdFileDir;
using StdTest::StdmRecord;
using StdTest::flatRecord;
using StdTest::setGates;

StdmColours testColours()
{
    StdmColours colours{QColor(0, 0, 0), QColor(200, 200, 200), QColor(255, 255, 255), {}};
    for (int i = 0; i < 10; ++i)
        colours.channel[size_t(i)] = QColor(10 * i + 5, 100, 50);
    return colours;
}

TEST(StdmRenderer, FrameShowsGridGatesTraceAndTexts)
{
    StdmRecord record = flatRecord(3);  // a 37° channel: two gates
    setGates(record.para, 3, 100, 100, 300, 40, 0, 0);
    record.para.m_Gate1Height[1][3] = 50;
    record.movie->m_Frames[7].m_Trace[99] = 50;
    StdFileDir dir;
    mystdmfile file;
    file.LoadStdmFile(dir.write(QStringLiteral("gates.stdm"), record.image()));
    StdmPlayer player;
    player.InitStdmFile();
    EXPECT_EQ(player.stdm_Bitmap.size(), QSize(620, 400));
    const StdmColours colours = testColours();
    player.DrawStdmBitMap(file, 7, colours);
    const QImage &image = player.stdm_Bitmap;
    auto at = [&image](int x, int y) { return QColor(image.pixel(x, y)); };

    EXPECT_EQ(at(5, 5), colours.background);
    EXPECT_EQ(at(420, 200), colours.frame);   // divider
    EXPECT_EQ(at(600, 90), colours.frame);    // rule under the settings
    EXPECT_EQ(at(150, 200), colours.channel[3]);  // gate 1 at (100 - 50) x 4
    EXPECT_EQ(at(330, 198), colours.channel[2]);  // gate 2, two pixels higher, colour of the channel before
    EXPECT_EQ(at(330, 200), colours.background);
    EXPECT_EQ(at(100, 50), colours.channel[3]);   // trace value 99 is point 100
    EXPECT_EQ(at(250, 399), colours.channel[3]);  // base line

    int textPixels = 0;
    for (int y = 10; y < 26; ++y)
        for (int x = 435; x < 520; ++x)
            textPixels += at(x, y) == colours.text;
    EXPECT_GT(textPixels, 20);  // "时间： 0.8 s"
}

TEST(StdmRenderer, ChannelFiveDrawsGateThreeAndOtherChannelsNone)
{
    StdmRecord zero = flatRecord(5);
    setGates(zero.para, 5, 0, 40, 100, 40, 300, 40);
    zero.para.m_Gate1Height[1][5] = 50;
    StdmRecord none = flatRecord(9);
    StdFileDir dir;
    mystdmfile file;
    file.LoadStdmFile(dir.write(QStringLiteral("five.stdm"), zero.image() + none.image()));
    StdmPlayer player;
    player.InitStdmFile();
    const StdmColours colours = testColours();

    player.DrawStdmBitMap(file, 0, colours);
    EXPECT_EQ(QColor(player.stdm_Bitmap.pixel(330, 198)), colours.channel[4]);
    player.stdm_curfile = 1;
    player.DrawStdmBitMap(file, 0, colours);
    for (int y = 190; y <= 202; ++y)
        EXPECT_EQ(QColor(player.stdm_Bitmap.pixel(330, y)), colours.background) << y;
}

// Values of a damaged file at the ends of the integers: listed and drawn, the
// gate clipped to the picture.
TEST(StdmRenderer, ExtremeTraceAndGateValuesAreListedAndDrawn)
{
    StdmRecord record = flatRecord(3);
    setGates(record.para, 3, 100, 100, INT32_MAX, INT32_MAX, 0, 0);
    record.para.m_Gate1Height[1][3] = INT32_MIN;
    record.movie->m_Frames[7].m_Trace[150] = INT32_MIN;
    record.movie->m_Frames[8].m_Trace[150] = INT32_MAX;
    StdFileDir dir;
    mystdmfile file;
    file.LoadStdmFile(dir.write(QStringLiteral("extreme.stdm"), record.image()));
    ASSERT_EQ(file.stdm_amp.size(), 1);
    EXPECT_TRUE(file.stdm_amp[0].endsWith(QLatin1Char('%')));
    StdmPlayer player;
    player.InitStdmFile();
    for (const int frame : {7, 8})
        player.DrawStdmBitMap(file, frame, testColours());
    EXPECT_EQ(player.stdm_Bitmap.size(), QSize(620, 400));
}

} // namespace
