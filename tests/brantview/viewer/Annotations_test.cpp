#include "ViewFixture.h"

#include "recording/Packets.h"

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// Right edge at 500: a column at position p lies at x = 1500 − p.
constexpr int32_t RightEdge = 500;

std::array<uint8_t, 9> mileageBytes(uint32_t mileage)
{
    MileagePacket packet;
    packet.speed = 52;
    packet.channelFlags = 0x1FF;
    packet.hour = 13;
    packet.minute = 5;
    packet.second = 9;
    packet.mileage = mileage;
    return packet.bytes();
}

TEST(Annotations, AdjacentMarksArePushedLeftByTheGlyphWidth)
{
    StreamWriter w;
    column(w, 1000);
    column(w, 1, {{24, 2}});  // "*" at 1001: x 499
    column(w, 1, {{24, 2}});  // 1002: x 498, pushed to 479
    column(w, 1, {{24, 3}});  // "△" (25) at 1003: pushed to 454
    column(w, 100, {{24, 7}, {24, 7}, {24, 8}, {24, 8}});  // "S" and "$" once per column
    column(w, 10, {{24, 13}});  // curve end: no glyph
    View view;
    view.load(w, RightEdge);
    view.draw();
    std::vector<std::pair<double, QString>> glyphs;
    for (const TextItem &t : view.canvas.texts())
        if (t.colour == packedColour(255, 0, 0))
            glyphs.push_back({t.x, t.text});
    const std::vector<std::pair<double, QString>> expected = {
        {499, QStringLiteral("*")}, {479, QStringLiteral("*")}, {454, QStringLiteral("△")},
        {397, QStringLiteral("S")}, {377, QStringLiteral("$")}};
    EXPECT_EQ(glyphs, expected);
}

TEST(Annotations, AMileagePostBecomesCurrentOnlyInsideTheCentralArea)
{
    struct Case {
        int x;
        bool current;
    };
    for (const Case c : {Case{100, false}, Case{101, true}, Case{899, true}, Case{900, false}}) {
        SCOPED_TRACE(testing::Message() << "x " << c.x);
        const int32_t p = 1500 - c.x;
        StreamWriter w;
        column(w, p - 100);
        packetColumn(w, 100, Code::Mileage, mileageBytes(123456));
        column(w, 10);
        View view;
        view.load(w, RightEdge);
        const RedrawReport report = view.draw();
        const std::optional<MileagePost> &post = report.slotReports.at(0).CurrentPost;
        ASSERT_EQ(post.has_value(), c.current);
        if (c.current) {
            EXPECT_EQ(post->position, p);
            EXPECT_EQ(post->mileageValue(), 123456u);
        }
    }
}

TEST(Annotations, TheMileageHeaderShowsPostTimeSpeedAndChannelsOrTheReferenceText)
{
    StreamWriter w;
    column(w, 1000);
    packetColumn(w, 10, Code::Mileage, mileageBytes(123456));
    for (const bool reference : {false, true}) {
        View view;
        view.load(w, RightEdge, 0);
        view.load(w, RightEdge, 1);
        view.settings.SyncMode = !reference;
        const RedrawReport report = view.draw();
        const SlotDrawReport &second = report.slotReports.at(1);
        QStringList slot1;
        for (const TextItem &t : view.canvas.texts())
            if (t.y > second.T + second.L)
                slot1 << t.text;
        EXPECT_EQ(slot1.join(QString()), QStringLiteral("12KM+345.6M  1:5:9PM  ")
                                             + (reference ? QStringLiteral(" 参考文件")
                                                          : QStringLiteral("5.2km/h(1,2,3,4,6,1A,2A,6A,)")));
    }
}

TEST(Annotations, GainTextsShowWhatChangedSinceTheGainsLastShown)
{
    const std::array<uint8_t, 11> gains = {10, 11, 12, 13, 14, 15, 16, 17, 18, 5, 2};
    std::array<uint8_t, 11> changed = gains;
    changed[2] = 20;
    changed[9] = 6;
    changed[10] = 3;
    StreamWriter w;
    packetColumn(w, 100, Code::Gain, gains);    // before the walk: the gains in effect
    column(w, 40);                              // 140: the walk starts here
    column(w, 860);
    packetColumn(w, 1, Code::Gain, gains);      // 1001
    column(w, 100);
    packetColumn(w, 1, Code::Gain, changed);    // 1102
    column(w, 10);
    View view;
    view.load(w, RightEdge);
    view.draw();
    const std::vector<TextItem> texts = view.textsStartingWith(QStringLiteral("("));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("(dB)"));
    EXPECT_EQ(texts[1].text, QStringLiteral("( 3:20dB(-6dB) 60轨 75轨)"));
    EXPECT_EQ(texts[1].colour, packedColour(128, 240, 255));
    // The header row lies 20 below the text line; gain texts 15 above it.
    const RedrawReport again = view.draw();
    EXPECT_EQ(texts[0].y, 30 + again.slotReports[0].L + 20 - 15);
    EXPECT_EQ(view.textsStartingWith(QStringLiteral("(")).front().text, QStringLiteral("(dB)"));
}

TEST(Annotations, ACalibrationPushedLeftShows3MillimetresMorePerPoint)
{
    StreamWriter w;
    column(w, 1000, {{24, 2}});                                    // "*" at x 500
    packetColumn(w, 40, Code::Calibration, bigEndian16(123));     // x 460, pushed to 450
    packetColumn(w, 200, Code::Calibration, bigEndian16(123));    // x 260, not pushed
    column(w, 10);
    View view;
    view.load(w, RightEdge);
    view.draw();
    const std::vector<TextItem> arrows = view.textsStartingWith(QStringLiteral(">"));
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_EQ(arrows[0].x, 450);
    EXPECT_EQ(arrows[1].x, 260);
    QStringList distances;
    for (const TextItem &t : view.canvas.texts())
        if (t.colour == packedColour(160, 255, 160))
            distances << t.text;
    EXPECT_EQ(distances, (QStringList{QStringLiteral("1.26"), QStringLiteral("1.23")}));
}

TEST(Annotations, ErrorRecordsOfAColumnGiveDots3PointsApart)
{
    StreamWriter w;
    column(w, 1000, {{24, 0}, {1, 0}, {24, 15}});  // two invalid marks become error records
    column(w, 10);
    View view;
    view.load(w, RightEdge);
    view.draw();
    const std::vector<TextItem> dots = view.textsStartingWith(QStringLiteral("."));
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].x, 500);
    EXPECT_EQ(dots[1].x, 503);
    EXPECT_EQ(dots[0].y, dots[1].y);
}

TEST(Annotations, CalibrationPointsBecomeHotSpotsOfTheirView)
{
    StreamWriter w;
    column(w, 1000, {{73, 0}});
    column(w, 5, {{73, 0}});
    column(w, 10);
    View view;
    view.load(w, RightEdge);
    for (int pass = 0; pass < 2; ++pass) {
        const RedrawReport report = view.draw();
        const int G = 30 + report.slotReports[0].L + 2;
        const std::vector<CalibrationHotSpot> &spots = view.panes.Slots[0].CalibrationHotSpots;
        ASSERT_EQ(spots.size(), 2u);
        EXPECT_EQ(spots[0].x, 500);
        EXPECT_EQ(spots[0].y, G + 10);
        EXPECT_EQ(spots[0].record, 1);
        EXPECT_EQ(spots[1].x, 485);  // 495 pushed left of the first by 15
        EXPECT_EQ(spots[1].record, 3);
    }
}

} // namespace
