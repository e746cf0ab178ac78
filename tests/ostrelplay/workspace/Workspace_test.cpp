// The replay workspace driven as the main window drives it: files opened into the
// two slots, play with the slots' workers, the status timer's sub-file changes,
// the pointer tools and the B-scan and mark menus.

#include "TestStdFixtures.h"

#include "recording/StdText.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>

namespace {

// Drawing texts needs a GUI application; the offscreen platform needs no display.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "workspace_tests";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment *const guiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// The window thread's queue: workers post into it, the test runs what arrived.
class WindowQueue {
public:
    Workspace::PostToWindow poster()
    {
        return [this](std::function<void()> call) {
            {
                std::lock_guard lock(m_mutex);
                m_calls.push_back(std::move(call));
            }
            m_arrived.notify_all();
        };
    }

    // Runs the queued calls until `done` holds or `limit` has passed; returns done().
    bool pumpUntil(const std::function<bool()> &done, std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            std::unique_lock lock(m_mutex);
            if (!m_arrived.wait_until(lock, end, [this] { return !m_calls.empty(); }))
                return done();
            std::function<void()> call = std::move(m_calls.front());
            m_calls.pop_front();
            lock.unlock();
            call();
        }
        return true;
    }

    void pumpFor(std::chrono::milliseconds duration)
    {
        pumpUntil([] { return false; }, duration);
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::function<void()>> m_calls;
};

// A sub-file whose rows all hold one echo, except the first `emptyRows` after row 0.
SubFileImage echoRows(int rows, int emptyRows = 0, int railType = 0)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_RailType = int8_t(railType);
    for (int row = 0; row < rows; ++row) {
        if (row >= 1 && row <= emptyRows)
            sub.addRow({});
        else
            sub.addRow({makePacket(u'1', 30, 40)});
    }
    return sub;
}

StdFileImage oneSubFile(int rows, int emptyRows = 0, int railType = 0)
{
    return StdFileImage{{echoRows(rows, emptyRows, railType)}, std::nullopt, false};
}

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override { ws = std::make_unique<Workspace>(settings, log, window.poster()); }

    QString write(const QString &name, const StdFileImage &image) { return dir.write(name, image); }

    // Opens a file that must load without any notice.
    void open(int fileN, const QString &path)
    {
        const std::optional<Notice> notice = ws->OpenFile(fileN, path);
        if (notice || !ws->slot(fileN).Opened)
            throw std::runtime_error("cannot open " + path.toStdString() + ": "
                                     + (notice ? notice->text.toStdString() : std::string()));
    }

    mystdfile &recording(int fileN) { return *ws->slot(fileN).Recording; }
    StdFrame &frame(int fileN) { return ws->slot(fileN).Frame; }
    int position(int fileN) const { return ws->slot(fileN).bar.position(); }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    WindowQueue window;  // outlives the workspace and its workers
    std::unique_ptr<Workspace> ws;
};

// --- slots ---

