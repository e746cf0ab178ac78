// The calibration waveform window without its widgets: the run it draws, the records
// it draws and where, its group labels, the scroll bar, the drag and the measuring.

#include "analysis/CalibrationDrawing.h"

#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"
#include "viewer/ViewLayout.h"

#include <QImage>

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

using namespace brantview;

namespace {

using RunRecords = std::initializer_list<std::tuple<int, int, int>>;  // code, step, data

// A calibration point (record 1) after an echo, then `records`, then an echo column.
RecordingSlot slotWithRun(RunRecords records)
{
    StreamWriter w;
    w.record(1, 10, 30);
    w.record(Code::CalibrationPoint, 0, 0);
    for (const auto &[code, step, data] : records)
        w.record(code, step, data);
    w.record(2, 10, 30);
    return DecodeStreamBytes(w.bytes(), QStringLiteral("QC0001.D01"));
}

// The window's picture, 1000 × 400 points at one pixel a point. With the window just
// opened (V = −340) a run position p lies at x = 660 − p.
struct Window {
    explicit Window(RunRecords records) : slot(slotWithRun(records)), waveform(slot, BuildCalibrationRun(slot, 1))
    {
        slot.ViewStart = 12345;
    }

    CalibrationPicture draw()
    {
        canvas.reset();
        image.fill(Qt::black);
        canvas = std::make_unique<ViewCanvas>(image, 72, true);
        return drawJDB(*canvas, waveform, {slot, 0, settings, state, 1000, 3});
    }
    QRgb pixel(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    int countInColumn(int x, int top, int bottom, int32_t colour) const
    {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            n += pixel(x, y) == (colourOf(colour).rgb() & 0xFFFFFF);
        return n;
    }

    RecordingSlot slot;
    CalibrationWaveform waveform;
    BrantSettings settings;
    ViewState state;
    QImage image{1000, 400, QImage::Format_RGB32};
    std::unique_ptr<ViewCanvas> canvas;
};

TEST(CalibrationWaveform, TheRecordThatEndsTheRunIsItsLastEntryAndOnlyGlyphsAndRunEchoesAreDrawn)
{
    struct Case {
        const char *what;
        int code;
        int data;
        const char *glyph;  // nullptr: nothing drawn for it
    };
    for (const Case c : {Case{"an echo right after the point", 5, 40, nullptr}, Case{"an \"!\" mark", 24, 4, "!"},
                         Case{"an \"S\" mark", 24, 7, "S"}, Case{"a calibration packet byte", 72, 1, nullptr}}) {
        Window window({{c.code, 3, c.data}, {94, 5, 40}});
        ASSERT_EQ(window.waveform.run().size(), 1u) << c.what;
        EXPECT_EQ(window.waveform.run()[0].record, 2) << c.what;
        EXPECT_EQ(window.waveform.run()[0].position, 3) << c.what;
        const CalibrationPicture picture = window.draw();
        EXPECT_EQ(picture.drawnEntries, 1u) << c.what;
        EXPECT_TRUE(window.canvas->dots().empty()) << c.what;
        bool glyphDrawn = false;
        for (const TextItem &t : window.canvas->texts())
            glyphDrawn |= c.glyph && t.text == QString::fromUtf8(c.glyph) && t.x == 657;
        EXPECT_EQ(glyphDrawn, c.glyph != nullptr) << c.what;
        // The slot's own view start is back.
        EXPECT_EQ(window.slot.ViewStart, 12345);
    }
}

TEST(CalibrationWaveform, RunEchoesAreDrawnAtTheirRunPositionAndTheSecondGroupOnlyWhenShown)
{
    // 94: code 14 (0°, channel "6"); 106: code 26 (second-group 70°, channel "1");
    // 95 (code 15) and 80 (code 0) are no echoes.
    Window window({{94, 100, 40}, {106, 0, 50}, {95, 0, 40}, {80, 0, 40}, {113, 20, 30}});
    const int green = window.settings.ChannelColour[5];
    const int red = window.settings.ChannelColour[0];
    window.draw();
    const int B1 = bandOffsets(window.settings, false).B1;
    EXPECT_EQ(window.pixel(560, CalibrationPaneTop + B1 + 20), colourOf(green).rgb() & 0xFFFFFF);
    int redDots = 0;
    for (const DotItem &d : window.canvas->dots())
        redDots += d.colour == red;
    EXPECT_EQ(redDots, 0);
    EXPECT_EQ(window.canvas->dots().size(), 2u);  // codes 94 and 113
    for (const DotItem &d : window.canvas->dots())
        EXPECT_EQ(d.size, 3);

    window.state.SecondGroupShown = true;
    window.draw();
    redDots = 0;
    for (const DotItem &d : window.canvas->dots())
        redDots += d.colour == red;
    EXPECT_EQ(redDots, 1);
}

TEST(CalibrationWaveform, AGroupBoundaryIsARedDashDotDotLineDownThePane)
{
    Window window({{104, 200, 0}, {94, 10, 40}});
    const CalibrationPicture picture = window.draw();
    const int x = 460;
    const int red = window.countInColumn(x, int(picture.top), int(picture.bottom), GroupBoundaryRed);
    const int span = int(picture.bottom - picture.top);
    // Dashed: most of the pane, not all of it; nothing above or below it.
    EXPECT_GT(red, span / 3);
    EXPECT_LT(red, span);
    EXPECT_EQ(window.countInColumn(x, 0, int(picture.top) - 2, GroupBoundaryRed), 0);
    EXPECT_EQ(window.countInColumn(x, int(picture.bottom) + 2, 399, GroupBoundaryRed), 0);
    EXPECT_EQ(window.countInColumn(x + 2, int(picture.top), int(picture.bottom), GroupBoundaryRed), 0);
}

TEST(CalibrationWaveform, GroupLabelsCloserThanSeventyPointsAreSetApartTowardTheLeft)
{
    EXPECT_EQ(groupLabelText(3, 12, 5), QStringLiteral("(3:05→12)"));
    Window window({{105, 300, 3}, {105, 0, 12}, {105, 0, 5},   // at 300: x 360
                   {105, 30, 1}, {105, 0, 2}, {105, 0, 3},     // at 330: x 330, set at 290
                   {105, 270, 7}, {105, 0, 8}, {105, 0, 9},    // at 600: x 60, far enough
                   {94, 10, 40}});
    const CalibrationPicture picture = window.draw();
    ASSERT_EQ(picture.labels.size(), 3u);
    EXPECT_EQ(picture.labels[0].text, QStringLiteral("(3:05→12)"));
    EXPECT_EQ(picture.labels[1].text, QStringLiteral("(1:03→02)"));
    EXPECT_EQ(picture.labels[2].text, QStringLiteral("(7:09→08)"));
    EXPECT_DOUBLE_EQ(picture.labels[0].x, 360);
    EXPECT_DOUBLE_EQ(picture.labels[1].x, 290);
    EXPECT_DOUBLE_EQ(picture.labels[2].x, 60);
    EXPECT_DOUBLE_EQ(picture.labels[0].y, picture.bottom + 2);
    for (const TextItem &t : window.canvas->texts()) {
        if (t.text.startsWith(QLatin1Char('('))) {
            EXPECT_EQ(t.colour, GroupLabelBlue);
        }
    }

    // Scrolled so that the drawing starts inside a label: its rest is no label, the
    // bytes after it keep their groups.
    window.waveform.scrollTo(-1);  // V = 340: from position −10 on
    window.waveform.scrollTo(-2);  // V = 680: from position 330 on
    const CalibrationPicture later = window.draw();
    ASSERT_EQ(later.labels.size(), 2u);
    EXPECT_EQ(later.labels[0].text, QStringLiteral("(1:03→02)"));
}

TEST(CalibrationWaveform, TheScrollBarTakesACoarserScaleForARunTooLongForIt)
{
    const CalibrationScroll small = calibrationScrollOf(1000);
    EXPECT_EQ(small.S, -340);
    EXPECT_EQ(small.Min, -4);  // Int(1300 / −340) = Int(−3.8)
    EXPECT_EQ(small.Max, 1);
    EXPECT_EQ(small.Value, 1);

    const int32_t fits = 340 * 32767 - 300;
    EXPECT_EQ(calibrationScrollOf(fits).S, -340);
    EXPECT_EQ(calibrationScrollOf(fits).Min, -32767);

    const int32_t tooLong = 340 * 32767;
    const CalibrationScroll coarse = calibrationScrollOf(tooLong);
    EXPECT_EQ(coarse.Min, -32767);
    EXPECT_DOUBLE_EQ(coarse.S, (tooLong + 300.0) / -32767);
    // The bar's end still shows the run's end.
    EXPECT_GE(coarse.Min * coarse.S, tooLong);
}

TEST(CalibrationWaveform, ScrollingKeysAndTheDragKeepToTheirLimits)
{
    Window window({{94, 500, 40}});  // and the echo after it: L = 510, Min = Int(810 / −340) = −3
    CalibrationWaveform &w = window.waveform;
    EXPECT_EQ(w.V(), -340);
    EXPECT_FALSE(w.scrollKey(221));  // "]" at Max
    EXPECT_TRUE(w.scrollKey(219));
    EXPECT_EQ(w.V(), 0);
    w.scrollTo(-10);
    EXPECT_EQ(w.scroll().Value, -3);
    EXPECT_EQ(w.V(), 1020);
    EXPECT_FALSE(w.scrollKey(219));

    w.scrollTo(1);
    w.beginDrag(500);
    EXPECT_FALSE(w.dragTo(540));  // −300 is beyond the start
    EXPECT_TRUE(w.dragTo(541));
    EXPECT_EQ(w.V(), -299);
    EXPECT_EQ(w.scroll().Value, 1);
    EXPECT_TRUE(w.dragTo(541 + 1108));  // 809 < L + 300
    EXPECT_EQ(w.V(), 809);
    EXPECT_EQ(w.scroll().Value, -2);    // the bar follows without moving the view
    EXPECT_FALSE(w.dragTo(541 + 1109));
    EXPECT_EQ(w.V(), 809);
    w.endDrag();
    EXPECT_FALSE(w.dragTo(0));
}

TEST(CalibrationWaveform, TheMeasuredLengthIsPrintedBesideTheEndLine)
{
    struct Case {
        double startClick, endClick;
        double textX;  // right of the end line when it lies right of the start
    };
    for (const Case c : {Case{600, 100, 20}, Case{100, 600, 610}}) {
        Window window({{94, 500, 40}});
        CalibrationWaveform &w = window.waveform;
        EXPECT_EQ(w.popupAt(c.startClick).end, false);
        w.setMeasureStart(1000);
        const MeasurePopupItems items = w.popupAt(c.endClick);
        EXPECT_TRUE(items.start && items.end && items.clear);
        w.setMeasureEnd(1000);
        EXPECT_EQ(w.measure().state, MeasureBothSet);
        EXPECT_DOUBLE_EQ(w.measure().distance, 500 * 2.94);

        const CalibrationPicture picture = window.draw();
        std::vector<TextItem> texts;
        for (const TextItem &t : window.canvas->texts())
            if (t.colour == MeasureGreen)
                texts.push_back(t);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, QStringLiteral("0+1.47M"));
        EXPECT_DOUBLE_EQ(texts[0].x, c.textX);
        EXPECT_DOUBLE_EQ(texts[0].y, picture.top + 10);
        EXPECT_GT(window.countInColumn(int(c.startClick), int(picture.top), int(picture.bottom), MeasureGreen), 0);
        EXPECT_GT(window.countInColumn(int(c.endClick), int(picture.top), int(picture.bottom), MeasureGreen), 0);
    }

