// Keys and pointer on the B-scan view: the key table's effects on the view state and
// the settings, and the pointer's picks, drags and depth read-out.

#include "viewer/ViewKeys.h"
#include "viewer/ViewLayout.h"
#include "viewer/ViewPointer.h"

#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// A recording of `columns` columns one Step apart, each with one 0° echo.
RecordingSlot recording(int columns)
{
    StreamWriter w;
    for (int i = 0; i < columns; ++i)
        w.record(11, 1, 40);
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), w.bytes()), true, QDateTime::currentDateTime());
}

struct View {
    BrantSettings settings;
    ViewState state;
    RecordingSlots panes;

    explicit View(bool two)
    {
        state.R = 1000;
        state.viewHeight = 1000;
        panes.Slots[0] = recording(2000);
        if (two) {
            panes.Slots[1] = recording(1000);
            panes.SecondLoaded = true;
        }
    }
    KeyOutcome key(int code, int shift = 0)
    {
        return HandleViewKey(code, shift, settings, state, panes, StepButtons{true, true});
    }
    PointerContext pointer() { return {settings, state, panes}; }
};

TEST(ViewKeys, CtrlSCyclesTheHeaderModesThatTheViewCanShow)
{
    for (const bool two : {false, true}) {
        View view(two);
        std::vector<int> modes;
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(view.key(KeyCode::S, CtrlMask).redraw);
            modes.push_back(view.state.HeaderMode);
        }
        EXPECT_EQ(modes, two ? std::vector<int>({1, 2, 0, 1}) : std::vector<int>({1, 0, 1, 0}));
    }
    View plain(false);
    plain.key(KeyCode::S);
    EXPECT_EQ(plain.state.HeaderMode, 0);
}

TEST(ViewKeys, SingleViewKeysWaitForASecondFile)
{
    View one(false);
    EXPECT_FALSE(one.key(KeyCode::Z).redraw);
    EXPECT_FALSE(one.state.SingleView);
    EXPECT_FALSE(one.key(KeyCode::X, CtrlMask).save);

    View two(true);
    EXPECT_TRUE(two.key(KeyCode::Z).redraw);
    EXPECT_TRUE(two.state.SingleView);
    two.key(KeyCode::Escape);
    EXPECT_FALSE(two.state.SingleView);
    EXPECT_TRUE(two.key(KeyCode::X, CtrlMask).save);
    EXPECT_TRUE(two.settings.HeaderBelow);
}

TEST(ViewKeys, LetterKeysNudgeTheBandsOfTheLayoutInUseWithOrWithoutCtrl)
{
    View view(false);
    const BrantSettings before = view.settings;
    const KeyOutcome c = view.key(KeyCode::C, CtrlMask);
    EXPECT_TRUE(c.save && c.redraw);
    EXPECT_EQ(view.settings.BandOffset[0][0], before.BandOffset[0][0] + 1);
    view.key(KeyCode::M);
    view.key(KeyCode::M);
    view.key(KeyCode::K);
    EXPECT_EQ(view.settings.BandOffset[0][1], before.BandOffset[0][1] + 1);

    // J and N move B2 only while the second group is shown.
    const KeyOutcome j = view.key(KeyCode::J);
    EXPECT_FALSE(j.save || j.redraw);
    EXPECT_EQ(view.settings.SecondGroupBandOffset, before.SecondGroupBandOffset);
    view.key(KeyCode::V, CtrlMask);
    EXPECT_TRUE(view.state.SecondGroupShown);
    view.key(KeyCode::N);
    view.key(KeyCode::D);
    EXPECT_EQ(view.settings.SecondGroupBandOffset[0][2], before.SecondGroupBandOffset[0][2] + 1);
    EXPECT_EQ(view.settings.SecondGroupBandOffset[0][0], before.SecondGroupBandOffset[0][0] - 1);

    view.key(KeyCode::H, CtrlMask);
    EXPECT_EQ(view.settings.VS, 2);
    view.key(KeyCode::C);
    EXPECT_EQ(view.settings.SecondGroupBandOffset[1][0], before.SecondGroupBandOffset[1][0] + 1);
}

