// What the main window and the A-scan window do themselves: fill and enable a
// slot's controls, show the play state in the captions, name hidden channels,
// ask before quitting with unsaved marks, open from the folder tree, and turn a
// drag in the A-scan window into rows.

#include "TestStdFixtures.h"

#include "common/gui/PaintBox.h"
#include "gui/ascanform.h"
#include "gui/SlotWidgets.h"
#include "workspace/Workspace.h"
#include "gui/mainform.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString title;
    QString text;
};

// A main window on settings of its own: B-scan width 400 (marks go 100 rows
// behind the position) and the test folder as work directory. Message boxes are
// recorded; questions get `answer`.
class MainFormTest : public ::testing::Test {
protected:
    // The window is made on first use, so that a test can fill the folder first.
    Tfrm_main &window()
    {
        if (form)
            return *form;
        QFile ini(dir.path("setting.ini"));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[BShow]\nBShowWidth=400\n[workplace]\nworkdir=%1\n").arg(folder()).toUtf8());
        ini.close();
        session = std::make_unique<ReplaySession>(
            ReplaySession::Files{dir.path("setting.ini"), dir.path("replaylog.ini")},
            [](std::function<void()> apply) { QMetaObject::invokeMethod(qApp, std::move(apply), Qt::QueuedConnection); });
        form = std::make_unique<Tfrm_main>(*session);
        form->askYesNo = [this](const QString &title, const QString &text) {
            questions.push_back({title, text});
            return answer;
        };
        form->tell = [this](const QString &title, const QString &text) { notices.push_back({title, text}); };
        return *form;
    }

    QString folder() const { return QFileInfo(dir.path("x")).absolutePath(); }

    // Sub-file 0 of 600 rows, sub-file 1 of 400.
    QString recording(const QString &name)
    {
        return dir.write(name, StdFileImage{{StdTest::scanRun(QStringLiteral("1.7.X"), 600, 1),
                                             StdTest::scanRun(QStringLiteral("1.7.X"), 400, 2)},
                                            std::nullopt,
                                            false});
    }

    QPushButton *button(const char *name) { return window().findChild<QPushButton *>(QLatin1String(name)); }
    QGroupBox *groupBox(int fileN) { return window().findChildren<QGroupBox *>().at(fileN); }

    StdTest::StdFileDir dir;
    std::vector<Message> questions;
    std::vector<Message> notices;
    bool answer = false;
    std::unique_ptr<ReplaySession> session;
    std::unique_ptr<Tfrm_main> form;  // last: its destructor may still report
};

void pressKey(QWidget &window, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
}