TEST_F(WorkspaceTest, FilesFromOutsideFillTheSlotsInTurn)
{
    const QString a = write("a.std", oneSubFile(20));
    const QString b = write("b.std", oneSubFile(20));
    const QString c = write("c.std", oneSubFile(20));

    std::vector<int> targets;
    for (const QString &path : {a, b, c}) {
        const int target = ws->NextOpenSlot;
        targets.push_back(target);
        open(target, path);
        EXPECT_TRUE(ws->slot(target).Active);
        EXPECT_FALSE(ws->slot(1 - target).Active);
    }

    EXPECT_EQ(targets, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(recording(0).std_FilePath, c);
    EXPECT_EQ(recording(1).std_FilePath, b);
    EXPECT_EQ(ws->openSlotCount(), 2);
    EXPECT_EQ(ws->NextOpenSlot, 1);
}

TEST_F(WorkspaceTest, ReplacingARecordingLogsAndFastSavesItFirst)
{
    StdFileImage two = oneSubFile(20);
    two.subFiles.push_back(echoRows(30));
    const QString old = write("old.std", two);
    const qint64 oldSize = QFileInfo(old).size();
    const QString next = write("next.std", oneSubFile(20));
    open(0, old);

    open(0, next);

    // The instrument's file gains an empty mark section: one count per sub-file.
    EXPECT_EQ(QFileInfo(old).size(), oldSize + 4 * 2);
    EXPECT_TRUE(StdTest::loadStd(old)->std_Replayed);
    ASSERT_EQ(log.replaycount(), 1);
    EXPECT_EQ(log.replayfilelog[0], "old.std");
    EXPECT_FALSE(log.replaystartlog[0].isEmpty());
    EXPECT_EQ(recording(0).std_FilePath, next);
    EXPECT_TRUE(ws->slot(0).caption.startsWith("next.std     "));
}

TEST_F(WorkspaceTest, OpenedSlotShowsSubFileLinesCaptionAndBar)
{
    struct Names {
        const char *line, *station, *op;
        int lineType, side, area;
    };
    const Names names[] = {{"京沪线", "南京站", "张三", 0, 0, 12},
                           {"京广线", "武汉站", "李四", 1, 1, 305},
                           {"沪昆线", "杭州站", "王五", 2, 0, 7}};
    StdFileImage image;
    for (const Names &n : names) {
        SubFileImage sub = echoRows(40);
        setStdText(sub.para.m_LineNameChar, 10, QString::fromUtf8(n.line));
        setStdText(sub.para.m_StationNameChar, 10, QString::fromUtf8(n.station));
        setStdText(sub.para.m_OperatorName, 10, QString::fromUtf8(n.op));
        sub.para.m_LineType = int8_t(n.lineType);
        sub.para.m_LeftRightLine = int8_t(n.side);
        sub.para.m_Area = n.area;
        image.subFiles.push_back(sub);
    }
    open(1, write("three.std", image));

    const FileSlot &s = ws->slot(1);
    EXPECT_EQ(s.comboLines, QStringList({"1/3     京沪线  南京站  上行  左股  张三  地段:12",
                                         "2/3     京广线  武汉站  下行  右股  李四  地段:305",
                                         "3/3     沪昆线  杭州站  单线  左股  王五  地段:7"}));
    EXPECT_EQ(s.comboIndex, 0);
    EXPECT_EQ(s.dBHint, recording(1).GetdBPara());
    EXPECT_EQ(s.caption, "three.std     " + s.dBHint);
    EXPECT_EQ(s.bar.minimum(), 0);
    EXPECT_EQ(s.bar.maximum(), 35);
    EXPECT_EQ(s.bar.position(), 1);
    EXPECT_EQ(s.bar.selectionEnd(), 0);
    ASSERT_TRUE(s.Worker);
    EXPECT_TRUE(s.Worker->running());
}

TEST_F(WorkspaceTest, RecordingTakesTheBarValuesAndEndsMeasuring)
{
    ws->setDotSize(7);
    ws->setPlaySpeed(40);
    ws->btnCountDisClick();
    ASSERT_TRUE(ws->Measuring);

    open(0, write("a.std", oneSubFile(20)));

    EXPECT_EQ(frame(0).style.DocSize, 7);
    EXPECT_FALSE(ws->Measuring);
    EXPECT_FALSE(frame(0).tools.CountDis);
    EXPECT_TRUE(ws->MeasureNextIsStart);
    EXPECT_EQ(settings.display.DocSize, 7);
    EXPECT_EQ(settings.PlaySpeed, 40);
}

TEST_F(WorkspaceTest, DamagedFileLeavesTheSlotEmptyWithAMessage)
{
    const QString good = write("good.std", oneSubFile(20));
    const QString damaged = dir.write("damaged.std", QByteArray("not a recording at all"));
    open(0, good);

    const std::optional<Notice> notice = ws->OpenFile(0, damaged);

    ASSERT_TRUE(notice.has_value());
    EXPECT_FALSE(notice->text.isEmpty());
    const FileSlot &s = ws->slot(0);
    EXPECT_FALSE(s.hasRecording());
    EXPECT_FALSE(s.Worker);
    EXPECT_FALSE(s.Opened);
    EXPECT_EQ(s.caption, "文件1");
    EXPECT_TRUE(s.comboLines.isEmpty());
    // The recording it replaced still left properly: logged and saved.
    EXPECT_EQ(log.replaycount(), 1);
    EXPECT_TRUE(StdTest::loadStd(good)->std_Replayed);
}

TEST_F(WorkspaceTest, OldVersionOpensWithItsWarning)
{
    SubFileImage sub = echoRows(20);
    sub.setVersion("1.3.X");
    const std::optional<Notice> notice = ws->OpenFile(0, write("old.std", StdFileImage{{sub}, std::nullopt, false}));

    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, "警告：数据版本与软件版本不对应，继续播放可能产生错误，请将仪器升级到相应版本！");
    EXPECT_TRUE(ws->slot(0).Opened);
}

