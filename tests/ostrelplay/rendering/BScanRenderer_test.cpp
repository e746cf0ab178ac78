// The B-scan frame: display lists from small hand-built rows, and a few pixels.

#include "TestStdFixtures.h"
#include "rendering/BScanRenderer.h"
#include "recording/StdText.h"
#include "rendering/EventGlyphs.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 500;
constexpr int kRows = 40;
constexpr int kCurPos = 20;
// Rail type 0 ("P43"): bottom band line 224, so HScale = 500 * 5 / 6 / 224.
constexpr double kHScale = 500.0 * 5 / 6 / 224;
constexpr double kWScale = 1600.0 / 3000;

struct Row {
    std::vector<TPACKET> echoes;
    std::vector<TPACKET> records;
};

// A rail type 0 sub-file of kRows rows: `rows` maps a row number to its packets.
class Frame {
public:
    explicit Frame(const std::map<int, Row> &rows, const QString &version = QStringLiteral("1.7.X"),
                   char16_t head = u'@')
    {
        SubFileImage sub = StdTest::minimalSubFile(version);
        sub.para.m_RailType = 0;
        for (int r = 0; r < kRows; ++r) {
            const auto it = rows.find(r);
            sub.addRow(it == rows.end() ? std::vector<TPACKET>{} : it->second.echoes,
                       it == rows.end() ? std::vector<TPACKET>{} : it->second.records, head);
        }
        StdFileImage image;
        image.subFiles.push_back(sub);
        file = StdTest::loadStd(dir.write(QStringLiteral("frame.std"), image));
        view.style.std_OIMG_Width = 3000;
        view.style.WidthCompress = true;
        view.probepara_p = {100, 100, 100, 100, 100, 100, 100, 100, 100};
        view.style.color_channel = {Qt::blue, Qt::green, Qt::red, Qt::blue, Qt::green, Qt::red,
                               Qt::blue, Qt::green, Qt::red, Qt::magenta};
        view.style.LineWidth = 2;
        view.style.DocSize = 3;
        view.style.font_size = 8;
        view.style.sign_size = 4;
    }

    void draw(int curPos = kCurPos) { view.DrawBitMap(*file, kWidth, kHeight, 734, 311, curPos); }
    const std::vector<TLineToDraw> &lines(int ch) const { return view.BScanLists.lines[ch]; }

    StdTest::StdFileDir dir;
    std::unique_ptr<mystdfile> file;
    StdFrame view;
};

TPACKET echo(int ch, int d1, int d2)
{
    return makePacket(char16_t(u'0' + ch), int16_t(d1), int16_t(d2));
}

int col(int row)
{
    return int((kCurPos - row) * 2 * kWScale);
}

TEST(BScanFrame, PlacesEachChannelGroup)
{
    // The worked echo (channel 0, range 250, start point 100, data 100..110) gives
    // TPos (42, 9, 36, 10); channel 5 gives (100, 25, 100, 27).
    Frame frame({{kCurPos, {{echo(0, 100, 110), echo(5, 100, 110), echo(9, 0, 0)}, {}}},
                 {kCurPos - 10, {{echo(0, 100, 110)}, {}}}});
    frame.draw();

    ASSERT_EQ(frame.lines(0).size(), 2u);
    EXPECT_EQ(frame.lines(0)[0].PosS, QPoint(int((20 + 42) * kWScale), int(9 * 2 * kHScale)));
    EXPECT_EQ(frame.lines(0)[1].PosS, QPoint(int(42 * kWScale), int(9 * 2 * kHScale)));
    EXPECT_EQ(frame.lines(0)[1].PosE, QPoint(int(36 * kWScale), int(10 * 2 * kHScale)));
    ASSERT_EQ(frame.lines(5).size(), 1u);
    const int y37 = int((25 * 2 + 84) * kHScale);
    EXPECT_EQ(frame.lines(5)[0].PosS, QPoint(int(100 * kWScale), y37));
    EXPECT_EQ(frame.lines(5)[0].PosE, QPoint(int(100 * kWScale), y37));
    ASSERT_EQ(frame.lines(9).size(), 1u);
    EXPECT_EQ(frame.lines(9)[0].PosS, QPoint(int(100 * kWScale), int(224 * kHScale - 2)));
    EXPECT_EQ(frame.view.CurPlayPos, kCurPos);
    EXPECT_DOUBLE_EQ(frame.view.HScale, kHScale);
    EXPECT_DOUBLE_EQ(frame.view.WScale, kWScale);
}