void sendMouse(QWidget *target, QEvent::Type type, int x, Qt::MouseButtons buttons)
{
    const QPointF at(x, 10);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

template <class Done>
bool waitFor(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

TEST_F(MainFormTest, OpeningAFileFillsTheSubFileBoxAndEnablesTheSlot)
{
    EXPECT_EQ(window().slotWidgets(0), nullptr);
    EXPECT_EQ(groupBox(0)->title(), "文件1");

    window().OpenFile(0, recording("one.std"));

    SlotWidgetSet *set = window().slotWidgets(0);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->cbb->count(), 2);
    EXPECT_TRUE(set->cbb->itemText(0).startsWith("1/2     "));
    EXPECT_TRUE(set->cbb->itemText(1).startsWith("2/2     "));
    EXPECT_EQ(set->cbb->currentIndex(), 0);
    EXPECT_TRUE(set->btn_mark->isEnabled());
    EXPECT_EQ(set->trb->minimum(), 0);
    EXPECT_EQ(set->trb->maximum(), 595);
    EXPECT_EQ(set->trb->value(), 1);
    EXPECT_TRUE(groupBox(0)->title().startsWith("one.std     "));
    EXPECT_TRUE(notices.empty());

    // A sub-file chosen in the box: the bar spans the new sub-file.
    set->cbb->setCurrentIndex(1);
    emit set->cbb->activated(1);
    EXPECT_EQ(set->trb->maximum(), 399);
    EXPECT_EQ(set->trb->value(), 1);
}

TEST_F(MainFormTest, AFileThatCannotBeLoadedLeavesTheSlotEmptyAndIsReported)
{
    const QString broken = dir.write("broken.std", QByteArray("not a recording"));
    window().OpenFile(1, broken);

    EXPECT_EQ(window().slotWidgets(1), nullptr);
    EXPECT_EQ(groupBox(1)->title(), "文件2");
    EXPECT_FALSE(window().workspace().slot(1).hasRecording());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_FALSE(notices[0].text.isEmpty());
}

TEST_F(MainFormTest, PlayCaptionNamesTheNextActionAndSpaceActsAsPlay)
{
    QPushButton *play = button("btn_play");
    play->click();
    EXPECT_EQ(play->text(), "播放") << "nothing to play without a recording";

    window().OpenFile(0, recording("one.std"));
    play->click();
    EXPECT_EQ(play->text(), "暂停");
    pressKey(window(), Qt::Key_Space);
    EXPECT_EQ(play->text(), "播放");
    EXPECT_FALSE(window().workspace().Playing);
}

// The keys reach play and the steps wherever the focus sits: on the work-folder
// button (where it is at start), on a play-bar button just clicked, in the tree.
TEST_F(MainFormTest, SpaceLeftAndRightActWhateverHasTheFocus)
{
    window().OpenFile(0, recording("one.std"));
    QPushButton *play = button("btn_play");
    QPushButton *workdir = nullptr;
    for (QPushButton *b : window().findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("设置工作目录"))
            workdir = b;
    ASSERT_NE(workdir, nullptr);
    QPushButton *smart = button("btn_mode");
    smart->click();
    const QString smartCaption = smart->text();
    for (QWidget *focus : std::initializer_list<QWidget *>{workdir, smart, window().findChild<QTreeView *>()}) {
        ASSERT_NE(focus, nullptr);
        const bool playing = window().workspace().Playing;
        pressKey(*focus, Qt::Key_Space);
        EXPECT_NE(window().workspace().Playing, playing) << focus->metaObject()->className();
    }
    EXPECT_EQ(smart->text(), smartCaption) << "Space clicked the focused button";
    if (window().workspace().Playing)
        play->click();

    window().workspace().setPosition(0, 100);
    const int before = window().workspace().slot(0).bar.position();
    pressKey(*workdir, Qt::Key_Right);
    const int ahead = window().workspace().slot(0).bar.position();
    EXPECT_GT(ahead, before);
    pressKey(*window().findChild<QTreeView *>(), Qt::Key_Left);
    EXPECT_LT(window().workspace().slot(0).bar.position(), ahead);
}

TEST_F(MainFormTest, PlayBarCaptionsFollowTheirModes)
{
    const struct {
        const char *name;
        QString before;
        QString after;
    } cases[] = {
        {"btn_mode", "智能", "普通"},
        {"btn_sync", "同步", "异步"},
        {"btn_countdis", "测距", "测距中"},
        {"btn_compress", "缩放", "原图"},
    };
    for (const auto &c : cases) {
        QPushButton *b = button(c.name);
        EXPECT_EQ(b->text(), c.before) << c.name;
        b->click();
        EXPECT_EQ(b->text(), c.after) << c.name;
    }
    button("btn_compress")->click();
    EXPECT_EQ(button("btn_compress")->text(), "压缩");
}

TEST_F(MainFormTest, HiddenChannelItemCarriesATick)
{
    auto *lostWave = window().pm->findChild<QAction *>("ChannelHide9");
    ASSERT_NE(lostWave, nullptr);
    EXPECT_EQ(lostWave->text(), "通道隐藏失波");
    lostWave->trigger();
    EXPECT_EQ(lostWave->text(), "通道隐藏失波√");
    EXPECT_EQ(window().pm->findChild<QAction *>("ChannelHide6")->text(), "隐藏通道1A");
    lostWave->trigger();
    EXPECT_EQ(lostWave->text(), "通道隐藏失波");
}

TEST_F(MainFormTest, QuittingWithUnsavedMarksAsksAndNoKeepsTheWindow)
{
    window().OpenFile(0, recording("one.std"));
    EXPECT_TRUE(window().close()) << "nothing changed: no question";
    EXPECT_TRUE(questions.empty());

    window().workspace().setPosition(0, 300);
    button("btn_mark")->click();
    window().pm_mark->actions().at(0)->trigger();  // "一级报警"
    ASSERT_EQ(window().pm_mark->actions().at(0)->text(), "一级报警");

    answer = false;
    EXPECT_FALSE(window().close());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].title, "系统提示");
    EXPECT_EQ(questions[0].text, "数据改动未保存，确认要退出吗?");
    EXPECT_TRUE(window().workspace().slot(0).hasRecording());
    EXPECT_NE(window().slotWidgets(0), nullptr);

    answer = true;
    EXPECT_TRUE(window().close());
}

