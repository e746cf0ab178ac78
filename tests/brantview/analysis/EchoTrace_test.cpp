#include "analysis/EchoTrace.h"
#include "analysis/EchoTracePicture.h"

#include "recording/Packets.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace brantview;

namespace {

struct Rec {
    int code = 0;
    int data = 0;
    int step = 0;
};

// A stream laid out by position: filler columns of at most 10 Steps, and columns
// closing exactly at a position with the records given (a code-0 record closes them
// unless the last record's own step does).
class Stream {
public:
    Stream &column(int position, const std::vector<Rec> &records)
    {
        int own = 0;
        for (const Rec &r : records)
            own += r.step;
        fill(position - (own != 0 ? own : 1));
        for (const Rec &r : records)
            m_writer.record(r.code, r.step, r.data);
        if (own == 0)
            m_writer.record(0, 1, 0);
        m_position = position;
        return *this;
    }
    Stream &fill(int position)
    {
        while (m_position < position) {
            const int step = std::min(position - m_position, 10);
            m_writer.record(0, step, 0);
            m_position += step;
        }
        return *this;
    }
    // Decoded, its right edge at `viewStart`, CurrentColumn as the window opens it.
    RecordingSlot slot(int32_t viewStart) const
    {
        RecordingSlot s = DecodeStreamBytes(m_writer.bytes(), QStringLiteral("QC0001.D01"));
        s.ViewStart = viewStart;
        s.CurrentColumn = CurrentColumnOf(s);
        return s;
    }

private:
    StreamWriter m_writer;
    int m_position = 0;
};

constexpr int32_t ViewStart = 1000;
constexpr int W = 500;

EchoDepths depthsOf(std::initializer_list<std::pair<int, std::array<int32_t, 2>>> channels)
{
    EchoDepths d{};
    for (const auto &[k, values] : channels)
        d[size_t(k)] = values;
    return d;
}

} // namespace

// The marker counts points from the left edge: Max is the right edge (ViewStart), 0
// the left edge (ViewStart + W). Only a column at exactly that position is shown, and
// the search runs forward from CurrentColumn, no further than ViewStart + W + 100.
TEST(EchoTrace, TheMarkerFindsOnlyAColumnAtExactlyItsPosition)
{
    const RecordingSlot slot = Stream()
                                   .column(850, {{5, 10}})
                                   .column(1000, {{5, 20}})
                                   .column(1203, {{5, 30}})
                                   .column(1500, {{5, 40}})
                                   .column(1650, {{5, 50}})
                                   .fill(1800)
                                   .slot(ViewStart);
    struct Case {
        int value;
        std::optional<int32_t> depth;  // of the column found, on channel "3"
    };
    const Case cases[] = {
        {W, 20},            // ViewStart itself
        {0, 40},            // the left edge
        {W - 203, 30},      // 1203
        {W - 202, 0},       // 1202: a filler column, no echo
        {W - 201, std::nullopt},  // 1201: between columns
    };
    for (const Case &c : cases) {
        const EchoTrace trace = TraceAtMarker(slot, c.value, W, false);
        EXPECT_EQ(trace.P, ViewStart + W - c.value);
        ASSERT_EQ(trace.column.has_value(), c.depth.has_value()) << c.value;
        if (c.depth) {
            EXPECT_EQ(slot.Columns[size_t(*trace.column)].position, trace.P);
            EXPECT_EQ(trace.echoes.depths[2][0], *c.depth);
        }
    }
    // Before CurrentColumn (ViewStart − 100) and beyond ViewStart + W + 100 nothing is found.
    EXPECT_FALSE(FindTraceColumn(slot, slot.CurrentColumn, 850, W));
    EXPECT_FALSE(FindTraceColumn(slot, slot.CurrentColumn, 1650, W));
    EXPECT_TRUE(FindTraceColumn(slot, 0, 850, W));
}