    // A new start with both marks set measures again; clearing removes the lines.
    Window window({{94, 500, 40}});
    CalibrationWaveform &w = window.waveform;
    w.popupAt(600);
    w.setMeasureStart(1000);
    w.popupAt(500);
    w.setMeasureEnd(1000);
    w.popupAt(400);
    w.setMeasureStart(1000);
    EXPECT_DOUBLE_EQ(w.measure().distance, 100 * 2.94);
    w.clearMeasure();
    EXPECT_FALSE(w.popupAt(0).end);
    const CalibrationPicture picture = window.draw();
    EXPECT_EQ(window.countInColumn(400, int(picture.top), int(picture.bottom), MeasureGreen), 0);
}

TEST(CalibrationWaveform, OpeningPutsTheDisplayFontsBack)
{
    BrantSettings settings;
    settings.TextFonts[0] = TextFont{QStringLiteral("Arial"), 20, false, true};
    settings.TextFonts[1] = TextFont{QStringLiteral("Arial"), 9, true, false};
    ResetDisplayFonts(settings);
    EXPECT_EQ(settings.TextFonts[0], (TextFont{QStringLiteral("宋体"), 30, true, false}));
    EXPECT_EQ(settings.TextFonts[1], (TextFont{QStringLiteral("宋体"), 12, false, false}));
}

} // namespace
