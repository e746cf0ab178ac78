// "浏览标记列表": its controls, the filter, deleting from the list shown, the export with
// its dialog and message replaced, and the main window opening it and keeping it current.

#include "FormMlist.h"
#include "frmMain.h"

#include "analysis/WorkbookExport.h"
#include "synth/StreamSynth.h"

#include "SettingsChanges.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

ReviewMark mark(int kind, int32_t position)
{
    ReviewMark m;
    m.kind = uint8_t(kind);
    if (kind < ReviewMarkKind::BrowseStart)
        m.setPost(position, 123456);
    m.setMadeAt(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 7), Qt::UTC));
    m.params[1] = 200;  // version 200
    return m;
}

QStringList shownLines(const FormMlist &window)
{
    QStringList lines;
    const auto *list = child<QListWidget>(window, "ListM");
    for (int row = 0; row < list->count(); ++row)
        lines.append(list->item(row)->text());
    return lines;
}

class MarkListWindow : public ::testing::Test {
protected:
    MarkListWindow()
    {
        panes.Slots[1].ReviewMarks = {mark(200, 0), mark(2, 10), mark(3, 20), mark(201, 0)};
        window.warn = [this](QWidget *, const QString &message) { warnings.append(message); };
        window.showWorkbook = [this](const QString &path) { shown.append(path); };
    }

    void deleteRow(int row)
    {
        child<QListWidget>(window, "ListM")->setCurrentRow(row);
        child<QPushButton>(window, "Command2")->click();
    }

    RecordingSlots panes;
    ViewSources sources;
    int redraws = 0;
    FormMlist window{panes, sources, [this] { ++redraws; }};
    QStringList warnings;
    QStringList shown;
    TestFiles::TestDir dir;
};

TEST_F(MarkListWindow, ShowsThePanesMarksUnderTheChosenFilter)
{
    window.Form_Load(1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("浏览标记列表"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isWindow());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(child<QLabel>(window, "label1")->text(), QStringLiteral("文件2浏览标记列表"));
    EXPECT_EQ(child<QPushButton>(window, "Command1")->text(), QStringLiteral("输出到EXCEL文件"));
    EXPECT_EQ(child<QPushButton>(window, "Command2")->text(), QStringLiteral("删除当前标记"));
    auto *filter = child<QComboBox>(window, "Combol_list");
    ASSERT_EQ(filter->count(), 9);
    EXPECT_EQ(filter->itemText(0), QStringLiteral("所有标记"));
    EXPECT_EQ(filter->itemText(8), QStringLiteral("关注4"));
    EXPECT_EQ(filter->currentIndex(), 0);

    const QStringList all = shownLines(window);
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[0], MarkListHeading);
    EXPECT_EQ(all[2],
              QStringLiteral("0001   2026-12-10     02:05:07PM       怀疑    12KM+345.6M  00000  (0000),   站线,左股钢轨"));

    filter->setCurrentIndex(4);
    EXPECT_EQ(shownLines(window).size(), 2);
    EXPECT_TRUE(shownLines(window)[1].startsWith(QStringLiteral("0000   ")));
    // Loading again starts from the first filter.
    window.Form_Load(0);
    EXPECT_EQ(filter->currentIndex(), 0);
    EXPECT_EQ(child<QLabel>(window, "label1")->text(), QStringLiteral("文件1浏览标记列表"));
    EXPECT_EQ(shownLines(window), QStringList{MarkListHeading});
}

TEST_F(MarkListWindow, DeletesTheSelectedOperatorsMarkOnly)
{
    window.Form_Load(1);
    for (const int row : {-1, 0, 1, 4}) {
        deleteRow(row);
        EXPECT_EQ(panes.Slots[1].ReviewMarkCount(), 4) << "row " << row;
    }
    EXPECT_EQ(redraws, 0);

    child<QComboBox>(window, "Combol_list")->setCurrentIndex(4);
    deleteRow(1);
    ASSERT_EQ(panes.Slots[1].ReviewMarkCount(), 3);
    EXPECT_EQ(panes.Slots[1].ReviewMarks[1].kind, 2);
    EXPECT_EQ(shownLines(window), QStringList{MarkListHeading});
    EXPECT_EQ(redraws, 1);
}

TEST_F(MarkListWindow, ExportsToTheNameGivenAndShowsTheWorkbook)
{
    window.Form_Load(1);
    const QString path = dir.path(QStringLiteral("marks"));
    window.askFileName = [&](QWidget *) { return path; };
    child<QPushButton>(window, "Command1")->click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(shown, QStringList{path});
    EXPECT_TRUE(warnings.isEmpty());

    window.askFileName = [](QWidget *) { return QString(); };
    child<QPushButton>(window, "Command1")->click();
    EXPECT_EQ(shown.size(), 1);

    const QStringList before = shownLines(window);
    const QString unwritable = dir.path(QStringLiteral("no such folder/marks.xls"));
    window.askFileName = [&](QWidget *) { return unwritable; };
    child<QPushButton>(window, "Command1")->click();
    EXPECT_EQ(warnings, QStringList{ExcelTroubleMessage});
    EXPECT_FALSE(QFile::exists(unwritable));
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(shownLines(window), before);
}

TEST(MarkListFromTheMainWindow, OpensOnceAndFollowsTheMarks)
{
    TestFiles::TestDir dir;
    StreamSynthOptions options;
    options.length = 300;
    options.seed = 3;
    options.reviewer = "Tester";
    const QString path = dir.write(QStringLiteral("QC0001.D01"), synthesizeStream(options));

    frmMain viewer;
    viewer.resize(1200, 800);
    viewer.show();
    ASSERT_TRUE(viewer.OpenFile(0, path));
    // The pointer's pop-up offers the list when the file has marks; choosing it opens the window.
    QAction *item = viewer.findChild<QAction *>(QStringLiteral("munMlist"));
    QMenu *tools = viewer.findChild<QMenu *>(QStringLiteral("mnuTools"));
    const auto chooseFromPopup = [&] {
        bool offered = false;
        QTimer::singleShot(0, &viewer, [&] {
            offered = item->isVisible() && item->isEnabled();
            item->trigger();
            tools->close();
        });
        viewer.Form_MouseDown(PointerButton::Right, 0, 400, 100);
        return offered;
    };
    ASSERT_TRUE(chooseFromPopup());
    auto *list = viewer.findChild<FormMlist *>();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(shownLines(*list).size(), viewer.panes().Slots[0].ReviewMarkCount() + 1);
    EXPECT_FALSE(item->isVisible()) << "a pop-up item outside the pop-up";
    ASSERT_TRUE(chooseFromPopup());
    EXPECT_EQ(viewer.findChildren<FormMlist *>().size(), 1);

    // A mark set with a key appears in the open list.
    QKeyEvent step(QEvent::KeyPress, Qt::Key_BracketLeft, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &step);
    const int before = shownLines(*list).size();
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &f2);
    ASSERT_EQ(shownLines(*list).size(), before + 1);
    EXPECT_TRUE(shownLines(*list).back().contains(QStringLiteral("怀疑")));
    list->close();
}

} // namespace