TEST(EchoTrace, EachCodeFeedsItsChannelAndTheSensitivityChoosesTheFirstGroup)
{
    struct Case {
        std::vector<Rec> records;
        bool high;
        EchoDepths depths;
        bool loss = false;
        bool band = false;
    };
    const std::vector<Case> cases = {
        {{{1, 50}, {3, 60}}, false, depthsOf({{0, {50, 0}}, {1, {60, 0}}})},
        {{{1, 50}, {4, 60}}, true, {}},
        {{{26, 50}, {29, 60}}, true, depthsOf({{0, {50, 0}}, {1, {60, 0}}})},
        {{{27, 50}, {28, 60}}, false, {}},
        // Single-echo channels keep the latest.
        {{{2, 50}, {1, 70}, {12, 5}, {17, 6}, {18, 7}, {21, 8}, {22, 9}}, false,
         depthsOf({{0, {70, 0}}, {5, {6, 0}}, {6, {7, 0}}, {7, {8, 0}}, {8, {9, 0}}})},
        // Two-echo channels: the third echo takes the first slot again.
        {{{5, 11}, {6, 12}, {7, 13}, {8, 21}, {10, 22}}, false, depthsOf({{2, {13, 12}}, {3, {21, 22}}})},
        // Codes 11 and 33 share the 0° slots; 33 counts only with step value 2.
        {{{11, 40}, {33, 50}, {33, 60, 2}}, false, depthsOf({{4, {40, 60}}})},
        {{{11, 0}}, false, {}, true},
        {{{34, 0}}, false, {}, true},
        {{{32, 1}}, false, {}, false, true},
        {{{35, 1}}, false, {}, false, true},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        const RecordingSlot slot = Stream().column(1000, c.records).fill(1100).slot(ViewStart);
        const ColumnEchoes echoes = CollectEchoes(slot, *FindTraceColumn(slot, 0, 1000, W), c.high);
        EXPECT_EQ(echoes.depths, c.depths) << "case " << i;
        EXPECT_EQ(echoes.loss, c.loss) << "case " << i;
        EXPECT_EQ(echoes.band, c.band) << "case " << i;
    }
}

// The double-probe mode is the high nibble of byte 19 only above firmware 700.
TEST(EchoTrace, TheDoubleProbeModeIsReadAbove700Only)
{
    RecordingSlot slot = Stream().column(1000, {}).slot(ViewStart);
    for (const int firmware : {700, 701}) {
        ParamBlock params;
        params.setFirmwareVersion(firmware);
        params.set(19, 0x20);
        ParamEntry entry{};
        for (int k = 1; k <= PacketLength::Param; ++k)
            entry[size_t(k)] = params.byte(k);
        slot.ParamTable = {entry};
        EXPECT_EQ(TraceAtMarker(slot, W, W, false).doubleProbeMode, firmware == 700 ? 0 : 2);
    }
}

// One point to the left is a step: the main view draws only the column found. Any
// other move (a click in the track, a step back to the right) redraws it up to P.
TEST(EchoTrace, OnlyASingleStepLeftAvoidsTheFullRedraw)
{
    const RecordingSlot slot = Stream().fill(1700).slot(ViewStart);
    TraceMarker marker(W);
    EXPECT_TRUE(marker.Jumped);
    struct Move {
        int value;
        bool full;
    };
    for (const Move m : {Move{W - 1, false}, Move{W - 2, false}, Move{300, true}, Move{301, true}, Move{300, false},
                         Move{0, true}}) {
        marker.moveTo(m.value);
        const EchoTrace trace = TraceAtMarker(slot, m.value, W, false);
        const MainViewFollow follow = FollowInMainView(trace, marker.Jumped);
        EXPECT_EQ(follow.fullRedraw, m.full) << m.value;
        EXPECT_EQ(marker.lineX(), m.value);
        EXPECT_EQ(follow.currentLastPos, ViewStart + W - m.value);
        EXPECT_EQ(follow.column.has_value(), !m.full && trace.P % 10 == 0) << m.value;
    }
}

namespace {

// 144 dpi: ten twips a pixel.
constexpr double Dpi = 144;
constexpr int Wd = 2400;  // twips
constexpr int H = 3000;   // y0 = 1050

TraceColours colours()
{
    TraceColours c;
    c.back = Black;
    c.fore = packedColour(0, 200, 0);
    c.channel = InstrumentChannelColours(White);
    c.channel[4] = packedColour(255, 128, 0);
    c.channel[6] = packedColour(100, 100, 255);
    return c;
}

QRgb rgbOf(int32_t colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF).rgb();
}