TEST_F(WorkspaceTest, UnsavedMarksOfAVanishedFileAreReportedAndTheNewFileStillOpens)
{
    const QString old = write("old.std", oneSubFile(2000));
    open(0, old);
    ws->setPosition(0, 1500);
    ws->markMenu(u'?');
    ASSERT_TRUE(QFile::remove(old));

    const std::optional<Notice> notice = ws->OpenFile(0, write("new.std", oneSubFile(20)));

    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->text.contains(old)) << notice->text.toStdString();
    EXPECT_TRUE(ws->slot(0).Opened);
    EXPECT_TRUE(recording(0).std_FilePath.endsWith("new.std"));
    EXPECT_EQ(log.replaycount(), 1);
}

TEST_F(WorkspaceTest, ClosingEmptiesTheSlotAndReopeningRunsOneWorkerAgain)
{
    const QString path = write("a.std", oneSubFile(2000));
    open(0, path);
    ws->CloseClick(0);

    EXPECT_FALSE(ws->slot(0).hasRecording());
    EXPECT_FALSE(ws->slot(0).Worker);
    EXPECT_EQ(ws->slot(0).caption, "文件1");
    EXPECT_EQ(log.replaycount(), 1);
    EXPECT_TRUE(StdTest::loadStd(path)->std_Replayed);

    open(0, path);
    ASSERT_TRUE(ws->slot(0).Worker);
    EXPECT_TRUE(ws->slot(0).Worker->running());
    ws->btnModeClick();
    ws->btnPlayClick();
    EXPECT_TRUE(window.pumpUntil([&] { return position(0) > 1; }));
    ws->btnPlayClick();
}

TEST_F(WorkspaceTest, ARecordingHeldByAScanOutlivesItsSlotAndTheFileOpenedInto)
{
    const QString first = write("a.std", oneSubFile(300));
    open(0, first);
    const std::shared_ptr<const mystdfile> held = ws->slot(0).Recording;

    open(0, write("b.std", oneSubFile(20)));
    ws->CloseClick(0);

    // Still whole: the sanitizer build would catch a read of a freed recording.
    EXPECT_EQ(held->std_FilePath, first);
    EXPECT_EQ(held->std_packetindex.size(), 300u);
    EXPECT_TRUE(held->rowPackets(299).valid());
}

TEST_F(WorkspaceTest, SaveWritesAWholeCopyAndKeepsTheSlotOnItsOwnFile)
{
    const QString path = write("a.std", oneSubFile(2000));
    open(0, path);
    ws->setPosition(0, 1000);
    ws->markMenu(u'F');
    const QString copy = dir.path("copy.std");

    ws->SaveClick(recording(0), copy);

    const auto saved = StdTest::loadStd(copy);
    ASSERT_EQ(saved->std_mark[0].size(), 1u);
    EXPECT_EQ(int(saved->std_mark[0][0].m_Pos), 250);
    EXPECT_EQ(recording(0).std_FilePath, path);
    EXPECT_FALSE(ws->hasUnsavedChanges());
}

// --- play ---

TEST_F(WorkspaceTest, SyncPlayMovesBothSlots)
{
    open(0, write("a.std", oneSubFile(3000)));
    open(1, write("b.std", oneSubFile(3000)));
    ws->btnModeClick();  // normal play: steps of the speed bar
    ASSERT_TRUE(ws->SyncPlay);

    ws->btnPlayClick();
    EXPECT_TRUE(window.pumpUntil([&] { return position(0) > 20 && position(1) > 20; }));
    ws->btnPlayClick();
    EXPECT_FALSE(ws->Playing);
}

TEST_F(WorkspaceTest, AsyncPlayMovesOnlyTheActiveSlot)
{
    open(0, write("a.std", oneSubFile(3000)));
    open(1, write("b.std", oneSubFile(3000)));
    ws->btnModeClick();
    ws->btnSyncClick();
    ws->pbClick(1);

    ws->btnPlayClick();
    EXPECT_TRUE(window.pumpUntil([&] { return position(1) > 40; }));
    ws->btnPlayClick();

    EXPECT_EQ(position(0), 1);
}