TEST(ViewKeys, FunctionAndSteppingKeys)
{
    View view(false);
    EXPECT_EQ(view.key(KeyCode::F1).reviewMarkKind, 1);
    EXPECT_EQ(view.key(KeyCode::F8, ShiftMask).reviewMarkKind, 8);
    EXPECT_EQ(view.key(KeyCode::OpenBracket).manualStep, -1);
    EXPECT_EQ(view.key(KeyCode::Period).manualStep, 1);
    EXPECT_EQ(HandleViewKey(KeyCode::Comma, 0, view.settings, view.state, view.panes, StepButtons{false, true}).manualStep,
              0);
    view.key(KeyCode::A, CtrlMask);
    EXPECT_TRUE(view.settings.TrendOn);
}

TEST(ViewPointer, ACalibrationPickWinsOverEveryButtonAndStartsNoDrag)
{
    for (const int button : {PointerButton::Left, PointerButton::Right, PointerButton::Middle}) {
        View view(true);
        view.panes.Slots[1].CalibrationHotSpots = {{500, 400, 77}};
        PointerState pointer;
        const PressOutcome out = PointerDown(pointer, view.pointer(), button, 0, 506, 394);
        EXPECT_TRUE(out.calibrationPicked);
        EXPECT_FALSE(out.popup || out.grabPointer || pointer.PictureDrag);
        EXPECT_EQ(view.panes.CurrentSlot, 1);
        ASSERT_TRUE(view.state.Selected);
        EXPECT_EQ(view.state.Selected->record, 77);
        EXPECT_EQ(view.state.LastCalibrationRun.size(), 1u) << "an echo record right after the point ends its run";
        EXPECT_FALSE(PointerDown(pointer, view.pointer(), button, 0, 507, 400).calibrationPicked);
    }
}

TEST(ViewPointer, APressWhilePlayingOnlyStopsThePlay)
{
    View view(false);
    view.state.AutoPlay = true;
    PointerState pointer;
    const PressOutcome out = PointerDown(pointer, view.pointer(), PointerButton::Right, 0, 100, 100);
    EXPECT_TRUE(out.stoppedAutoPlay);
    EXPECT_FALSE(out.popup);
    EXPECT_FALSE(view.state.AutoPlay);
}

TEST(ViewPointer, ThePopUpChoosesTheSlotAndOffersItemsByTheRange)
{
    View view(true);
    view.panes.Slots[1].ReviewMarks.resize(1);
    PointerState pointer;
    PressOutcome out = PointerDown(pointer, view.pointer(), PointerButton::Right, 0, 321, 320);
    ASSERT_TRUE(out.popup);
    EXPECT_EQ(view.panes.CurrentSlot, 1);
    EXPECT_TRUE(out.fileSet);
    EXPECT_EQ(view.state.Range.PointerX, 321);
    EXPECT_FALSE(out.popup->rangeEnd || out.popup->save);
    EXPECT_TRUE(out.popup->markList);

    view.state.Range.setStart(10);
    out = PointerDown(pointer, view.pointer(), PointerButton::Right, 0, 5, 100);
    EXPECT_EQ(view.panes.CurrentSlot, 0);
    EXPECT_TRUE(out.popup->rangeEnd);
    EXPECT_FALSE(out.popup->save || out.popup->markList);
    view.state.Range.setEnd(20);
    EXPECT_TRUE(PointerDown(pointer, view.pointer(), PointerButton::Right, 0, 5, 100).popup->save);
}