TEST(BScanFrame, CollapsedBandsLiftTheLowerChannels)
{
    Frame frame({{kCurPos, {{echo(3, 100, 110)}, {}}}});
    frame.file->std_bshowhide = true;
    frame.file->resetStdHeigh();
    frame.draw();
    // Collapsed P43: bottom line 182, 42 units removed from the 37° depth.
    const double hScale = 500.0 * 5 / 6 / 182;
    const TPos pos = frame.file->GetPos(3, 0, 100, 110, 100);
    ASSERT_EQ(frame.lines(3).size(), 1u);
    EXPECT_EQ(frame.lines(3)[0].PosS.y(), int((pos.ys * 2 + 84 - 42) * hScale));
}

struct EchoFilterCase {
    const char *name;
    std::vector<TPACKET> echoes;
    int channel;
    size_t drawn;
    int firstData1;  // m_Data1 of the echo drawn, when one is
};

class EchoFilter : public testing::TestWithParam<EchoFilterCase> {};

TEST_P(EchoFilter, KeepsAtMostOnePassingEchoPerChannelAndRow)
{
    const EchoFilterCase &c = GetParam();
    Frame frame({{kCurPos, {c.echoes, {}}}});
    frame.draw();
    ASSERT_EQ(frame.lines(c.channel).size(), c.drawn) << c.name;
    if (c.drawn && c.channel < 9) {
        const TPos pos = frame.file->GetPos(c.channel, 0, c.firstData1, c.firstData1, 100);
        EXPECT_EQ(frame.lines(c.channel)[0].PosS.x(), int(pos.xs * kWScale)) << c.name;
    }
}

// Trunc(20 x HScale) = 37 for 70° echoes; 20 for 37° and 0°.
INSTANTIATE_TEST_SUITE_P(
    Cases, EchoFilter,
    testing::Values(EchoFilterCase{"70° of length 37 drawn", {echo(1, 50, 87)}, 1, 1, 50},
                    EchoFilterCase{"70° of length 38 skipped", {echo(1, 50, 88)}, 1, 0, 0},
                    EchoFilterCase{"37° of length 20 drawn", {echo(4, 50, 70)}, 4, 1, 50},
                    EchoFilterCase{"37° of length 21 skipped", {echo(4, 50, 71)}, 4, 0, 0},
                    EchoFilterCase{"second echo of a channel dropped", {echo(2, 40, 45), echo(2, 60, 65)}, 2, 1, 40},
                    EchoFilterCase{"a too long first echo leaves room", {echo(2, 40, 90), echo(2, 60, 65)}, 2, 1, 60},
                    EchoFilterCase{"lost wave takes every packet", {echo(9, 0, 0), echo(9, 0, 0)}, 9, 2, 0}));

TEST(BScanFrame, SeventyDegreeEchoesStopAtTheDepthLimit)
{
    // Depth limit 64 for P43: y limit Trunc(64 x HScale) = 119.
    const int limit = int(64 * kHScale);
    Frame frame({{kCurPos, {{echo(0, 360, 375), echo(6, 320, 356)}, {}}}});
    frame.draw();
    const TPos deep = frame.file->GetPos(0, 0, 360, 375, 100);
    ASSERT_GT(int(deep.ys * 2 * kHScale), limit);
    EXPECT_TRUE(frame.lines(0).empty());
    const TPos cut = frame.file->GetPos(6, 0, 320, 356, 100);
    ASSERT_LE(int(cut.ys * 2 * kHScale), limit);
    ASSERT_GT(int(cut.ye * 2 * kHScale), limit);
    ASSERT_EQ(frame.lines(6).size(), 1u);
    EXPECT_EQ(frame.lines(6)[0].PosE.y(), limit);
}

TEST(BScanFrame, ShowModeDecidesWhetherRowsAheadAreDrawn)
{
    Frame frame({{kCurPos + 3, {{echo(5, 100, 110)}, {}}}});
    frame.view.style.std_bshowmode = 0;
    frame.draw();
    EXPECT_TRUE(frame.lines(5).empty());
    frame.view.style.std_bshowmode = 1;
    frame.draw();
    ASSERT_EQ(frame.lines(5).size(), 1u);
    EXPECT_EQ(frame.lines(5)[0].PosS.x(), int((-6 + 100) * kWScale));
}

