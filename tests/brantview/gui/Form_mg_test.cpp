// "管理报告生成": its controls, and when it stays open and when it closes.

#include "Form_mg.h"
#include "frmMain.h"

#include "analysis/WorkbookExport.h"
#include "synth/ManagementRecordBuilder.h"

#include "SettingsChanges.h"
#include "TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

struct Told {
    QMessageBox::Icon icon;
    QString text;
};

class ManagementWindow : public ::testing::Test {
protected:
    ManagementWindow()
    {
        window.askFileName = [this] { return fileName; };
        window.tell = [this](QMessageBox::Icon icon, const QString &text) { told.push_back({icon, text}); };
        window.openWorkbook = [this](const QString &path) { opened.push_back(path); };
        window.show();
    }

    void start() { child<QPushButton>(window, "Command1")->click(); }

    TestFiles::TestDir dir;
    Form_mg window{704};
    QString fileName;
    std::vector<Told> told;
    QStringList opened;
};

TEST_F(ManagementWindow, ControlsAsTheInstrumentStaffKnowThem)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("管理报告生成"));
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(child<QPushButton>(window, "Command1")->text(), QStringLiteral("开始"));
    for (const auto &[name, caption] : {std::pair{"Check_detail", u"流水纪录"}, {"Check_time", u"避车详细纪录"},
                                        {"Check_speed", u"超速详细记录"}}) {
        auto *box = child<QCheckBox>(window, name);
        ASSERT_TRUE(box) << name;
        EXPECT_EQ(box->text(), QString::fromUtf16(caption));
        EXPECT_TRUE(box->isChecked()) << name;
    }
    auto *bar = child<QProgressBar>(window, "ProgressBar1");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ManagementWindow, StaysOpenAfterACancelOrARefusedFile)
{
    start();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(told.empty());

    fileName = dir.write("MG0001.DAT", QByteArray(17, '\1'));
    start();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].icon, QMessageBox::Warning);
    EXPECT_EQ(told[0].text, QStringLiteral("文件格式不对或是空文件"));
    EXPECT_FALSE(QFile::exists(dir.path("MG0001.txt")));
}

TEST_F(ManagementWindow, ClosesAfterTheExportAndShowsTheWorkbook)
{
    fileName = dir.write("MG0001.DAT", mgPowerOn({14, 8, 13, 8, 0, 0}, 1, 0, 3000, 1, 1, 1, 1));
    child<QCheckBox>(window, "Check_speed")->setChecked(false);
    start();
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(opened, QStringList{dir.path("MG0001.xls")});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(child<QProgressBar>(window, "ProgressBar1")->value(), 100);
    EXPECT_TRUE(QFile::exists(dir.path("MG0001.txt")));
}

TEST_F(ManagementWindow, ClosesAfterAFailedWorkbookWithTheExcelMessage)
{
    fileName = dir.write("MG0001.DAT", MgRecordBuilder(1).at({14, 8, 13, 8, 0, 0}).byte(9, 130).bytes());
    start();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].icon, QMessageBox::Warning);
    EXPECT_EQ(told[0].text, ExcelTroubleMessage);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(QFile::exists(dir.path("MG0001.xls")));
    EXPECT_TRUE(QFile::exists(dir.path("MG0001.txt")));
}

TEST(ManagementReportMenu, IsOfferedWithoutARecordOpen)
{
    frmMain main;
    QAction *report = main.findChild<QAction *>(QStringLiteral("mnuReport"));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->text(), QStringLiteral("管理报告"));
    EXPECT_TRUE(report->isEnabled());
}

} // namespace