TEST_F(WorkspaceTest, PlayAdvancesByTheRuleOfItsMode)
{
    struct Case {
        const char *name;
        bool smart;
        int smartplayMode;
        int firstPosition;
    };
    // Rows 1..99 are empty; the speed bar stands at 8, "BShowWidth" at 3000.
    const Case cases[] = {{"normal", false, 0, 1 + 8},
                          {"smart, half screen", true, 0, 100 + 500},
                          {"smart, continuous", true, 1, 100 + 8}};
    const QString path = write("gap.std", oneSubFile(3000, 99));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings.SmartplayMode = c.smartplayMode;
        ws->SmartPlay = c.smart;
        open(0, path);

        ws->btnPlayClick();
        EXPECT_TRUE(window.pumpUntil([&] { return position(0) != 1; }));
        ws->btnPlayClick();
        EXPECT_EQ(position(0), c.firstPosition);
        ws->CloseClick(0);
    }
}

TEST_F(WorkspaceTest, HalfScreenJumpDwellsBeforeTheNext)
{
    settings.SmartplayTime = 3000;
    open(0, write("a.std", oneSubFile(3000)));

    ws->btnPlayClick();
    ASSERT_TRUE(window.pumpUntil([&] { return position(0) != 1; }));
    EXPECT_EQ(position(0), 501);
    window.pumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(position(0), 501);
    ws->btnPlayClick();
}

TEST_F(WorkspaceTest, PressingTheMouseHoldsPlay)
{
    open(0, write("a.std", oneSubFile(3000)));
    ws->btnModeClick();
    ws->pbMouseDown(0, 10, 10, MouseButton::Left);

    ws->btnPlayClick();
    window.pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(position(0), 1);

    ws->pbMouseUp();
    EXPECT_TRUE(window.pumpUntil([&] { return position(0) > 1; }));
    ws->btnPlayClick();
}

TEST_F(WorkspaceTest, PlayWithoutRecordingsDoesNotStart)
{
    ws->btnPlayClick();
    EXPECT_FALSE(ws->Playing);
}

TEST_F(WorkspaceTest, StepsMoveAQuarterOfTheWidth)
{
    open(0, write("a.std", oneSubFile(3000, 9)));
    open(1, write("b.std", oneSubFile(3000, 9)));
    ws->btnModeClick();  // normal

    ws->btnNextClick();
    EXPECT_EQ(position(0), 751);
    EXPECT_EQ(position(1), 751);
    ws->btnBackClick();
    EXPECT_EQ(position(0), 1);

    ws->btnModeClick();  // smart: the empty rows 1..9 are skipped first
    ws->btnSyncClick();
    ws->pbClick(1);
    ws->btnNextClick();
    EXPECT_EQ(position(0), 1);
    EXPECT_EQ(position(1), 10 + 750);
}

TEST_F(WorkspaceTest, StatusTimerChangesSubFileAtBothEnds)
{
    StdFileImage two = oneSubFile(60);
    two.subFiles.push_back(echoRows(80));
    open(0, write("two.std", two));
    ws->btnCountDisClick();
    const FileSlot &s = ws->slot(0);

    ws->setPosition(0, s.bar.maximum());
    ASSERT_EQ(position(0), 55);
    ws->MouseDragging = true;
    ws->tmrTimer();

    EXPECT_EQ(s.comboIndex, 1);
    EXPECT_EQ(recording(0).std_CurFile, 1);
    EXPECT_EQ(s.bar.maximum(), 79);
    EXPECT_EQ(s.bar.position(), 5);
    EXPECT_EQ(s.bar.selectionEnd(), 5);
    EXPECT_FALSE(ws->MouseDragging);
    EXPECT_TRUE(frame(0).tools.CountDis);
    EXPECT_TRUE(s.Opened);

    ws->setPosition(0, 0);
    ws->tmrTimer();

    EXPECT_EQ(s.comboIndex, 0);
    EXPECT_EQ(s.bar.maximum(), 59);
    EXPECT_EQ(s.bar.position(), 54);

    // The ends of the recording are no sub-file change.
    ws->setPosition(0, 0);
    ws->tmrTimer();
    EXPECT_EQ(s.comboIndex, 0);
    EXPECT_EQ(s.bar.position(), 0);
}