TEST(BScanFrame, ChannelFilterDropsShortFinishedTraces)
{
    std::map<int, Row> rows;
    for (int r : {5, 6})  // two rows: dropped
        rows[r].echoes.push_back(echo(1, 50, 55));
    for (int r : {10, 11, 12})  // three rows: kept
        rows[r].echoes.push_back(echo(1, 50, 55));
    for (int r : {kCurPos - 1, kCurPos})  // still running at the last row drawn: kept
        rows[r].echoes.push_back(echo(1, 50, 55));
    Frame frame(rows);
    frame.view.style.ChannelFilter[1] = 3;
    frame.draw();
    std::vector<int> xs;
    for (const TLineToDraw &line : frame.lines(1))
        xs.push_back(line.PosS.x());
    const int x0 = frame.file->GetPos(1, 0, 50, 55, 100).xs;
    const auto at = [&](int r) { return int(((kCurPos - r) * 2 + x0) * kWScale); };
    EXPECT_EQ(xs, (std::vector<int>{at(10), at(11), at(12), at(kCurPos - 1), at(kCurPos)}));
}

TEST(BScanFrame, HiddenChannelIsDrawnInTheBackgroundColour)
{
    Frame frame({{kCurPos, {{echo(5, 100, 110)}, {}}}, {kCurPos - 1, {{echo(3, 100, 110)}, {}}}});
    frame.draw();
    const QPoint p = frame.lines(5)[0].PosS;
    EXPECT_EQ(frame.view.std_BBitMap.pixelColor(p), QColor(Qt::red));
    frame.view.style.channelhide[5] = true;
    frame.draw();
    EXPECT_EQ(frame.view.std_BBitMap.pixelColor(p), frame.view.style.color_background);
}

TEST(BScanFrame, CancelRecordRemovesTheLastGlyph)
{
    Frame frame({{kCurPos, {{}, {makePacket(u'A'), makePacket(u'C'), makePacket(u'P')}}},
                 {kCurPos - 2, {{}, {makePacket(u'P'), makePacket(u'B')}}}});
    frame.draw();
    const auto &signs = frame.view.BScanLists.signs;
    ASSERT_EQ(signs.size(), 2u);
    EXPECT_EQ(signs[0].Sign, 'B' - 'A');
    EXPECT_EQ(signs[1].Sign, 'A' - 'A');
    // Record k = 2 of row kCurPos - 2: x0 + 12 x sign_size x k; 12 x sign_size above the bottom.
    EXPECT_EQ(signs[0].Pos, QPoint(col(kCurPos - 2) + 12 * 4 * 2, kHeight - 12 * 4));
    EXPECT_EQ(signs[1].Pos, QPoint(col(kCurPos) + 12 * 4 * 1, kHeight - 12 * 4));
}

TEST(BScanFrame, GlyphDotsAreFilledSquaresOfSignSize)
{
    Frame frame({{kCurPos, {{}, {makePacket(u'A')}}}});
    frame.view.style.color_sign = Qt::yellow;
    frame.draw();
    const QPoint at = frame.view.BScanLists.signs.at(0).Pos;
    const QImage &image = frame.view.std_BBitMap;
    // 'A' row 7 is 07E0: dots in columns 5..10; row 0 is empty.
    EXPECT_EQ(image.pixelColor(at + QPoint(7 * 4 + 2, 7 * 4 + 2)), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(at + QPoint(4 * 4 + 2, 7 * 4 + 2)), frame.view.style.color_background);
    EXPECT_NE(image.pixelColor(at + QPoint(2, 2)), QColor(Qt::yellow));
}

TEST(BScanFrame, MileageAndSpeedTextsPairAcrossRows)
{
    // 'M' as record 1 of row 10, 'O' as record 1 of row 11: a pair.
    Frame frame({{10, {{}, {makePacket(u'M', 12, 301)}}}, {11, {{}, {makePacket(u'O', 455, 570)}}},
                 {15, {{}, {makePacket(u'M', 12, 305)}}}});
    frame.draw();
    const auto &texts = frame.view.BScanLists.texts;
    ASSERT_EQ(texts.size(), 2u);
    const int y = kHeight - 2 * 8;
    EXPECT_EQ(texts[0].Text, QStringLiteral("12Km,301m"));
    EXPECT_EQ(texts[0].Pos, QPoint(col(10), y));
    EXPECT_EQ(texts[1].Text, QStringLiteral("20170524 09:30 速度:2.275km/h"));
    EXPECT_EQ(texts[1].Pos, QPoint(col(11) + 8 * 9, y));
    EXPECT_EQ(frame.view.ScanSpeed, 455);
    EXPECT_EQ(frame.view.InstantTime, QStringLiteral("09:30"));
}

