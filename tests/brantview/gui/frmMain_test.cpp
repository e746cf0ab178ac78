// Brantview's main window on the offscreen platform: opening recordings, the menus
// a loaded file enables, the keys reaching the view whatever control has the
// focus, stepping, auto-play and the pointer.

#include "frmMain.h"

#include "recording/RecordingSlot.h"
#include "synth/AScanSynth.h"
#include "synth/StreamSynth.h"

#include "common/gui/PaintBox.h"

#include "TestFiles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// A key pressed over `target`, as the window system delivers it.
void keyClick(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class MainWindow : public ::testing::Test {
protected:
    QString recording(const QString &name, uint64_t seed, double metres)
    {
        StreamSynthOptions options;
        options.length = metres;
        options.seed = seed;
        options.reviewer = "Tester";
        return dir.write(name, synthesizeStream(options));
    }

    QAction *action(const char *name) { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(QString::fromLatin1(name)); }

    TestFiles::TestDir dir;
    frmMain window;
};

TEST_F(MainWindow, OnlyTheFileMenusWorkUntilAFileIsLoaded)
{
    window.resize(1200, 800);
    window.show();
    EXPECT_TRUE(action("mnuFileOpen")->isEnabled());
    EXPECT_FALSE(window.findChild<QMenu *>(QStringLiteral("mnuFile2"))->isEnabled());
    EXPECT_FALSE(window.findChild<QMenu *>(QStringLiteral("mnuTools"))->isEnabled());

    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 200)));
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("B超探伤---")));
    EXPECT_TRUE(window.findChild<QMenu *>(QStringLiteral("mnuFile2"))->isEnabled());
    EXPECT_TRUE(window.findChild<QMenu *>(QStringLiteral("mnuTools"))->isEnabled());
    // The windows of features still to come are listed but not offered; the
    // pop-up's own items stay out of the menu bar.
    EXPECT_TRUE(action("mnuWord")->isEnabled());
    EXPECT_TRUE(action("mnuPrint")->isEnabled());
    EXPECT_TRUE(action("mnuSpeed")->isEnabled());
    for (const char *name : {"mnuSave", "mnuPos1", "munRewMark", "munRewMark_GZ4", "munMlist"})
        EXPECT_FALSE(action(name)->isVisible()) << name;
    EXPECT_EQ(window.panes().Slots[0].ViewStart, -340);
    EXPECT_GT(window.drawnDots(), 0);
}

TEST_F(MainWindow, KeysReachTheViewWhateverControlHasTheFocus)
{
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 300)));
    QScrollBar *bar = window.findChild<QScrollBar *>(QStringLiteral("HScroll_Pos"));
    bar->setFocus();

    keyClick(bar, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window.viewState().HeaderMode, 1);
    keyClick(bar, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window.viewState().HeaderMode, 0);
    EXPECT_TRUE(button("Disp_Command")->hasFocus());

    const int32_t start = window.panes().Slots[0].ViewStart;
    keyClick(&window, Qt::Key_BracketLeft);
    const int32_t stepped = window.panes().Slots[0].ViewStart;
    EXPECT_GT(stepped, start);
    EXPECT_EQ((stepped - start) % window.settings().ManualStep, 0);
    keyClick(&window, Qt::Key_Period);
    EXPECT_LT(window.panes().Slots[0].ViewStart, stepped);
    EXPECT_GE(window.panes().Slots[0].ViewStart, -340);

    // Z needs a second file.
    keyClick(&window, Qt::Key_Z);
    EXPECT_FALSE(window.viewState().SingleView);
}

TEST_F(MainWindow, ReviewMarkKeysWriteTheMarkIntoTheRecording)
{
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 300)));
    // A view with a mileage post inside gives the marks their post.
    keyClick(&window, Qt::Key_BracketLeft);
    const int before = window.panes().Slots[0].ReviewMarkCount();
    const QString file = window.panes().Slots[0].FileName;
    const qint64 size = QFileInfo(file).size();
    keyClick(&window, Qt::Key_F2);
    ASSERT_EQ(window.panes().Slots[0].ReviewMarkCount(), before + 1);
    EXPECT_EQ(window.panes().Slots[0].ReviewMarks.back().kind, 2);
    EXPECT_GT(QFileInfo(file).size(), size);
}

