// The list windows' table: what a window sets up (captions, widths, whole-row
// read-only selection) and refilling, which must not leave old rows or a
// selection pointing at rows that changed.

#include "TestFiles.h"

#include "common/gui/ListTable.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QStringList rowTexts(const QTableWidget &table, int row)
{
    QStringList texts;
    for (int c = 0; c < table.columnCount(); ++c)
        texts << (table.item(row, c) ? table.item(row, c)->text() : QStringLiteral("(none)"));
    return texts;
}

TEST(ListTable, ColumnsHaveTheirCaptionsAndWidthsAndRowsAreChosenWhole)
{
    ListTable table({{QStringLiteral("序号"), 40}, {QStringLiteral("文件名"), 278}});
    ASSERT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.horizontalHeaderItem(1)->text(), QStringLiteral("文件名"));
    EXPECT_EQ(table.columnWidth(0), 40);
    EXPECT_EQ(table.columnWidth(1), 278);
    EXPECT_TRUE(table.verticalHeader()->isHidden());
    EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);

    table.setRows({{QStringLiteral("1"), QStringLiteral("a.std")}});
    table.setColumns({{QStringLiteral("文件"), 100}, {QStringLiteral("子文件"), 100}, {QStringLiteral("里程"), 150}});
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.horizontalHeaderItem(2)->text(), QStringLiteral("里程"));
    EXPECT_EQ(table.columnWidth(2), 150);
}

TEST(ListTable, NewRowsReplaceTheOldOnesAndTheirSelection)
{
    ListTable table({{QStringLiteral("序号"), 100}, {QStringLiteral("事件"), 100}, {QStringLiteral("里程"), 150}});
    table.setRows({{"1", "a", "K1"}, {"2", "b", "K2"}, {"3", "c", "K3"}});
    table.selectRow(2);
    ASSERT_EQ(table.selectionModel()->selectedRows().size(), 1);

    table.setRows({{"9", "z"}});
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(rowTexts(table, 0), QStringList({"9", "z", "(none)"}));
    EXPECT_TRUE(table.selectionModel()->selectedRows().isEmpty());

    table.setRows({});
    EXPECT_EQ(table.rowCount(), 0);
}

// The widths given are the least: a mileage or a time longer than its column, or a
// long caption, widens it; short texts keep the width given.
TEST(ListTable, ColumnsGrowToShowTheirTexts)
{
    ListTable table({{QStringLiteral("序号"), 40}, {QStringLiteral("是否超速是否超速是否超速"), 30}, {QStringLiteral("里程"), 60}});
    const int captionWidth = table.horizontalHeader()->sectionSizeHint(1);
    EXPECT_GT(captionWidth, 30);
    EXPECT_EQ(table.columnWidth(1), captionWidth);

    table.setRows({{"1", "x", QStringLiteral("844km,124m 2024-06-23 09:24:00")}});
    const int textWidth = table.fontMetrics().horizontalAdvance(QStringLiteral("844km,124m 2024-06-23 09:24:00"));
    EXPECT_GE(table.columnWidth(2), textWidth);
    EXPECT_EQ(table.columnWidth(0), 40);
}

// The window grows with the columns: a list of long mileages shows them whole.
TEST(ListTable, TheWindowGrowsToShowTheColumns)
{
    QWidget window;
    auto *table = new ListTable({{QStringLiteral("序号"), 40}, {QStringLiteral("里程"), 60}}, &window);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    window.resize(150, 200);
    window.show();
    table->setRows({{"1", QStringLiteral("844km+124m 至 845km+300m 2024-06-23 09:24:00")}});
    EXPECT_GE(table->width(), table->contentWidth());
    EXPECT_GT(window.width(), 150);
}

} // namespace