TEST(ViewPointer, AMarginDragStopsAtItsLimits)
{
    View view(true);
    const int L0 = slotLayout(view.settings, view.panes.Slots[0], 1000, 30, false).L;
    const int T1 = topMargin(view.settings, false, 1);
    PointerState pointer;
    PointerDown(pointer, view.pointer(), PointerButton::Left, 0, 400, 31);
    ASSERT_EQ(pointer.DragMargin, 1);
    // Down until the text line would reach slot 1's margin; a refused move draws nothing again.
    int redraws = 0;
    for (int y = 31; y < 600; y += 7)
        redraws += PointerMove(pointer, view.pointer(), PointerButton::Left, 0, 400, y).redraw;
    const int lowest = topMargin(view.settings, false, 0);
    EXPECT_EQ(redraws, (lowest - 30) / 7);
    EXPECT_LT(lowest + L0, T1);
    EXPECT_GE(lowest + L0, T1 - 7);
    // Up: never above 29.
    for (int y = 600; y > -100; y -= 3)
        PointerMove(pointer, view.pointer(), PointerButton::Left, 0, 400, y);
    EXPECT_GE(topMargin(view.settings, false, 0), 29);
    EXPECT_LE(topMargin(view.settings, false, 0), 31);
    EXPECT_TRUE(PointerUp(pointer, PointerButton::Left));
    EXPECT_EQ(pointer.DragMargin, 0);
}

TEST(ViewPointer, PictureDragsMoveOneOrBothSlotsWithinTheirLimits)
{
    View view(true);
    view.state.SyncOn = true;
    view.panes.Slots[0].ViewStart = view.panes.Slots[1].ViewStart = 500;
    PointerState pointer;
    EXPECT_TRUE(PointerDown(pointer, view.pointer(), PointerButton::Left, 0, 400, 100).grabPointer);
    PointerMove(pointer, view.pointer(), PointerButton::Left, 0, 450, 100);
    EXPECT_EQ(view.panes.Slots[0].ViewStart, 550);
    EXPECT_EQ(view.panes.Slots[1].ViewStart, 550);

    // With Ctrl only the slot under the pointer moves.
    PointerMove(pointer, view.pointer(), PointerButton::Left, CtrlMask, 470, 100);
    EXPECT_EQ(view.panes.Slots[0].ViewStart, 570);
    EXPECT_EQ(view.panes.Slots[1].ViewStart, 550);

    // Slot 1 ends at its last column + 300 (1299): it stops, slot 0 goes on.
    PointerMove(pointer, view.pointer(), PointerButton::Left, 0, 1220, 100);
    EXPECT_EQ(view.panes.Slots[0].ViewStart, 1320);
    EXPECT_EQ(view.panes.Slots[1].ViewStart, 550);
    // Never to −300 before the start; a Step after it is fine.
    PointerMove(pointer, view.pointer(), PointerButton::Left, 0, 1220 - 1620, 100);
    EXPECT_EQ(view.panes.Slots[0].ViewStart, 1320);
    PointerMove(pointer, view.pointer(), PointerButton::Left, 0, -400 - 1619, 100);
    EXPECT_EQ(view.panes.Slots[0].ViewStart, -299);
    EXPECT_EQ(view.panes.Slots[1].ViewStart, 550);
    PointerUp(pointer, PointerButton::Left);
    EXPECT_FALSE(pointer.PictureDrag);
}

TEST(ViewPointer, TheReadOutShowsTheDepthInsideTheBandsOnly)
{
    View view(false);
    PointerState pointer;
    auto readout = [&](double y) { return *PointerMove(pointer, view.pointer(), 0, 0, 300, y).readout; };
    EXPECT_EQ(readout(29), QString());
    EXPECT_EQ(readout(30), QString());  // depth 0 at the top margin
    EXPECT_EQ(readout(70), QStringLiteral("(H:80毫米)"));
    // The 37° band's rule comes later and wins: its top reads 0.
    EXPECT_EQ(readout(30 + view.settings.BandOffset[0][0]), QString());
    const int T = 30, B1 = view.settings.BandOffset[0][1];
    EXPECT_EQ(readout(T + B1 + 20), QStringLiteral("(H:40毫米)"));
    view.settings.VS = 2;
    EXPECT_EQ(readout(70), QStringLiteral("(H:40毫米)"));
}

} // namespace
