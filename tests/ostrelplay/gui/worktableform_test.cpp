// The work table window's own behaviour: it opens only for an open slot, a
// check box rebuilds the columns, and a selection shows its distance.

#include "TestStdFixtures.h"

#include "common/gui/ListTable.h"
#include "gui/worktableform.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <functional>

namespace {

SubFileImage subFile(int32_t imgRows, int32_t minutes)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.addRow({makePacket(u'1', 30, 40)});
    sub.para.m_ImgRowIdx = imgRows;
    sub.para.m_Time = 90000;
    sub.para.m_EndTime = 90000 + minutes * 100;
    return sub;
}

class WorkTableFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        const QString path = dir.write("work.std",
            StdFileImage{{subFile(600000, 10), subFile(50000, 20), subFile(234999, 30)}, std::nullopt, false});
        if (ws->OpenFile(1, path) || !ws->slot(1).Opened)
            throw std::runtime_error("cannot open " + path.toStdString());
        form = std::make_unique<Tfrm_worktable>(*ws);
    }

    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = form->lv1->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }

    QString header(int column) const { return form->lv1->horizontalHeaderItem(column)->text(); }

    void selectRows(std::initializer_list<int> rows)
    {
        form->lv1->clearSelection();
        for (const int row : rows)
            form->lv1->selectionModel()->select(form->lv1->model()->index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<Tfrm_worktable> form;
};

TEST_F(WorkTableFormTest, OpensForAnOpenSlotOnly)
{
    form->btnWorkClick(0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->StatusBar->currentMessage(), QStringLiteral("选中总里程: 0km,0m"));

    form->btnWorkClick(1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("文件2作业表格"));
    EXPECT_EQ(form->lv1->columnCount(), 17);
    EXPECT_EQ(form->lv1->rowCount(), 4);
    EXPECT_EQ(cell(3, 0), QStringLiteral("统计"));
    EXPECT_EQ(cell(3, 11), QStringLiteral("01:00:00"));
    EXPECT_EQ(form->lv1->columnWidth(16), 140);
    EXPECT_FALSE(form->cb[0]->isEnabled());
}

TEST_F(WorkTableFormTest, UntickingAColumnRebuildsTheList)
{
    form->btnWorkClick(1);
    form->cb[8]->click();

    EXPECT_EQ(form->lv1->columnCount(), 16);
    EXPECT_EQ(header(8), QStringLiteral("起始时间"));
    EXPECT_EQ(cell(0, 10), QStringLiteral("00:10:00"));
    EXPECT_EQ(cell(3, 10), QStringLiteral("01:00:00"));
    EXPECT_EQ(form->lv1->rowCount(), 4);
}

TEST_F(WorkTableFormTest, SelectionShowsItsDistance)
{
    form->btnWorkClick(1);
    selectRows({0, 2});
    EXPECT_EQ(form->StatusBar->currentMessage(), QStringLiteral("选中总里程: 1km+669m"));
    selectRows({3});
    EXPECT_EQ(form->StatusBar->currentMessage(), QStringLiteral("选中总里程: 0km+0m"));
}

} // namespace
