// The two search windows on the main window: opened once each from the tools menu,
// their entries refused on leaving a box, and their searches moving the main view.

#include "Form_Find.h"
#include "Form_MarkFind.h"
#include "frmMain.h"

#include "recording/Packets.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace brantview;

namespace {

using Told = std::tuple<QString, QString, QMessageBox::Icon>;

// Filler columns 10 Steps apart to 20000, mileage samples every 1000 Steps (the line
// passes 12 km + 345 m between the samples at 2000 and 3000, and again between 5000
// and 6000), and instrument marks of kind 1 at 8000 and 12000.
QByteArray recordingBytes()
{
    const std::vector<uint32_t> mileages = {123000, 123400, 123500, 123600, 123500, 123300, 123000};
    StreamWriter w;
    for (int position = 10; position <= 20000; position += 10) {
        if (position % 1000 == 0 && size_t(position / 1000 - 1) < mileages.size()) {
            MileagePacket sample;
            sample.mileage = mileages[size_t(position / 1000 - 1)];
            w.packet(Code::Mileage, sample.bytes());
        }
        if (position == 8000 || position == 12000)
            w.record(Code::Mark, 0, MarkKind::PullCalibration);
        w.record(0, 10, 0);
    }
    return w.bytes();
}

class SearchWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(1200, 800);
        window.show();
        ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), recordingBytes())));
    }

    template <typename Form>
    Form *open(const char *menu)
    {
        window.findChild<QAction *>(QString::fromLatin1(menu))->trigger();
        Form *form = window.findChild<Form *>();
        if (form)
            form->tell = [this](const QString &title, const QString &text, QMessageBox::Icon icon) {
                told.emplace_back(title, text, icon);
            };
        return form;
    }
    template <typename Widget>
    Widget *child(QWidget *form, const char *name)
    {
        return form->findChild<Widget *>(QString::fromLatin1(name));
    }
    int32_t viewStart() { return window.panes().current().ViewStart; }

    static void leave(QLineEdit *box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }

    TestFiles::TestDir dir;
    frmMain window;
    std::vector<Told> told;
};

} // namespace

TEST_F(SearchWindows, MileageSearchMovesTheViewToEachPassAndEndsWithAMessage)
{
    Form_Find *form = open<Form_Find>("mnuFind");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("搜索窗口"));
    EXPECT_FALSE(form->isModal());
    EXPECT_TRUE(form->isVisible());
    window.findChild<QAction *>(QStringLiteral("mnuFind"))->trigger();
    EXPECT_EQ(window.findChildren<Form_Find *>().size(), 1);

    auto *km = child<QLineEdit>(form, "Text_km");
    auto *m = child<QLineEdit>(form, "Text_m");
    km->setText(QStringLiteral("abc"));
    leave(km);
    km->setText(QStringLiteral("3000"));
    leave(km);
    m->setText(QStringLiteral("1000"));
    leave(m);
    EXPECT_EQ(told, (std::vector<Told>{{"Error", "请输入有效数字.", QMessageBox::Critical},
                                       {"Error", " 公里数必须小于等于2500", QMessageBox::Critical},
                                       {"Error", " 米数必须小于1000", QMessageBox::Critical}}));
    told.clear();

    // Moving on from a refused box brings the focus back to it, and the empty box it
    // went to is not refused in turn.
    form->activateWindow();
    QApplication::setActiveWindow(form);
    km->setText(QStringLiteral("-1"));
    km->setFocus(Qt::OtherFocusReason);
    m->setText(QString());
    if (km->hasFocus()) {
        m->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        EXPECT_TRUE(km->hasFocus());
        EXPECT_EQ(told, (std::vector<Told>{{"Error", " 公里数必须小于等于2500", QMessageBox::Critical}}));
    } else {
        ADD_FAILURE() << "the offscreen window took no focus";
    }
    told.clear();

    // A refused entry is not searched for.
    const int32_t start = viewStart();
    form->Command1_Click();
    EXPECT_EQ(viewStart(), start);
    ASSERT_EQ(told.size(), 1u);
    told.clear();

    km->setText(QStringLiteral("12"));
    m->setText(QStringLiteral("345"));
    form->Command1_Click();
    EXPECT_EQ(viewStart(), 2000 - 200);
    form->Command1_Click();
    EXPECT_EQ(viewStart(), 5000 - 200);
    EXPECT_TRUE(told.empty());
    form->Command1_Click();
    EXPECT_EQ(told, (std::vector<Told>{{QString(), " 查找结束", QMessageBox::NoIcon}}));
    // Changing an entry starts again from the first sample.
    form->Command1_Click();
    EXPECT_EQ(viewStart(), 2000 - 200);
    m->setText(QStringLiteral("345.0"));
    form->Command1_Click();
    EXPECT_EQ(viewStart(), 2000 - 200);
}

TEST_F(SearchWindows, MarkSearchMovesTheViewAndShowsTheCounts)
{
    Form_MarkFind *form = open<Form_MarkFind>("mnuFindMark");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("标记查找"));
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(child<QLabel>(form, "LabelCnt_0")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLabel>(form, "LabelCnt_12")->text(),
              QStringLiteral("0(%1)").arg(window.panes().current().RecordCount));
    EXPECT_EQ(child<QCheckBox>(form, "Check1_0")->text(), QStringLiteral(">   拉车校对标记"));

    form->CommandFind_Next_Click();
    form->CommandFind_Prev_Click();
    EXPECT_EQ(told, (std::vector<Told>{{QString(), "未设置查找条件", QMessageBox::NoIcon},
                                       {QString(), "未设置查找条件", QMessageBox::NoIcon}}));
    told.clear();

    child<QCheckBox>(form, "Check1_0")->setChecked(true);
    const int R = window.viewState().R;
    form->CommandFind_Next_Click();
    EXPECT_EQ(viewStart(), 8000 - (R - 300));
    form->CommandFind_Next_Click();
    EXPECT_EQ(viewStart(), 12000 - (R - 300));
    form->CommandFind_Prev_Click();
    EXPECT_EQ(viewStart(), 8000 - (R - 300));
    EXPECT_TRUE(told.empty());

    auto *number = child<QLineEdit>(form, "Text_Cnum");
    number->setText(QStringLiteral("10000"));
    form->CommandFind_Next_Click();
    EXPECT_EQ(viewStart(), 8000 - (R - 300));
    EXPECT_EQ(told, (std::vector<Told>{{"Error", " 道岔号小于等于9999", QMessageBox::Critical}}));

    // A file loaded while the window is open shows its counts.
    StreamWriter plain;
    plain.record(Code::Mark, 0, MarkKind::PullCalibration);
    plain.record(0, 10, 0);
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0002.D01"), plain.bytes())));
    EXPECT_EQ(child<QLabel>(form, "LabelCnt_0")->text(), QStringLiteral("1"));
}