TEST_F(MainWindow, TwoFilesSingleViewDoubleClickAndDrag)
{
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 300)));
    ASSERT_TRUE(window.OpenFile(1, recording(QStringLiteral("QC0002.D01"), 4, 200)));
    EXPECT_EQ(window.panes().CurrentSlot, 1);
    EXPECT_TRUE(window.panes().SecondLoaded);

    keyClick(&window, Qt::Key_Z);
    EXPECT_TRUE(window.viewState().SingleView);
    keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.viewState().SingleView);

    window.Form_DblClick();
    EXPECT_TRUE(window.viewState().SyncOn);
    EXPECT_EQ(button("Command_TB")->text(), QStringLiteral("同步"));

    // A left drag with both drawn and SyncOn moves both pictures.
    window.panes().Slots[0].ViewStart = window.panes().Slots[1].ViewStart = 1000;
    window.Form_MouseDown(1, 0, 400, 100);
    window.Form_MouseMove(1, 0, 450, 100);
    window.Form_MouseUp(1);
    EXPECT_EQ(window.panes().Slots[0].ViewStart, 1050);
    EXPECT_EQ(window.panes().Slots[1].ViewStart, 1050);
}

TEST_F(MainWindow, AutoPlayStepsOnItsTimerAndAPressStopsIt)
{
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 300)));
    const int32_t start = window.panes().Slots[0].ViewStart;
    button("Disp_Command")->click();
    EXPECT_TRUE(window.viewState().AutoPlay);
    EXPECT_EQ(button("Disp_Command")->text(), QStringLiteral("手动"));
    wait(3000 / window.settings().Speed * 3);
    EXPECT_GT(window.panes().Slots[0].ViewStart, start);

    window.Form_MouseDown(1, 0, 300, 200);
    EXPECT_FALSE(window.viewState().AutoPlay);
    EXPECT_EQ(button("Disp_Command")->text(), QStringLiteral("自动"));
}

TEST_F(MainWindow, TheReadOutFollowsThePointerBelowTheTopLine)
{
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 300)));
    QLabel *readout = window.findChild<QLabel *>(QStringLiteral("label1"));
    window.Form_MouseMove(0, 0, 300, 70);
    EXPECT_TRUE(readout->isVisible());
    EXPECT_EQ(readout->text(), QStringLiteral("(H:80毫米)"));
    window.Form_MouseMove(0, 0, 300, 20);
    EXPECT_FALSE(readout->isVisible());
}

TEST_F(MainWindow, AnAScanRecordIsShownFrameByFrameUntilAStreamReplacesIt)
{
    window.resize(1200, 800);
    window.show();
    AScanSynthOptions options;
    options.frames = 4;
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("AA0001.DAT"), synthesizeAScan(options))));
    EXPECT_TRUE(window.aScanMode());
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("A超探伤---")));
    // The last frame first; the bar's right end shows the first frame.
    EXPECT_EQ(window.aScanFrame(), 3);
    QScrollBar *bar = window.findChild<QScrollBar *>(QStringLiteral("HScroll_Pos"));
    EXPECT_EQ(bar->maximum(), 3);
    bar->setValue(bar->maximum());
    EXPECT_EQ(window.aScanFrame(), 0);
    for (const char *name : {"Disp_Command", "Command_dir", "MForward", "Mbackward", "Magnify"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    // Black on white, whatever the stream's colours are.
    EXPECT_EQ(window.picture().pixelColor(2, 2), QColor(Qt::white));

    ASSERT_TRUE(window.OpenFile(0, recording(QStringLiteral("QC0001.D01"), 3, 200)));
    EXPECT_FALSE(window.aScanMode());
    EXPECT_TRUE(button("MForward")->isEnabled());
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("B超探伤---")));
}

} // namespace