TEST_F(MainFormTest, TheSessionOutlivesTheWindowWhichEndsItsRecordingsAndWritesItsFiles)
{
    window().OpenFile(1, recording("one.std"));
    form.reset();

    Workspace &ws = session->workspace();
    EXPECT_FALSE(ws.slot(1).hasRecording());
    EXPECT_EQ(session->replayLog().replaycount(), 1);
    EXPECT_TRUE(QFile::exists(dir.path("setting.ini")));
    EXPECT_TRUE(QFile::exists(dir.path("replaylog.ini")));
    EXPECT_TRUE(notices.empty());
}

TEST_F(MainFormTest, FolderTreeShowsFoldersAndStdFilesAndOpensIntoAlternateSlots)
{
    const QStringList names{"a.std", "B.STD", "c.std"};
    for (const QString &name : names)
        recording(name);
    dir.write("notes.txt", QByteArray("x"));
    QDir(folder()).mkdir("sub");

    auto *tv = window().findChild<QTreeView *>("tv");
    auto *model = qobject_cast<QFileSystemModel *>(tv->model());
    const QModelIndex root = tv->rootIndex();
    ASSERT_EQ(model->filePath(root), folder());
    ASSERT_TRUE(waitFor([&] { return model->rowCount(root) == 4; }));
    model->sort(0);
    QStringList shown;
    for (int row = 0; row < model->rowCount(root); ++row)
        shown << model->index(row, 0, root).data().toString();
    EXPECT_EQ(shown, (QStringList{"sub", "a.std", "B.STD", "c.std"}));

    // Files double-clicked in the tree go to slot 1, 2, then 1 again.
    const int expectedSlots[] = {0, 1, 0};
    for (int i = 0; i < 3; ++i) {
        emit tv->doubleClicked(model->index(dir.path(names[i])));
        EXPECT_TRUE(groupBox(expectedSlots[i])->title().startsWith(names[i] + "     ")) << i;
    }
    EXPECT_TRUE(groupBox(1)->title().startsWith("B.STD"));
}

TEST_F(MainFormTest, DragInTheAScanWindowMovesTenPixelsARow)
{
    window().OpenFile(0, recording("one.std"));
    window().workspace().setPosition(0, 300);
    PaintBox *pb = window().frm_ascan->pb_ascan;

    sendMouse(pb, QEvent::MouseButtonPress, 100, Qt::LeftButton);
    sendMouse(pb, QEvent::MouseMove, 75, Qt::LeftButton);
    EXPECT_EQ(window().workspace().slot(0).bar.position(), 298);
    sendMouse(pb, QEvent::MouseMove, 139, Qt::LeftButton);
    EXPECT_EQ(window().workspace().slot(0).bar.position(), 303);
    sendMouse(pb, QEvent::MouseButtonRelease, 139, Qt::NoButton);
    sendMouse(pb, QEvent::MouseMove, 300, Qt::NoButton);
    EXPECT_EQ(window().workspace().slot(0).bar.position(), 303) << "no drag after the release";
}

} // namespace