QRgb pixel(const QImage &image, int xTwips, int yTwips)
{
    return image.pixel(xTwips / 10, yTwips / 10);
}

struct Picture {
    QImage image{Wd / 10, H / 10, QImage::Format_RGB32};
    TraceDrawing drawing;

    explicit Picture(const EchoTrace &trace) { drawing = DrawEchoTrace(image, Dpi, trace, colours()); }
};

// Gates of entry e: bounds rows 0..3.
void setGates(EchoTrace &trace, int entry, std::array<int32_t, 4> bounds)
{
    for (size_t row = 0; row < 4; ++row)
        trace.RailSetupTable[row][size_t(entry)] = bounds[row];
}

} // namespace

TEST(EchoTracePicture, SpikesRiseFromTheirRowToTheEdgeAtTheirDepth)
{
    EchoTrace trace;  // rail 0: range 200 for "3" at 37°, 250 for "5"
    trace.echoes.depths = depthsOf({{2, {40, 150}}, {0, {100, 0}}});
    setGates(trace, 4, {40, 80, 240, 240});
    const Picture picture(trace);
    EXPECT_EQ(picture.drawing.y0, 1050);
    ASSERT_EQ(picture.drawing.spikes.size(), 3u);
    const TraceSpike &first = picture.drawing.spikes[0];  // channel "1" comes first
    EXPECT_EQ(first.channel, 0);
    EXPECT_EQ(first.row, TraceRow::One);
    EXPECT_EQ(first.x, 1200);
    EXPECT_EQ(first.y, 1200);
    EXPECT_EQ(first.peak, 0);
    const TraceSpike &three = picture.drawing.spikes[2];
    EXPECT_EQ(three.x, 1800);  // 2400 × 150 / 200
    EXPECT_EQ(three.y, 1500);
    EXPECT_EQ(three.peak, H);

    const ChannelValues k = colours().channel;
    EXPECT_EQ(pixel(picture.image, 1200, 600), rgbOf(k[0]));   // the rise of "1", above its row
    EXPECT_EQ(pixel(picture.image, 1200, 1400), rgbOf(Black));  // nothing below its row
    EXPECT_EQ(pixel(picture.image, 1800, 2500), rgbOf(k[2]));  // "3" falls to the bottom edge
    EXPECT_EQ(pixel(picture.image, 1800, 700), rgbOf(Black));
    // The 0° back echo: the middle of the first gate of entry 4 (60 of 240).
    ASSERT_EQ(picture.drawing.references.size(), 1u);
    EXPECT_EQ(picture.drawing.references[0].x, 600);
    EXPECT_EQ(picture.drawing.references[0].y, 1800);
    EXPECT_EQ(pixel(picture.image, 600, 2500), rgbOf(k[4]));
}

TEST(EchoTracePicture, TheFlagsSuppressTheReferenceSpikes)
{
    struct Case {
        bool loss;
        bool band;
        int mode;
        std::vector<int> referenceChannels;
    };
    for (const Case &c : {Case{false, false, 0, {4}}, Case{true, false, 0, {}}, Case{false, false, 1, {4, 6}},
                          Case{false, true, 2, {4}}, Case{false, false, 2, {4, 7}}, Case{true, false, 3, {}}}) {
        EchoTrace trace;
        trace.echoes.loss = c.loss;
        trace.echoes.band = c.band;
        trace.doubleProbeMode = c.mode;
        setGates(trace, 4, {20, 40, 100, 140});  // the second gate is set: B = 120
        setGates(trace, 9, {200, 220, 240, 240});
        const Picture picture(trace);
        std::vector<int> channels;
        for (const TraceSpike &s : picture.drawing.references)
            channels.push_back(s.channel);
        EXPECT_EQ(channels, c.referenceChannels) << c.loss << c.band << c.mode;
        const QRgb zero = pixel(picture.image, 1200, 2500);
        EXPECT_EQ(zero == rgbOf(colours().channel[4]), !c.loss);
        if (c.mode == 1 && !c.band) {
            EXPECT_EQ(picture.drawing.references[1].x, 2100);
            EXPECT_EQ(picture.drawing.references[1].y, 1950);
        }
        EXPECT_EQ(picture.drawing.baselines.size(), c.mode == 1 || c.mode == 2 ? 7u : 6u);
    }
}

