#include "viewer/Stepping.h"

#include "StreamTrack.h"

#include <gtest/gtest.h>

using namespace brantview;
using streamtest::load;
using streamtest::run;
using streamtest::Track;

namespace {

constexpr int R = 1000;

BrantSettings settings(bool show70 = true, bool show37 = true, bool show0 = true)
{
    BrantSettings s;
    s.Show70 = show70;
    s.Show37 = show37;
    s.Show0 = show0;
    return s;
}

const StepFilter allFamilies(settings(), false);

TEST(StepView, ARecordingShorterThanAScreenEndsAtOnce)
{
    RecordingSlot slot = load(Track().at(40, run(1, 3)));
    ASSERT_EQ(slot.ViewStart, -340);
    const StepOutcome outcome = StepView(slot, 600, R, allFamilies);
    EXPECT_EQ(outcome.stop, StepStop::End);
    EXPECT_EQ(slot.ViewStart, 340) << "the last column + 300";
    EXPECT_EQ(outcome.advance, 680);
}

TEST(StepView, StopsAtTheFirstViewWithHitsAfterWholeSteps)
{
    RecordingSlot slot = load(Track().at(5000, run(1, 3)).to(20000));
    // The run enters the window once ViewStart + R + 100 reaches 5000.
    const StepOutcome outcome = StepView(slot, 100, R, allFamilies);
    EXPECT_EQ(outcome.stop, StepStop::Hit);
    EXPECT_EQ(slot.ViewStart, 3960);
    EXPECT_EQ(outcome.advance, 4300);
    EXPECT_EQ(slot.CurrentColumn, CurrentColumnOf(slot));
}

TEST(StepView, With70OnlyAndNoQualifyingRunOneStepRunsToTheEnd)
{
    Track track;
    track.at(3000, run(1, 2)).at(6000, run(5, 5)).at(9000, run(11, 5)).at(12000, run(3, 2)).to(15000);
    RecordingSlot slot = load(track);
    const StepOutcome outcome = StepView(slot, 600, R, StepFilter(settings(true, false, false), false));
    EXPECT_EQ(outcome.stop, StepStop::End);
    EXPECT_EQ(slot.ViewStart, 15300);

    RecordingSlot all = load(track);
    EXPECT_EQ(StepView(all, 600, R, allFamilies).stop, StepStop::Hit) << "the 37° run stops a step that shows it";
    EXPECT_EQ(all.ViewStart, 5060);
}

TEST(StepView, AnEventRecordStopsAStepWithEveryFamilyOff)
{
    RecordingSlot slot = load(Track().at(3000, run(1, 5)).at(8000, {{71, 1}}).to(20000));
    const StepOutcome outcome = StepView(slot, 800, R, StepFilter(settings(false, false, false), false));
    EXPECT_EQ(outcome.stop, StepStop::Hit);
    EXPECT_EQ(slot.ViewStart, 7660);
}

TEST(StepView, NeverPassesTheEndLimit)
{
    RecordingSlot slot = load(Track().to(1000));
    slot.ViewStart = 0;
    EXPECT_EQ(StepView(slot, 5000, 100, allFamilies).stop, StepStop::End);
    EXPECT_EQ(slot.ViewStart, 1300);
    EXPECT_EQ(StepView(slot, 5000, 100, allFamilies).advance, 0) << "at the end a step stays";
    EXPECT_EQ(slot.ViewStart, 1300);
}

TEST(StepViewBack, StopsAtHitsAndNeverGoesBelowScrollScale)
{
    RecordingSlot plain = load(Track().to(20000));
    plain.ViewStart = 3000;
    EXPECT_EQ(StepViewBack(plain, 600, R, allFamilies).stop, StepStop::End);
    EXPECT_EQ(plain.ViewStart, -340);
    EXPECT_EQ(StepViewBack(plain, 600, R, allFamilies).advance, 0);

    // Going back a view tests the run at 5000 while the column in effect at
    // ViewStart − 100 is not past it.
    RecordingSlot slot = load(Track().at(5000, run(1, 3)).to(20000));
    slot.ViewStart = 10000;
    EXPECT_EQ(StepViewBack(slot, 600, R, allFamilies).stop, StepStop::Hit);
    EXPECT_EQ(slot.ViewStart, 4600);
}

TEST(StepView, TheProgressCallbackSeesTheWayDoneAndCanStopTheStep)
{
    RecordingSlot slot = load(Track().far(200000));
    std::vector<double> reported;
    StepOutcome outcome = StepView(slot, 100, R, allFamilies, [&](double done) {
        reported.push_back(done);
        return true;
    });
    EXPECT_EQ(outcome.stop, StepStop::End);
    ASSERT_GT(reported.size(), 10u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GT(reported.front(), 0.0);
    EXPECT_LT(reported.back(), 1.0);

    slot.ViewStart = -340;
    int calls = 0;
    outcome = StepView(slot, 100, R, allFamilies, [&](double) { return ++calls < 2; });
    EXPECT_EQ(outcome.stop, StepStop::Cancelled);
    EXPECT_EQ(slot.ViewStart, -340 + 2 * StepProgressInterval * 100) << "stopped at the view last tested";
    EXPECT_EQ(slot.CurrentColumn, CurrentColumnOf(slot));
}

TEST(SynchronisedStepping, ReferenceModeLeavesAShorterSecondFileShortOfItsEnd)
{
    RecordingSlot first = load(Track().at(5000, run(1, 3)).at(30000, run(1, 3)).to(100000));
    RecordingSlot second = load(Track().to(10000));
    EXPECT_EQ(StepViewsTogether(first, second, false, StepDirection::Forward, 800, R, allFamilies).stop, StepStop::Hit);
    EXPECT_EQ(first.ViewStart, 4460);
    EXPECT_EQ(second.ViewStart, 4460);

    EXPECT_EQ(StepViewsTogether(first, second, false, StepDirection::Forward, 800, R, allFamilies).advance, 24800);
    EXPECT_EQ(first.ViewStart, 29260);
    EXPECT_EQ(second.ViewStart, 4460) << "29260 would be past the second file's end";

    StepViewsTogether(first, second, false, StepDirection::Back, 800, R, allFamilies);
    EXPECT_EQ(first.ViewStart, 4460);
    EXPECT_EQ(second.ViewStart, 4460) << "-20340 would be before the second file's start";
    StepViewsTogether(first, second, false, StepDirection::Back, 800, R, allFamilies);
    EXPECT_EQ(first.ViewStart, -340);
    EXPECT_EQ(second.ViewStart, -340) << "it follows down to its start";
}

TEST(SynchronisedStepping, BothModeMovesBothByTheSmallerAdvance)
{
    // The second file's run is found first, four steps on; the first's would take eleven.
    RecordingSlot first = load(Track().at(9000, run(1, 3)).to(100000));
    RecordingSlot second = load(Track().at(5000, run(1, 3)).to(100000));
    second.ViewStart = 1000;
    const StepOutcome outcome = StepViewsTogether(first, second, true, StepDirection::Forward, 800, R, allFamilies);
    EXPECT_EQ(outcome.stop, StepStop::Hit);
    EXPECT_EQ(outcome.advance, 3200);
    EXPECT_EQ(first.ViewStart, 2860);
    EXPECT_EQ(second.ViewStart, 4200);

    // A short file ends the pair's step where it reaches its end.
    RecordingSlot longer = load(Track().at(20000, run(1, 3)).to(100000));
    RecordingSlot shorter = load(Track().to(3000));
    EXPECT_EQ(StepViewsTogether(longer, shorter, true, StepDirection::Forward, 800, R, allFamilies).stop,
              StepStop::End);
    EXPECT_EQ(longer.ViewStart, 3300);
    EXPECT_EQ(shorter.ViewStart, 3300);
}

// Both files step as far as each alone would, and the pair moves by the smaller advance.
TEST(SynchronisedStepping, BothModeGivesWhatTwoSeparateStepsGive)
{
    const QByteArray files[] = {
        Track().at(4000, run(1, 3)).at(9000, {{24, 2}}).to(30000).bytes(),
        Track().at(12000, run(5, 3)).to(16000).bytes(),
        Track().to(2500).bytes(),
        Track().at(1500, run(11, 4)).at(7000, run(3, 3)).at(22000, {{71, 1}}).to(40000).bytes(),
    };
    const int32_t starts[] = {-340, 700, 5000, 13000};
    for (const StepDirection direction : {StepDirection::Forward, StepDirection::Back})
        for (const int32_t a : {300, 850})
            for (size_t i = 0; i < std::size(files); ++i)
                for (size_t j = 0; j < std::size(files); ++j) {
                    SCOPED_TRACE(testing::Message() << "files " << i << ", " << j << " step " << a << " back "
                                                    << (direction == StepDirection::Back));
                    RecordingSlot alone[2] = {load(files[i]), load(files[j])};
                    RecordingSlot pair[2] = {load(files[i]), load(files[j])};
                    int64_t advances[2];
                    for (int k = 0; k < 2; ++k) {
                        alone[k].ViewStart = pair[k].ViewStart = starts[(i + j + size_t(k)) % std::size(starts)];
                        advances[k] = (direction == StepDirection::Forward ? StepView : StepViewBack)(alone[k], a, R,
                                                                                                      allFamilies, {})
                                          .advance;
                    }
                    const int64_t smaller = std::abs(advances[0]) <= std::abs(advances[1]) ? advances[0] : advances[1];
                    const int32_t from[2] = {pair[0].ViewStart, pair[1].ViewStart};
                    StepViewsTogether(pair[0], pair[1], true, direction, a, R, allFamilies);
                    EXPECT_EQ(pair[0].ViewStart, from[0] + smaller);
                    EXPECT_EQ(pair[1].ViewStart, from[1] + smaller);
                }
}

TEST(SynchronisedStepping, CancellingKeepsThePairInStep)
{
    RecordingSlot first = load(Track().far(300000));
    RecordingSlot second = load(Track().far(300000));
    second.ViewStart = 500;
    const StepOutcome outcome = StepViewsTogether(first, second, true, StepDirection::Forward, 100, R, allFamilies,
                                                  [](double) { return false; });
    EXPECT_EQ(outcome.stop, StepStop::Cancelled);
    EXPECT_EQ(first.ViewStart, -340 + StepProgressInterval * 100);
    EXPECT_EQ(second.ViewStart, 500 + StepProgressInterval * 100);
}

TEST(StepViews, TwoSlotsStepTogetherOnlyWithSyncOnAndASecondFile)
{
    const QByteArray bytes = Track().to(50000).bytes();
    BrantSettings s = settings();
    s.SyncMode = true;
    ViewState state;
    state.R = R;

    RecordingSlots panes;
    panes.Slots = {load(bytes), load(bytes)};
    panes.SecondLoaded = true;
    panes.CurrentSlot = 1;
    StepViews(panes, state, s, StepDirection::Forward, 600, {});
    EXPECT_EQ(panes.Slots[0].ViewStart, -340) << "SyncOn off: only the current slot";
    EXPECT_EQ(panes.Slots[1].ViewStart, 50300);

    state.SyncOn = true;
    panes.Slots[1].ViewStart = -340;
    StepViews(panes, state, s, StepDirection::Forward, 600, {});
    EXPECT_EQ(panes.Slots[0].ViewStart, 50300);
    EXPECT_EQ(panes.Slots[1].ViewStart, 50300);

    panes.SecondLoaded = false;
    panes.CurrentSlot = 0;
    StepViews(panes, state, s, StepDirection::Back, 600, {});
    EXPECT_EQ(panes.Slots[0].ViewStart, -340);
    EXPECT_EQ(panes.Slots[1].ViewStart, 50300) << "no second file: one slot";
}

} // namespace
