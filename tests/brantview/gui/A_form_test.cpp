// "A显校对" on the offscreen platform: its caption and place, the marker stepping
// by hand and by timer and what the main view is asked to draw, the step interval,
// and the main window's side: the marker line, "精" while open, "A显校对2".

#include "A_form.h"
#include "frmMain.h"

#include "recording/ParmFile.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"
#include "synth/StreamSynth.h"

#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

constexpr int W = 400;

// The code-5 echo on every tenth Step.
int depthAt(int p)
{
    return (p / 10) % 200 + 1;
}

// Columns every Step from 1 to 2000.
RecordingSlot everyStep()
{
    StreamWriter w;
    for (int p = 1; p <= 2000; ++p) {
        if (p % 10 == 0)
            w.record(5, 0, depthAt(p));
        w.record(0, 1, 0);
    }
    RecordingSlot slot = DecodeStreamBytes(w.bytes(), QStringLiteral("QC0001.D01"));
    slot.ViewStart = 1000;
    return slot;
}

struct FakeMain {
    RecordingSlot slot = everyStep();
    std::vector<MainViewFollow> follows;
    std::vector<int> markers;
    std::vector<int> intervals;

    TraceHost host(int slotNumber = 0)
    {
        TraceHost h;
        h.slot = [this]() -> RecordingSlot & { return slot; };
        h.slotNumber = slotNumber;
        h.W = W;
        h.moveMarker = [this](int x) { markers.push_back(x); };
        h.follow = [this](const MainViewFollow &f) { follows.push_back(f); };
        h.saveStepInterval = [this](int16_t v) { intervals.push_back(v); };
        return h;
    }
};

template <typename Widget>
Widget *child(QWidget &w, const char *name)
{
    return w.findChild<Widget *>(QString::fromLatin1(name));
}

} // namespace

TEST(A_form, CaptionPlaceAndControlsAsItOpens)
{
    BrantSettings settings;
    settings.TraceStepInterval = 250;
    for (const bool high : {false, true}) {
        FakeMain main;
        A_form form(high, settings, main.host(1));
        EXPECT_EQ(form.windowTitle(), high ? QStringLiteral("A超校队(高灵敏度)---文件1") : QStringLiteral("A超校队(正常灵敏度)---文件1"));
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(form.pos(), QPoint(0, int(300 * form.logicalDpiY() / 72.0)));
        auto *bar = child<QScrollBar>(form, "HScrollA");
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), W);
        EXPECT_EQ(bar->value(), W);
        EXPECT_EQ(child<QPushButton>(form, "CommandAuto")->text(), QStringLiteral("转自动"));
        EXPECT_EQ(child<QSlider>(form, "SliderA")->value(), 250);
        for (const char *name : {"PictureA", "PictureAX_top", "PictureAX", "PictureAY"})
            EXPECT_NE(child<QWidget>(form, name), nullptr) << name;
        // CurrentColumn at ViewStart − 100, the column at ViewStart shown, the main view
        // redrawn up to it.
        EXPECT_EQ(main.slot.Columns[size_t(main.slot.CurrentColumn)].position, 899);
        ASSERT_TRUE(form.trace().column);
        EXPECT_EQ(form.trace().P, 1000);
        EXPECT_EQ(form.trace().echoes.depths[2][0], depthAt(1000));
        ASSERT_EQ(main.follows.size(), 1u);
        EXPECT_TRUE(main.follows[0].fullRedraw);
        EXPECT_EQ(main.follows[0].currentLastPos, 1000);
    }
}

TEST(A_form, TimerStepsDrawOneColumnAndAClickInTheTrackRedrawsAll)
{
    FakeMain main;
    A_form form(false, BrantSettings{}, main.host());
    form.show();
    auto *autoButton = child<QPushButton>(form, "CommandAuto");
    form.CommandAuto_Click();
    EXPECT_EQ(autoButton->text(), QStringLiteral("自动"));
    EXPECT_TRUE(form.timerRunning());
    main.follows.clear();
    form.TimerA_Timer();
    form.TimerA_Timer();
    EXPECT_EQ(main.markers, (std::vector<int>{W - 1, W - 2}));
    ASSERT_EQ(main.follows.size(), 2u);
    for (const MainViewFollow &f : main.follows) {
        EXPECT_FALSE(f.fullRedraw);
        ASSERT_TRUE(f.column);
    }
    EXPECT_EQ(main.slot.Columns[size_t(*main.follows[1].column)].position, 1002);

    child<QScrollBar>(form, "HScrollA")->setValue(100);  // a click in the track
    ASSERT_EQ(main.follows.size(), 3u);
    EXPECT_TRUE(main.follows[2].fullRedraw);
    EXPECT_EQ(main.follows[2].currentLastPos, 1300);
    EXPECT_EQ(form.trace().echoes.depths[2][0], depthAt(1300));
    // Dragging the thumb redraws up to it at once.
    form.HScrollA_Scroll(50);
    EXPECT_TRUE(main.follows.back().fullRedraw);
    EXPECT_EQ(main.follows.back().currentLastPos, 1350);

    form.CommandAuto_Click();
    EXPECT_EQ(autoButton->text(), QStringLiteral("手动"));
    EXPECT_FALSE(form.timerRunning());
    child<QScrollBar>(form, "HScrollA")->setValue(0);
    form.TimerA_Timer();  // at 0 nothing moves
    EXPECT_EQ(child<QScrollBar>(form, "HScrollA")->value(), 0);

    child<QSlider>(form, "SliderA")->setValue(40);
    EXPECT_EQ(main.intervals, (std::vector<int>{40}));
    form.grab();  // paints the pictures
    EXPECT_FALSE(form.pictureA().isNull());
}

// The main window opens it in "精" with LineA at the right edge; closing hides the line
// and brings "拼" back. "A显校对2" also turns the second group on.
TEST(A_form, TheMainWindowShowsTheMarkerWhileItIsOpen)
{
    TestFiles::TestDir dir;
    StreamSynthOptions options;
    options.length = 60;
    options.seed = 5;
    frmMain window;
    window.resize(1000, 700);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), synthesizeStream(options))));
    child<QRadioButton>(window, "Option_show1")->click();
    ASSERT_TRUE(window.viewState().SpliceOn);
    auto *lineA = child<QFrame>(window, "LineA");
    auto *action = child<QAction>(window, "mnuAdisplay2");
    ASSERT_TRUE(action->isEnabled());

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<A_form *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen = true;
        EXPECT_TRUE(lineA->isVisible());
        EXPECT_TRUE(child<QRadioButton>(window, "Option_show0")->isChecked());
        EXPECT_FALSE(window.viewState().SpliceOn);
        EXPECT_TRUE(window.viewState().SecondGroupShown);
        const int right = lineA->geometry().center().x();
        form->TimerA_Timer();
        EXPECT_LT(lineA->geometry().center().x(), right);
        child<QSlider>(*form, "SliderA")->setValue(300);
        form->close();
    });
    action->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(lineA->isVisible());
    EXPECT_TRUE(child<QRadioButton>(window, "Option_show1")->isChecked());
    EXPECT_TRUE(window.viewState().SpliceOn);
    EXPECT_EQ(window.settings().TraceStepInterval, 300);
    EXPECT_EQ(LoadSettings(parmFilePath()).settings.TraceStepInterval, 300);
}