TEST_F(WorkspaceTest, SubFileSwitchWhilePlayingKeepsPlaying)
{
    StdFileImage two = oneSubFile(100);
    two.subFiles.push_back(echoRows(3000));
    open(0, write("two.std", two));
    ws->btnModeClick();

    // The worker stops at the end of sub-file 0; the status timer carries play on.
    ws->btnPlayClick();
    const auto carriedOn = [&] { return ws->slot(0).comboIndex == 1 && position(0) > 20; };
    for (int tick = 0; tick < 500 && !carriedOn(); ++tick) {
        window.pumpFor(std::chrono::milliseconds(20));
        ws->tmrTimer();
    }
    EXPECT_TRUE(carriedOn());
    EXPECT_TRUE(ws->Playing);
    ws->btnPlayClick();
}

// --- drawing ---

TEST_F(WorkspaceTest, UnchangedFrameIsNotDrawnAgain)
{
    StdFileImage two = oneSubFile(3000);
    two.subFiles.push_back(echoRows(3000));
    open(0, write("a.std", two));
    const QSize pane(400, 300), ascan(200, 150);

    struct Change {
        const char *name;
        std::function<void()> apply;
    };
    const Change changes[] = {
        {"position", [&] { ws->setPosition(0, 1200); }},
        {"mark added", [&] { ws->markMenu(u'!'); }},
        {"sub-file", [&] { ws->cbbChange(0, 1); }},
        {"channel hidden", [&] { ws->ChannelHideClick(3); }},
        {"measuring", [&] { ws->btnCountDisClick(); }},
        {"measuring point", [&] { ws->pbMouseDown(0, 30, 30, MouseButton::Middle); }},
        {"compression", [&] { ws->btnCompressClick(); }},
        {"dot size", [&] { ws->setDotSize(5); }},
        {"rail head", [&] { ws->toggleRailHead(); }},
        {"help-line style", [&] { settings.HelpLineStyle[1] = 3; }},
        {"colour", [&] { frame(0).style.color_background = QColor(9, 9, 9); }},
        {"probe position", [&] { frame(0).probepara_p[4] += 10; }},
        {"help line dragged", [&] { recording(0).HelpLine[2] = 90; }},
    };

    EXPECT_TRUE(ws->drawSlot(0, pane, ascan));
    EXPECT_EQ(frame(0).std_BBitMap.size(), pane);
    EXPECT_FALSE(ws->drawSlot(0, pane, ascan));
    EXPECT_TRUE(ws->drawSlot(0, QSize(500, 300), ascan));
    EXPECT_TRUE(ws->drawSlot(0, QSize(500, 300), QSize(210, 150)));
    for (const Change &c : changes) {
        SCOPED_TRACE(c.name);
        c.apply();
        EXPECT_TRUE(ws->drawSlot(0, pane, ascan));
        EXPECT_FALSE(ws->drawSlot(0, pane, ascan));
    }
}

TEST_F(WorkspaceTest, UndrawableFrameShowsTheFailureTextInstead)
{
    // Mileage records of a version whose third character is no digit cannot be shown.
    SubFileImage sub = StdTest::minimalSubFile("A.B");
    for (int row = 0; row < 40; ++row)
        sub.addRow({makePacket(u'1', 30, 40)}, {makePacket(u'M', 12, int16_t(row))});
    settings.display.color_text = Qt::cyan;
    open(0, write("bad.std", StdFileImage{{sub}, std::nullopt, false}));

    bool drawn = false;
    EXPECT_NO_THROW(drawn = ws->drawSlot(0, QSize(400, 300), QSize(200, 150)));
    EXPECT_TRUE(drawn);
    // "该段数据有误，无法回放，请选择其他数据" at (5, 5) in the text colour on both pictures.
    for (const QImage *image : {&frame(0).std_BBitMap, &frame(0).std_ABitMap}) {
        int textPixels = 0;
        for (int y = 5; y < 19; ++y)
            for (int x = 5; x < 200; ++x)
                textPixels += image->pixelColor(x, y) == QColor(Qt::cyan);
        EXPECT_GT(textPixels, 150);
    }
}

// A record offset far beyond the picture's integers (a damaged parameter block)
// fails the frame with the same text instead of overflowing.
TEST_F(WorkspaceTest, RecordOffsetBeyondTheIntegersFailsTheFrame)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_ZoomStartPoint = INT32_MAX;
    for (int row = 0; row < 40; ++row)
        sub.addRow({makePacket(u'1', 30, 40)}, {makePacket(u'M', 12, int16_t(row))});
    settings.display.color_text = Qt::cyan;
    open(0, write("zoom.std", StdFileImage{{sub}, std::nullopt, false}));
    ws->setPosition(0, 20);  // rows to the left of the current one lie beyond the integers
    EXPECT_TRUE(ws->drawSlot(0, QSize(400, 300), QSize(200, 150)));
    int textPixels = 0;
    for (int y = 5; y < 19; ++y)
        for (int x = 5; x < 200; ++x)
            textPixels += frame(0).std_BBitMap.pixelColor(x, y) == QColor(Qt::cyan);
    EXPECT_GT(textPixels, 150);
}