TEST(EchoTracePicture, ChannelsWithoutARangeDrawNoSpike)
{
    EchoTrace trace;
    trace.probes.probeByte = 0x6C;  // older firmware: no kind of "3"/"4", none of "6"
    trace.echoes.depths = depthsOf({{2, {50, 0}}, {3, {60, 0}}, {5, {70, 0}}, {1, {80, 0}}});
    const Picture picture(trace);
    ASSERT_EQ(picture.drawing.spikes.size(), 1u);
    EXPECT_EQ(picture.drawing.spikes[0].channel, 1);
    EXPECT_EQ(picture.drawing.unrangedChannels, (std::vector<int>{2, 3, 5}));
}

// A gate lies 20 twips off its baseline toward the spikes in the foreground colour;
// the rest of the baseline is dotted white; an entry starting at 0 is a plain line.
TEST(EchoTracePicture, GatesStandOffTheBaselineTowardTheSpikes)
{
    EchoTrace trace;
    setGates(trace, 2, {60, 120, 180, 200});  // row "3": below its baseline
    setGates(trace, 0, {30, 90, 240, 240});   // rows "1" and "2": above
    setGates(trace, 4, {40, 80, 240, 240});
    const Picture picture(trace);
    const std::vector<TraceBaseline> &lines = picture.drawing.baselines;
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[TraceRow::Three].gates.size(), 2u);
    EXPECT_EQ(lines[TraceRow::Three].gates[0].from, 600);
    EXPECT_EQ(lines[TraceRow::Three].gates[1].to, 2000);
    EXPECT_TRUE(lines[TraceRow::Four].plain);

    const QRgb fore = rgbOf(colours().fore);
    EXPECT_EQ(pixel(picture.image, 900, 1520), fore);   // row "3" gate, 20 below 1500
    EXPECT_EQ(pixel(picture.image, 1900, 1520), fore);  // its second gate
    EXPECT_EQ(pixel(picture.image, 600, 1200 - 20), fore);  // row "1" gate, above 1200
    EXPECT_EQ(pixel(picture.image, 600, 1350 - 20), fore);  // row "2", the same entry
    EXPECT_NE(pixel(picture.image, 900, 1680), fore);

    // Row "4" (1650) is white all along; row "3" outside its gates is dotted: some
    // white, some background.
    int plainWhite = 0;
    int dottedWhite = 0;
    for (int x = 0; x < Wd; x += 10) {
        plainWhite += pixel(picture.image, x, 1650) == rgbOf(White);
        if (x < 600)
            dottedWhite += pixel(picture.image, x, 1500) == rgbOf(White);
    }
    EXPECT_EQ(plainWhite, Wd / 10);
    EXPECT_GT(dottedWhite, 5);
    EXPECT_LT(dottedWhite, 55);
}

TEST(EchoTracePicture, TheWindowPictureHasItsRulersAroundTheTrace)
{
    EchoTrace trace;
    TextFont font{QStringLiteral("宋体"), 30, true, false};
    const TraceWindowPicture picture = DrawTraceWindowPicture(Wd, H, Dpi, trace, font, colours());
    EXPECT_EQ(picture.image.size(), QSize((RulerDepth + Wd) / 10, (2 * RulerDepth + H) / 10));
    const QRgb fore = rgbOf(colours().fore);
    // Base lines 10 twips inside the edges that face the trace, three points wide.
    EXPECT_EQ(picture.image.pixel((RulerDepth + 1000) / 10, (RulerDepth - 10) / 10), fore);
    EXPECT_EQ(picture.image.pixel((RulerDepth + 1000) / 10, (RulerDepth + H + 10) / 10), fore);
    EXPECT_EQ(picture.image.pixel((RulerDepth - 10) / 10, (RulerDepth + 1000) / 10), fore);
    // The long tick at the fifth division of the top ruler.
    EXPECT_EQ(picture.image.pixel((RulerDepth + Wd / 2) / 10, (RulerDepth - 150) / 10), fore);
    EXPECT_EQ(picture.image.pixel((RulerDepth + Wd / 2 + 100) / 10, (RulerDepth - 150) / 10), rgbOf(Black));
}