TEST(BScanFrame, TurnoutAndOperatorTexts)
{
    Frame frame({{kCurPos, {{}, {makePacket(u'D', 12), makePacket(u'U', 7), makePacket(u'U', 9)}}}});
    setStdText(frame.file->std_systempara.m_OperatorRecord[0], 8, QStringLiteral("007张三"));
    frame.draw();
    const auto &texts = frame.view.BScanLists.texts;
    ASSERT_EQ(texts.size(), 3u);
    const int y = int(224 * kHScale);
    EXPECT_EQ(texts[0].Text, QStringLiteral("道岔号12"));
    EXPECT_EQ(texts[0].Pos, QPoint(col(kCurPos), y));
    EXPECT_EQ(texts[1].Text, QStringLiteral("操作者张三"));
    EXPECT_EQ(texts[2].Text, QString());
}

struct VersionCase {
    const char *version;
    bool shown;
};

class VersionTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionTest, DecidesWhetherSpeedRecordsUpdateTheFrame)
{
    Frame frame({{kCurPos, {{}, {makePacket(u'M', 12, 300), makePacket(u'O', 455, 570)}}}},
                QString::fromLatin1(GetParam().version));
    frame.draw();
    EXPECT_EQ(frame.view.ScanSpeed, GetParam().shown ? 455 : 0);
    EXPECT_EQ(frame.view.BScanLists.texts.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTest,
                         testing::Values(VersionCase{"1.6.2", true}, VersionCase{"1.7.X", true},
                                         VersionCase{"1.7.2", false}, VersionCase{"1.8.0", false}));

int pixelsOf(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

TEST(BScanFrame, UndrawableVersionFailsTheFrameWithTheTextOnBothPictures)
{
    Frame frame({{kCurPos, {{}, {makePacket(u'M', 12, 300)}}}}, QStringLiteral("A.B"));
    frame.view.style.color_text = Qt::cyan;
    EXPECT_THROW(frame.draw(), StdDataError);
    // The text line at (5, 5): 26 characters of a bold 8-point font.
    const QRect textLine(5, 5, 300, 14);
    for (const QImage *image : {&frame.view.std_BBitMap, &frame.view.std_ABitMap})
        EXPECT_EQ(pixelsOf(*image, textLine, Qt::cyan), 0);
    drawFailureText(frame.view);
    for (const QImage *image : {&frame.view.std_BBitMap, &frame.view.std_ABitMap}) {
        EXPECT_GT(pixelsOf(*image, textLine, Qt::cyan), 200);
        EXPECT_EQ(pixelsOf(*image, QRect(5, 30, 300, 20), Qt::cyan), 0);
    }
}

TEST(BScanFrame, NearTheEndOnlyTheFrameIsDrawn)
{
    std::map<int, Row> rows;
    for (int r = 0; r < kRows; ++r)
        rows[r].echoes.push_back(echo(5, 100, 110));
    Frame frame(rows);
    frame.draw(kRows - 4);
    for (const auto &list : frame.view.BScanLists.lines)
        EXPECT_TRUE(list.empty());
    const QImage &image = frame.view.std_BBitMap;
    // Band line 1 at Trunc(84 x HScale), drawn LineWidth pixels wide across the image.
    EXPECT_EQ(image.pixelColor(300, int(84 * kHScale)), frame.view.style.color_frame);
    EXPECT_EQ(frame.view.std_ABitMap.size(), QSize(734, 311));

    frame.draw(kRows - 5);
    EXPECT_FALSE(frame.view.BScanLists.lines[5].empty());
}

TEST(BScanFrame, NaturalWidthUsesTheVerticalScale)
{
    Frame frame({});
    frame.view.style.WidthCompress = false;
    frame.draw();
    EXPECT_DOUBLE_EQ(frame.view.WScale, kHScale);
    EXPECT_EQ(frame.view.std_BBitMap.width(), int(3000 * kHScale));
}

TEST(BScanFrame, ReplayMarksAreWrittenAtTheirRow)
{
    Frame frame({});
    frame.file->AddMark(u'?', kCurPos - 3);
    frame.view.style.color_text = Qt::white;
    frame.draw();
    const QImage &image = frame.view.std_BBitMap;
    // The mark's character sits in a band of rows above the texts at the bottom.
    const auto inked = [&](int x0) {
        for (int y = kHeight - 3 * 8; y < kHeight - 3 * 8 + 12; ++y)
            for (int x = x0; x < x0 + 8; ++x)
                if (image.pixelColor(x, y) != frame.view.style.color_background)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(col(kCurPos - 3)));
    EXPECT_FALSE(inked(col(kCurPos - 3) + 40));
}

} // namespace

namespace {

// The colour of the pixels of row y between x0 and x1.
std::vector<QRgb> rowPixels(const QImage &image, int y, int x0, int x1)
{
    std::vector<QRgb> pixels;
    for (int x = x0; x < x1; ++x)
        pixels.push_back(image.pixel(x, y) & 0xffffff);
    return pixels;
}

TEST(BScanFrame, HelpLinesBelowBandLineOneFollowTheCollapse)
{
    Frame frame({});
    frame.view.style.color_frame = Qt::white;
    frame.file->HelpLine = {38, 173, 0, 0, 0, 0};
    frame.draw();
    const QImage &image = frame.view.std_BBitMap;
    const QRgb white = 0xffffff;
    const QRgb background = frame.view.style.color_background.rgb() & 0xffffff;
    // Dotted (style 0): one pixel on, two off, from the left edge. Line 0 lies above
    // band line 1 at its own depth; line 1 below it.
    const std::vector<QRgb> dots{white, background, background, white};
    EXPECT_EQ(rowPixels(image, int(38 * kHScale), 201, 205), dots);
    EXPECT_EQ(rowPixels(image, int(173 * kHScale), 201, 205), dots);

    frame.file->std_bshowhide = true;
    frame.file->resetStdHeigh();
    frame.draw();
    // Collapsed: line 1 moves up by the 42 units removed, on the new scale.
    const double hScale = 500.0 * 5 / 6 / 182;
    EXPECT_EQ(rowPixels(frame.view.std_BBitMap, int((173 - 42) * hScale), 201, 205), dots);
}

TEST(BScanFrame, DistanceToolWithoutPointsDrawsNoCross)
{
    Frame frame({});
    frame.view.tools.CountDis = true;
    frame.view.tools.CountDisPoint = 0;
    frame.view.tools.CountDisStart = QPoint(int(kCurPos * 2 * kWScale) - 300, 40);
    frame.draw();
    const QImage empty = frame.view.std_BBitMap.copy();
    frame.view.tools.CountDisPoint = 1;
    frame.draw();
    // The cross is centred at (300, 40): its diagonals pass through (307, 47).
    EXPECT_EQ(empty.pixel(307, 47), empty.pixel(250, 47));
    EXPECT_EQ(frame.view.std_BBitMap.pixelColor(307, 47), frame.view.style.color_frame);
}

} // namespace

namespace {

TEST(StdFrame, StartSubFileTakesTheStartTimeAndEndsTheFirstDistanceTool)
{
    const std::vector<std::pair<int32_t, const char *>> cases{
        {93012, "09:30"}, {0, "00:00"}, {5, "00:00"}, {235959, "23:59"}, {120000, "12:00"}, {100, "00:01"}};
    StdFileImage image;
    for (const auto &[time, text] : cases) {
        SubFileImage sub = StdTest::minimalSubFile();
        sub.para.m_Time = time;
        sub.addRow({});
        image.subFiles.push_back(sub);
    }
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("times.std", image));
    StdFrame frame;
    for (int k = 0; k < int(cases.size()); ++k) {
        frame.CurPlayPos = 50;
        frame.tools.CountDis = true;
        file->SwitchFile(k);
        frame.startSubFile(*file);
        EXPECT_EQ(frame.InstantTime, cases[k].second) << "m_Time " << cases[k].first;
        EXPECT_EQ(frame.CurPlayPos, 0);
        EXPECT_FALSE(frame.tools.CountDis);
    }
}

} // namespace