TEST_F(WorkspaceTest, EmptySlotDrawsNothing)
{
    EXPECT_FALSE(ws->drawSlot(0, QSize(400, 300), QSize(200, 150)));
}

// --- pointer tools ---

TEST_F(WorkspaceTest, SyncDragMovesBothSlotsByTheSameRows)
{
    settings.display.std_OIMG_Width = 400;
    open(0, write("a.std", oneSubFile(1000)));
    open(1, write("b.std", oneSubFile(1000)));
    for (int n : {0, 1})
        ws->drawSlot(n, QSize(400, 300), QSize(200, 150));
    ASSERT_EQ(frame(0).WScale, 1.0);
    ws->setPosition(0, 100);
    ws->setPosition(1, 300);

    ws->pbMouseDown(0, 50, 10, MouseButton::Left);
    EXPECT_TRUE(ws->MouseDragging);
    ws->pbMouseMove(0, 70, 10);
    ws->pbMouseMove(0, 90, 10);
    EXPECT_EQ(position(0), 120);
    EXPECT_EQ(position(1), 320);
    ws->pbMouseUp();
    EXPECT_FALSE(ws->MouseDragging);

    ws->btnSyncClick();
    ws->pbMouseDown(1, 90, 10, MouseButton::Left);
    ws->pbMouseMove(1, 50, 10);
    ws->pbMouseUp();
    EXPECT_EQ(position(0), 120);
    EXPECT_EQ(position(1), 300);
}

TEST_F(WorkspaceTest, TwoMouseDownsGiveTheMeasuredDistance)
{
    settings.display.std_OIMG_Width = 200;
    open(0, write("a.std", oneSubFile(1000)));
    ws->drawSlot(0, QSize(400, 300), QSize(200, 150));
    ASSERT_EQ(frame(0).WScale, 2.0);
    ws->setPosition(0, 100);
    ws->btnCountDisClick();

    ws->pbMouseDown(0, 100, 0, MouseButton::Left);
    ws->pbMouseUp();
    ws->pbMouseDown(0, 160, 0, MouseButton::Left);
    ws->pbMouseUp();

    EXPECT_EQ(ws->pbMouseMove(0, 160, 0), "当前高度：0  →:30  ↓:0");
    EXPECT_EQ(frame(0).tools.CountDisStart, QPoint(100 + 400, 0));
    EXPECT_EQ(frame(0).tools.CountDisEndXY, QPoint(160, 0));
    EXPECT_EQ(frame(0).tools.CountDisPoint, 2);
    EXPECT_TRUE(ws->MeasureNextIsStart);
}

class HelpLineTest : public WorkspaceTest {
protected:
    // A P60 recording drawn with HScale 5: help line 0 (depth 46) lies at y 230.
    void openDrawn()
    {
        open(0, write("p60.std", oneSubFile(1000, 0, 2)));
        const int bandsHeight = recording(0).std_OIMG_Height[4];
        ws->drawSlot(0, QSize(400, 6 * bandsHeight), QSize(200, 150));
        ASSERT_EQ(frame(0).HScale, 5.0);
        ASSERT_EQ(recording(0).HelpLine[0], 46);
    }
};

TEST_F(HelpLineTest, DraggedLineKeepsItsDepthForTheRailType)
{
    openDrawn();
    const auto others = settings.HelpLinePos;

    ws->pbMouseDown(0, 20, 232, MouseButton::Left);
    EXPECT_TRUE(ws->HelpLineDragging[0]);
    ws->pbMouseMove(0, 20, 252);
    ws->pbMouseUp();

    EXPECT_EQ(settings.HelpLinePos[2][0], 50);
    EXPECT_EQ(recording(0).HelpLine[0], 50);
    for (int r : {0, 1, 3, 4})
        EXPECT_EQ(settings.HelpLinePos[size_t(r)], others[size_t(r)]);
    EXPECT_FALSE(ws->HelpLineDragging[0]);
}

