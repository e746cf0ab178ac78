// The overspeed window's own behaviour: the file selector, the speed field's key
// filter, the messages before a scan or an export can start, and the saved
// workbook opened for the user only when it was saved.

#include "TestStdFixtures.h"

#include "common/gui/ListTable.h"
#include "gui/excelformspeed.h"
#include "office/OfficeError.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

void press(QWidget *widget, int key, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        press(widget, c.isDigit() ? Qt::Key_0 + c.digitValue() : (c == u'.' ? Qt::Key_Period : Qt::Key_A), c);
}

class SpeedExcelFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        form = std::make_unique<Tfrm_speedexcel>(*ws);
        form->tell = [this](const QString &, const QString &text) { messages.append(text); };
        form->askSaveFileName = [] { return QStringLiteral("never asked"); };
        form->openSaved = [this](const QString &path) { opened.append(path); };
    }

    void openSecondSlot(const SubFileImage &sub)
    {
        const QString path = dir.write("speed.std", StdFileImage{{sub}, std::nullopt, false});
        if (ws->OpenFile(1, path) || !ws->slot(1).Opened)
            throw std::runtime_error("cannot open " + path.toStdString());
        ws->slot(1).Active = true;
    }

    void openSecondSlot()
    {
        SubFileImage sub = StdTest::minimalSubFile();
        sub.addRow({makePacket(u'1', 30, 40)}, {});
        openSecondSlot(sub);
    }

    // One stretch over 1 km/s that is still running at the end of the sub-file.
    void countOneStretch()
    {
        SubFileImage sub = StdTest::minimalSubFile();
        for (int r = 0; r < 2000; ++r)
            sub.addRow({}, r == 10 ? std::vector<TPACKET>{{u'O', 900, 0}} : std::vector<TPACKET>{});
        openSecondSlot(sub);
        form->N56Click();
        form->edt_speed->setText(QStringLiteral("1"));
        form->edt_dis->setText(QStringLiteral("0"));
        form->btn_countClick();
        ASSERT_EQ(form->lv_main->rowCount(), 1);
        // A finished scan shows a full bar, not the last step it reported.
        EXPECT_EQ(form->pgb_stat->value(), form->pgb_stat->maximum());
        messages.clear();
    }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<Tfrm_speedexcel> form;
    QStringList messages;
    QStringList opened;
};

TEST_F(SpeedExcelFormTest, OnlySecondSlotOpenIsListedAndSelected)
{
    openSecondSlot();
    form->N56Click();
    ASSERT_EQ(form->cb_file->count(), 1);
    EXPECT_EQ(form->cb_file->currentText(), QStringLiteral("文件2"));
}

TEST_F(SpeedExcelFormTest, SpeedFieldTakesDigitsAndOneDecimalPointAfterADigit)
{
    typeText(form->edt_speed, QStringLiteral(".4a.5x.b"));
    EXPECT_EQ(form->edt_speed->text(), QStringLiteral("4.5"));
    press(form->edt_speed, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(form->edt_speed->text(), QStringLiteral("4."));
}

TEST_F(SpeedExcelFormTest, MessagesWhenNothingCanBeCountedOrExported)
{
    form->N56Click();
    form->btn_countClick();
    openSecondSlot();
    form->N56Click();
    form->edt_dis->setText(QStringLiteral("10"));
    form->btn_countClick();
    form->btn_exportClick();
    EXPECT_EQ(messages, QStringList({QStringLiteral("未打开任何文件！"), QStringLiteral("请输入有效数字"),
                                     QStringLiteral("列表为空，无法导出！")}));
}

TEST_F(SpeedExcelFormTest, AFileHandedOverDuringTheScanLeavesTheScannedRecordWhole)
{
    // Sub-file 0 runs at raw speed 1000 from its 2nd to its 4000th row: 8 metres.
    SubFileImage fast = StdTest::minimalSubFile();
    for (int r = 0; r < 4000; ++r)
        fast.addRow({}, r == 1 ? std::vector<TPACKET>{{u'M', 12, 300}, {u'O', 1000, 0}}
                               : (r == 3999 ? std::vector<TPACKET>{{u'M', 12, 308}, {u'O', 0, 0}} : std::vector<TPACKET>{}));
    SubFileImage slow = StdTest::minimalSubFile();
    slow.addRow({}, {});
    const QString scanned = dir.write("fast.std", StdFileImage{{fast, slow}, std::nullopt, false});
    const QString handedOver = dir.write("other.std", StdFileImage{{slow}, std::nullopt, false});
    ASSERT_FALSE(ws->OpenFile(1, scanned));
    form->N56Click();
    form->edt_speed->setText(QStringLiteral("4"));
    form->edt_dis->setText(QStringLiteral("1"));

    // A second start hands a file over while the scan lets events run.
    QTimer::singleShot(0, form.get(), [&] { ws->OpenFile(1, handedOver); });
    form->btn_countClick();

    EXPECT_TRUE(ws->slot(1).Recording->std_FilePath.endsWith(QStringLiteral("other.std")));
    ASSERT_EQ(form->lv_main->rowCount(), 1);
    EXPECT_EQ(form->lbl_stat->text(), QStringLiteral("1处超速共7米"));
}

TEST_F(SpeedExcelFormTest, ASavedWorkbookIsOpenedForTheUserAndAFailedOneIsNot)
{
    countOneStretch();
    form->askSaveFileName = [this] { return dir.path("over"); };
    form->btn_exportClick();
    EXPECT_EQ(opened, QStringList({dir.path("over.xls")}));
    EXPECT_TRUE(QFileInfo(dir.path("over.xls")).size() > 0);
    EXPECT_EQ(messages, QStringList());

    // The folder is missing: the export ends with the reason, and nothing opens.
    opened.clear();
    form->askSaveFileName = [this] { return dir.path("missing/over.xls"); };
    form->btn_exportClick();
    EXPECT_EQ(opened, QStringList());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(dir.path("missing/over.xls"))) << messages[0].toStdString();
}

TEST_F(SpeedExcelFormTest, AWorkbookTheDesktopCannotOpenIsReportedWithTheReason)
{
    countOneStretch();
    form->openSaved = [](const QString &path) { throw OfficeError(QStringLiteral("无法打开 ") + path); };
    form->askSaveFileName = [this] { return dir.path("over.xls"); };
    form->btn_exportClick();
    EXPECT_EQ(messages, QStringList({QStringLiteral("无法打开 ") + dir.path("over.xls")}));
}

} // namespace
