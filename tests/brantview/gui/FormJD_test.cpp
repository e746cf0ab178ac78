// "校对波形" on the offscreen platform: opened from a calibration point picked in the
// main window (and not for an empty run), its opening state, keys, pop-up and drag.

#include "FormJD.h"
#include "frmMain.h"

#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// Filler columns, a calibration point at position 100 and, unless `emptyRun`, a run
// of 0° echoes after it, closed by an echo; with `emptyRun` the point ends the stream.
QByteArray streamWithPoint(bool emptyRun)
{
    StreamWriter w;
    for (int i = 0; i < 10; ++i)
        w.record(1, 10, 30);
    w.record(Code::CalibrationPoint, 0, 0);
    if (emptyRun)
        return w.bytes();
    for (int i = 0; i < 50; ++i)
        w.record(94, 4, 40);
    w.record(11, 10, 100);
    for (int i = 0; i < 100; ++i)
        w.record(1, 10, 30);
    return w.bytes();
}

void keyClick(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

TEST(FormJD, APickedPointOpensTheWindowOnItsRunAndAnEmptyRunOpensNothing)
{
    for (const bool emptyRun : {false, true}) {
        TestFiles::TestDir dir;
        frmMain window;
        window.resize(1200, 800);
        window.show();
        ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), streamWithPoint(emptyRun))));
        window.moveView(0);
        const std::vector<CalibrationHotSpot> spots = window.panes().current().CalibrationHotSpots;
        ASSERT_EQ(spots.size(), 1u);

        int opened = 0;
        window.runCalibrationWindow = [&](FormJD &form) {
            ++opened;
            EXPECT_TRUE(window.calibrationWindowOpen());
            EXPECT_EQ(form.windowTitle(), QStringLiteral("校对波形"));
            EXPECT_TRUE(form.isModal());
            EXPECT_EQ(form.waveform().run().size(), 51u);
            // The picked point is marked white in the main view meanwhile.
            const double k = window.picture().width() / double(window.viewState().R);
            EXPECT_EQ(window.picture().pixel(int(spots[0].x * k), int(spots[0].y * k)) & 0xFFFFFF, 0xFFFFFFu);
        };
        window.Form_MouseDown(1, 0, spots[0].x + 3, spots[0].y - 3);
        EXPECT_EQ(opened, emptyRun ? 0 : 1);
        EXPECT_FALSE(window.calibrationWindowOpen());
    }
}

class CalibrationWindow : public ::testing::Test {
protected:
    CalibrationWindow()
    {
        slot = DecodeStreamBytes(streamWithPoint(false), QStringLiteral("QC0001.D01"));
        state.R = 1000;
        state.DrawWidth = 3;
        settings.TextFonts[1] = TextFont{QStringLiteral("Arial"), 9, true, true};
    }

    std::unique_ptr<FormJD> open(int slotIndex = 0)
    {
        FormJD::Host host{slot, slotIndex, settings, state, [this] { ++mainRedraws; }, [this] { ++saves; },
                          [this] { ++spliceChanges; }, [] { return 4; }};
        return std::make_unique<FormJD>(host, BuildCalibrationRun(slot, 10));
    }

    RecordingSlot slot;
    BrantSettings settings;
    ViewState state;
    int mainRedraws = 0;
    int saves = 0;
    int spliceChanges = 0;
};

TEST_F(CalibrationWindow, OpensSplicedWithTheDefaultFontsAtTheBottomOfTheScreenForTheFirstPane)
{
    for (const int slotIndex : {0, 1}) {
        const auto form = open(slotIndex);
        EXPECT_TRUE(state.SpliceOn);
        EXPECT_TRUE(form->findChild<QRadioButton *>(QStringLiteral("Option_show1"))->isChecked());
        EXPECT_EQ(settings.TextFonts[1], (TextFont{QStringLiteral("宋体"), 12, false, false}));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        const QRect g = form->geometry();
        EXPECT_EQ(g.height(), screen.height() / 2 + qRound(50 * dpi / 72));
        EXPECT_EQ(g.width(), screen.width() - qRound(10 * dpi / 72));
        EXPECT_EQ(g.left(), qRound(5 * dpi / 72));
        EXPECT_EQ(g.top(), slotIndex == 0 ? screen.height() - g.height() : 0);
    }
    EXPECT_EQ(spliceChanges, 2);
}

TEST_F(CalibrationWindow, KeysScrollAndSwitchTheLayoutOfBothWindows)
{
    const auto form = open();
    form->show();
    auto *bar = form->findChild<QScrollBar *>(QStringLiteral("HScroll_Pos"));
    EXPECT_EQ(bar->minimum(), -2);  // L = 210: Int(510 / −340)
    EXPECT_EQ(bar->value(), 1);
    keyClick(form.get(), Qt::Key_BracketRight);
    EXPECT_EQ(form->waveform().V(), -340);
    keyClick(form.get(), Qt::Key_BracketLeft);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(form->waveform().V(), 0);

    keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(state.SecondGroupShown);
    EXPECT_EQ(saves, 0);
    keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(settings.VS, 2);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(mainRedraws, 2);
    keyClick(form.get(), Qt::Key_H);  // without Ctrl: nothing
    EXPECT_EQ(settings.VS, 2);
}

TEST_F(CalibrationWindow, ThePopUpOffersTheEndAndClearOnlyWhileMeasuring)
{
    const auto form = open();
    form->resize(1000, 500);
    form->show();
    std::vector<std::array<bool, 3>> offered;
    QString choose = QStringLiteral("mnuPos1");
    form->popUp = [&](QMenu &menu, QPoint) {
        auto *start = menu.findChild<QAction *>(QStringLiteral("mnuPos1"));
        auto *end = menu.findChild<QAction *>(QStringLiteral("mnuPos2"));
        auto *clear = menu.findChild<QAction *>(QStringLiteral("mnuPos_Flag"));
        EXPECT_EQ(end->text(), QStringLiteral("终点"));
        EXPECT_EQ(clear->text(), QStringLiteral("清除标记"));
        offered.push_back({start->isEnabled(), end->isEnabled(), clear->isEnabled()});
        menu.findChild<QAction *>(choose)->trigger();
    };
    form->Form_MouseDown(2, 300);
    choose = QStringLiteral("mnuPos2");
    form->Form_MouseDown(2, 100);
    EXPECT_EQ(offered, (std::vector<std::array<bool, 3>>{{true, false, false}, {true, true, true}}));
    EXPECT_EQ(form->waveform().measure().state, MeasureBothSet);
    EXPECT_DOUBLE_EQ(form->waveform().measure().distance, 200 * 2.94);
    choose = QStringLiteral("mnuPos_Flag");
    form->Form_MouseDown(2, 100);
    EXPECT_EQ(form->waveform().measure().state, MeasureNone);
}

TEST_F(CalibrationWindow, DraggingMovesTheViewAndMagnifyingWithoutTheProgramSaysSo)
{
    const auto form = open();
    form->show();
    form->Form_MouseDown(1, 500);
    form->Form_MouseMove(560);
    EXPECT_EQ(form->waveform().V(), -280);
    form->Form_MouseUp();
    form->Form_MouseMove(600);
    EXPECT_EQ(form->waveform().V(), -280);

    QStringList told;
    form->tell = [&](const QString &message) { told << message; };
    form->magnifyProgram = QStringLiteral("/nonexistent/magnify");
    form->Magnify_Click();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("magnify")));
    EXPECT_EQ(form->drawWidth(), 4);  // the slider's again
}

} // namespace