TEST_F(HelpLineTest, DoubleClickCyclesTheLineStyleElsePlays)
{
    openDrawn();
    std::vector<int> styles;
    for (int i = 0; i < 5; ++i) {
        ws->pbDblClick(0, 229);
        styles.push_back(settings.HelpLineStyle[0]);
    }
    EXPECT_EQ(styles, (std::vector<int>{1, 2, 3, 4, 0}));
    EXPECT_FALSE(ws->Playing);

    ws->pbDblClick(0, 100);
    EXPECT_TRUE(ws->Playing);
    ws->pbDblClick(0, 100);
    EXPECT_FALSE(ws->Playing);
}

TEST_F(HelpLineTest, LockedLinesAreNeitherGrabbedNorRestyled)
{
    settings.helplinelock = true;
    openDrawn();

    ws->pbMouseDown(0, 20, 230, MouseButton::Left);
    EXPECT_FALSE(ws->HelpLineDragging[0]);
    EXPECT_TRUE(ws->MouseDragging);
    ws->pbMouseUp();

    ws->pbDblClick(0, 230);
    EXPECT_EQ(settings.HelpLineStyle[0], 0);
    EXPECT_TRUE(ws->Playing);
    ws->btnPlayClick();
}

// --- menus ---

TEST_F(WorkspaceTest, HiddenChannelReachesBothRecordingsAndTheCaption)
{
    open(0, write("a.std", oneSubFile(20)));
    open(1, write("b.std", oneSubFile(20)));

    ws->ChannelHideClick(9);
    EXPECT_EQ(ws->channelHideCaption(9), "通道隐藏失波√");
    EXPECT_EQ(ws->channelHideCaption(6), "隐藏通道1A");
    EXPECT_TRUE(frame(0).style.channelhide[9]);
    EXPECT_TRUE(frame(1).style.channelhide[9]);

    open(0, write("c.std", oneSubFile(20)));
    EXPECT_TRUE(frame(0).style.channelhide[9]);

    ws->ChannelHideClick(9);
    EXPECT_EQ(ws->channelHideCaption(9), "通道隐藏失波");
    EXPECT_FALSE(frame(1).style.channelhide[9]);
}

TEST_F(WorkspaceTest, CutFromTheMenusWritesTheRange)
{
    settings.display.std_OIMG_Width = 200;
    open(0, write("a.std", oneSubFile(1000)));
    ws->pbMouseDown(0, 10, 10, MouseButton::Right);
    EXPECT_FALSE(ws->cutEndEnabled(0));

    ws->setPosition(0, 400);
    ws->cutStart();
    EXPECT_EQ(recording(0).CutStartPos, 200);
    ws->pbMouseDown(0, 10, 10, MouseButton::Right);
    EXPECT_TRUE(ws->cutEndEnabled(0));

    ws->setPosition(0, 200);
    EXPECT_TRUE(ws->cutEndCandidates().empty());
    EXPECT_TRUE(ws->cutEndEnabled(0));

    ws->setPosition(0, 600);
    EXPECT_EQ(ws->cutEndCandidates(), std::vector<int>{0});
    const QString cut = dir.path("cut.std");
    ws->saveCut(recording(0), cut, true);

    const auto loaded = StdTest::loadStd(cut);
    EXPECT_EQ(loaded->std_filecount, 1);
    EXPECT_EQ(loaded->std_scandataindex.m_PacketIndexCount, 401);
}

TEST_F(WorkspaceTest, CutStartNeverGoesBeforeTheSubFile)
{
    open(0, write("a.std", oneSubFile(1000)));
    ws->setPosition(0, 400);
    ws->cutStart();
    EXPECT_EQ(recording(0).CutStartPos, 0);
}

