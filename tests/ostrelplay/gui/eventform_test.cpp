// The list windows' own behaviour: titles naming the slot, the kind boxes stored
// into the settings, the mileage fields taking digits only, and a double-click
// switching the slot's sub-file and moving its position bar.

#include "TestStdFixtures.h"

#include "gui/eventform.h"
#include "gui/markform.h"
#include "gui/searchform.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Rows with an 'A' event every fifth row from row 5 and a mileage record on row 31.
SubFileImage rows(int count)
{
    SubFileImage sub = StdTest::minimalSubFile();
    for (int k = 0; k < count; ++k) {
        std::vector<TPACKET> records;
        if (k > 0 && k % 5 == 0)
            records.push_back(makePacket(u'A'));
        if (k == 31)
            records.push_back(makePacket(u'M', 0, 4));
        sub.addRow({}, records);
    }
    return sub;
}

class ListFormsTest : public ::testing::Test {
protected:
    void open(const StdFileImage &image)
    {
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        const QString path = dir.write("lists.std", image);
        if (ws->OpenFile(1, path) || !ws->slot(1).Opened)
            throw std::runtime_error("cannot open " + path.toStdString());
    }

    int rowCaptioned(const QTableWidget *lv, const QString &caption) const
    {
        for (int r = 0; r < lv->rowCount(); ++r)
            if (lv->item(r, 0)->text() == caption)
                return r;
        return -1;
    }

    PlayerSettings settings;
    ReplayLog log;
    StdTest::StdFileDir dir;
    std::unique_ptr<Workspace> ws;
};

TEST_F(ListFormsTest, EventDoubleClickGoesToTheCaptionsSubFile)
{
    StdFileImage image;
    for (int k = 0; k < 12; ++k)
        image.subFiles.push_back(rows(17 + k));
    open(image);
    Tfrm_event form(*ws);

    form.btnEventClick(0);  // an empty slot: nothing opens
    EXPECT_FALSE(form.isVisible());
    form.btnEventClick(1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("文件2事件筛选"));

    const int row = rowCaptioned(form.lv, QStringLiteral("12->3"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(form.lv->item(row, 3)->text(), QStringLiteral("15"));
    emit form.lv->cellDoubleClicked(row, 1);
    EXPECT_EQ(ws->slot(1).comboIndex, 11);
    EXPECT_EQ(ws->slot(1).Recording->std_CurFile, 11);
    EXPECT_EQ(ws->slot(1).bar.position(), 15);

    form.cb_kind[0]->click();  // "打点" off: no rows, and the settings remember it
    EXPECT_EQ(form.lv->rowCount(), 0);
    EXPECT_FALSE(settings.eventcb[0]);
    form.cb_all->click();  // "全选" off, then on again ticks every box
    form.cb_all->click();
    EXPECT_TRUE(settings.eventcb[0]);
    EXPECT_EQ(form.lv->rowCount(), 12 * 3 + 8 + 3);  // 17..28 rows: events at 5, 10, 15, then 20 and 25
}

TEST_F(ListFormsTest, MarkDoubleClickGoesToTheMark)
{
    StdFileImage image{{rows(40), rows(40)}, std::vector<std::vector<TREMARK>>{{{u'?', 3}}, {{u'F', 8}, {u'!', 33}}}};
    open(image);
    Tfrm_mark form(*ws);
    form.showFor(1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("文件2标记筛选"));
    ASSERT_EQ(form.lv->rowCount(), 3);

    emit form.lv->cellDoubleClicked(rowCaptioned(form.lv, QStringLiteral("2->2")), 0);
    EXPECT_EQ(ws->slot(1).comboIndex, 1);
    EXPECT_EQ(ws->slot(1).bar.position(), 33);
}

TEST_F(ListFormsTest, SearchTakesDigitsAndGoesToTheMileageRecord)
{
    SubFileImage decreasing = rows(5000);  // 10 m down to 0 m
    decreasing.para.m_Direction = 1;
    decreasing.para.m_StartPointM = 10;
    open(StdFileImage{{rows(10), decreasing}, std::nullopt});
    Tfrm_search form(*ws);
    form.btnSearchClick(1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("文件2里程定位"));

    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(form.edt1, &letter);
    EXPECT_EQ(form.edt1->text(), QStringLiteral("0"));

    form.edt1->clear();
    form.edt2->clear();
    form.btn1->click();  // empty fields search 0 km 0 m
    EXPECT_EQ(form.edt1->text(), QStringLiteral("0"));
    EXPECT_EQ(form.edt2->text(), QStringLiteral("0"));
    ASSERT_EQ(form.lv->rowCount(), 2);  // the first sub-file runs from 0 m on too
    EXPECT_EQ(form.lv->item(1, 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(form.lv->item(1, 1)->text(), QStringLiteral("2"));

    form.edt2->setText(QStringLiteral("4"));
    form.btn1->click();
    ASSERT_EQ(form.lv->rowCount(), 1);
    emit form.lv->cellDoubleClicked(0, 0);
    EXPECT_EQ(ws->slot(1).comboIndex, 1);
    EXPECT_EQ(ws->slot(1).bar.position(), 31);  // the estimate 3000 refined to the record of 0 km 4 m
}

} // namespace
