// "速度统计" on the offscreen platform: its controls, what the buttons say when they
// cannot run, the list and totals, the export and the move of the main window's view.

#include "FormSpeed.h"
#include "frmMain.h"

#include "analysis/WorkbookExport.h"
#include "synth/StreamSynth.h"

#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

class SpeedWindow : public ::testing::Test {
protected:
    SpeedWindow()
    {
        // Speeds 2.0, 3.0 ×6, 2.0 km/h from 1 km + 100.0 m on, one sample a metre.
        slot.type = StreamTypeCode;
        slot.SampleSpacing = 1.05;
        const int64_t speeds[] = {20, 30, 30, 30, 30, 30, 30, 20};
        for (size_t k = 0; k < std::size(speeds); ++k)
            slot.MileageTable.push_back({int64_t(5000 + 357 * k), 11000 + int64_t(k) * 10, speeds[k], 0, 0});
        form.tell = [this](QMessageBox::Icon icon, const QString &message) { told.push_back({icon, message}); };
        form.askFileName = [this](QWidget *) { return fileName; };
    }

    template <typename Widget>
    Widget *child(const char *name)
    {
        return form.findChild<Widget *>(QString::fromLatin1(name));
    }
    QStringList listed()
    {
        QStringList lines;
        for (int row = 0; row < child<QListWidget>("ListS")->count(); ++row)
            lines.append(child<QListWidget>("ListS")->item(row)->text());
        return lines;
    }

    RecordingSlot slot;
    std::vector<int32_t> moves;
    std::vector<std::pair<QMessageBox::Icon, QString>> told;
    QString fileName;
    TestFiles::TestDir dir;
    FormSpeed form{[this]() -> const RecordingSlot & { return slot; }, [this](int32_t v) { moves.push_back(v); }};
};

TEST_F(SpeedWindow, OpensOnTopAtTheScreenCornerWithItsInitialInputs)
{
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("速度统计"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.pos(), form.screen()->availableGeometry().topLeft());
    EXPECT_EQ(child<QLineEdit>("Tspeed")->text(), QStringLiteral("2.5"));
    EXPECT_EQ(child<QLineEdit>("TLen")->text(), QStringLiteral("5"));
    EXPECT_EQ(child<QLineEdit>("TextPrev")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>("TextNext")->text(), QStringLiteral("2"));
    EXPECT_TRUE(child<QRadioButton>("OptionAll")->isChecked());
    EXPECT_EQ(child<QPushButton>("Command2")->text(), QStringLiteral("查询并输出到Excel"));

    QLabel *label = child<QLabel>("Label2");
    EXPECT_EQ(label->text(), QStringLiteral("连续超速距离："));
    child<QRadioButton>("OptionBJ")->click();
    EXPECT_EQ(label->text(), QStringLiteral("  超速米个数:"));
    child<QRadioButton>("OptionQX")->click();
    EXPECT_EQ(label->text(), QStringLiteral("连续超速距离:"));

    child<QLineEdit>("TLen")->setText(QStringLiteral("-3"));
    EXPECT_EQ(child<QLineEdit>("TLen")->text(), QStringLiteral("0"));
}

TEST_F(SpeedWindow, ButtonsSayWhyTheyCannotRun)
{
    RecordingSlot loaded = std::move(slot);
    slot = RecordingSlot{};
    child<QPushButton>("Command1")->click();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].second, QStringLiteral("请先打开B超记录文件"));
    EXPECT_EQ(child<QListWidget>("ListS")->count(), 0);

    slot.type = AScanTypeCode;
    child<QPushButton>("Command2")->click();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1].second, QStringLiteral("当前文件是A超记录，没有速度数据"));

    // A bad input names itself and keeps the last results.
    slot = std::move(loaded);
    form.Command1_Click();
    const QStringList before = listed();
    ASSERT_EQ(before.size(), 2);
    child<QLineEdit>("Tspeed")->setText(QStringLiteral("2,5"));
    fileName = dir.path(QStringLiteral("never.xls"));
    form.Command2_Click();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[2], std::make_pair(QMessageBox::Warning, QStringLiteral("“限速”应为数字，请重新输入")));
    EXPECT_EQ(listed(), before);
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST_F(SpeedWindow, ListsTotalsAndMovesTheView)
{
    form.show();
    form.Command1_Click();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("  超速开始位置    连续超速距离    超速平均速度"),
                                     QStringLiteral("   0001+101.0         006米         3.00km/h")}));
    EXPECT_EQ(form.totals(), (QStringList{QStringLiteral("全线总距离: 0.008公里"), QStringLiteral("超速总次数: 1次"),
                                          QStringLiteral("超速总米数: 6米"), QStringLiteral("超速百分比: 75.00%")}));

    QListWidget *list = child<QListWidget>("ListS");
    list->setCurrentRow(0);
    form.ListS_DblClick();
    EXPECT_TRUE(moves.empty());
    list->setCurrentRow(1);
    form.ListS_DblClick();
    EXPECT_EQ(moves, std::vector<int32_t>{5000 + 357 - 200});

    // Each run starts afresh.
    child<QRadioButton>("OptionQX")->click();
    form.Command1_Click();
    EXPECT_EQ(listed().size(), 1);
    EXPECT_EQ(form.totals().size(), 4);
}

TEST_F(SpeedWindow, ExportsToTheChosenFile)
{
    fileName.clear();
    form.Command2_Click();
    EXPECT_EQ(child<QListWidget>("ListS")->count(), 0);

    fileName = dir.path(QStringLiteral("超速统计.xls"));
    form.Command2_Click();
    EXPECT_TRUE(told.empty());
    EXPECT_GT(QFile(fileName).size(), 0);
    EXPECT_EQ(listed().size(), 2);

    fileName = dir.path(QStringLiteral("missing/out.xls"));
    form.Command2_Click();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], std::make_pair(QMessageBox::Warning, ExcelTroubleMessage));
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST(SpeedWindowInMainWindow, OpensOnceFromTheMenuAndMovesTheView)
{
    TestFiles::TestDir dir;
    StreamSynthOptions options;
    options.length = 300;
    options.seed = 5;
    frmMain window;
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), synthesizeStream(options))));

    QAction *menu = window.findChild<QAction *>(QStringLiteral("mnuSpeed"));
    menu->trigger();
    menu->trigger();
    const QList<FormSpeed *> forms = window.findChildren<FormSpeed *>();
    ASSERT_EQ(forms.size(), 1);
    FormSpeed *form = forms[0];
    EXPECT_TRUE(form->isVisible());

    form->findChild<QLineEdit *>(QStringLiteral("Tspeed"))->setText(QStringLiteral("0"));
    form->findChild<QLineEdit *>(QStringLiteral("TLen"))->setText(QStringLiteral("0"));
    form->Command1_Click();
    QListWidget *list = form->findChild<QListWidget *>(QStringLiteral("ListS"));
    ASSERT_GT(list->count(), 1);
    list->setCurrentRow(list->count() - 1);
    const std::optional<int32_t> target =
        SpeedJumpTarget(list->currentRow(), list->currentItem()->text(), window.panes().current().MileageTable);
    ASSERT_TRUE(target);
    form->ListS_DblClick();
    EXPECT_EQ(window.panes().current().ViewStart, *target);
}

} // namespace