TEST_F(WorkspaceTest, MeasuringMenuRunsStartEndCancel)
{
    settings.display.std_OIMG_Width = 200;
    open(0, write("a.std", oneSubFile(1000)));
    ws->drawSlot(0, QSize(400, 300), QSize(200, 150));
    ws->setPosition(0, 100);
    ws->pbMouseDown(0, 30, 40, MouseButton::Right);
    using Items = std::array<bool, 3>;
    const auto items = [&] { return Items{ws->measureStartEnabled, ws->measureEndEnabled, ws->measureCancelEnabled}; };
    EXPECT_EQ(items(), (Items{true, false, false}));

    ws->measureStart();
    EXPECT_EQ(items(), (Items{true, true, true}));
    EXPECT_TRUE(frame(0).tools.CountDisPro);
    EXPECT_EQ(frame(0).tools.CountDisProStart, QPoint(30 + 400, 40));
    EXPECT_EQ(frame(0).tools.CountDisProStartXY, QPoint(30, 40));

    ws->setPosition(0, 150);
    ws->pbMouseDown(0, 80, 90, MouseButton::Right);
    ws->measureEnd();
    EXPECT_EQ(items(), (Items{false, false, true}));
    EXPECT_EQ(frame(0).tools.CountDisProEnd, QPoint(80 + 600, 90));
    EXPECT_TRUE(frame(0).tools.CountDisProCompleted);

    ws->measureCancel();
    EXPECT_EQ(items(), (Items{true, false, false}));
    EXPECT_FALSE(frame(0).tools.CountDisPro);
    EXPECT_FALSE(frame(0).tools.CountDisProCompleted);
}

TEST_F(WorkspaceTest, RailHeadToggleReachesSettingsAndRecordings)
{
    open(0, write("a.std", oneSubFile(20)));
    open(1, write("b.std", oneSubFile(20)));

    ws->toggleRailHead();

    EXPECT_TRUE(settings.BShowHide);
    for (int n : {0, 1}) {
        EXPECT_TRUE(recording(n).std_bshowhide);
        EXPECT_TRUE(ws->slot(n).Opened);
    }
}

TEST_F(WorkspaceTest, MarkMenuMarksAQuarterScreenBackAndRefusesNegativeRows)
{
    open(0, write("a.std", oneSubFile(2000)));
    open(1, write("b.std", oneSubFile(2000)));
    ws->MarkSlot = 1;

    ws->setPosition(1, 100);
    ws->markMenu(u'?');
    EXPECT_TRUE(recording(1).std_mark[0].empty());
    EXPECT_FALSE(ws->hasUnsavedChanges());

    ws->setPosition(1, 1000);
    ws->markMenu(u'F');
    ASSERT_EQ(recording(1).std_mark[0].size(), 1u);
    EXPECT_EQ(int(recording(1).std_mark[0][0].m_Cmd), int(u'F'));
    EXPECT_EQ(int(recording(1).std_mark[0][0].m_Pos), 250);
    EXPECT_TRUE(recording(0).std_mark[0].empty());
    EXPECT_TRUE(ws->hasUnsavedChanges());
}

// --- leaving ---

TEST_F(WorkspaceTest, LeavingLogsFreesWithoutSavingAndWritesBothFiles)
{
    const QString a = write("a.std", oneSubFile(2000));
    const QByteArray before = StdTest::readBytes(a);
    open(0, a);
    open(1, write("b.std", oneSubFile(20)));
    ws->setPosition(0, 1000);
    ws->markMenu(u'?');
    ws->setPlaySpeed(55);

    ws->FormDestroy(dir.path("setting.ini"), dir.path("replaylog.ini"));

    EXPECT_EQ(StdTest::readBytes(a), before);
    EXPECT_FALSE(ws->slot(0).hasRecording());
    EXPECT_FALSE(ws->slot(1).Worker);
    EXPECT_EQ(log.replayfilelog, QStringList({"a.std", "b.std"}));
    PlayerSettings reread;
    reread.readsetting(dir.path("setting.ini"));
    EXPECT_EQ(reread.PlaySpeed, 55);
    ReplayLog relog;
    relog.readreplaylog(dir.path("replaylog.ini"));
    EXPECT_EQ(relog.replaycount(), 2);
}

// The settings cannot be written: the replay log still is, and the failure is
// reported with the settings file's name.
TEST_F(WorkspaceTest, LeavingWritesTheReplayLogWhenTheSettingsCannotBeWritten)
{
    open(0, write("a.std", oneSubFile(20)));
    const QString settingsFile = dir.path("missing-folder/setting.ini");
    try {
        ws->FormDestroy(settingsFile, dir.path("replaylog.ini"));
        ADD_FAILURE() << "the failed settings write went unreported";
    } catch (const common::UserError &e) {
        EXPECT_TRUE(e.text().contains(settingsFile)) << e.what();
    }
    ReplayLog relog;
    relog.readreplaylog(dir.path("replaylog.ini"));
    EXPECT_EQ(relog.replaycount(), 1);
}

} // namespace
