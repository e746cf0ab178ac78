#include "ListTable.h"

#include <QHeaderView>

ListTable::ListTable(const std::vector<ListColumn> &columns, QWidget *parent) : QTableWidget(parent)
{
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumns(columns);
}

void ListTable::setColumns(const std::vector<ListColumn> &columns)
{
    setRowCount(0);
    setColumnCount(int(columns.size()));
    QStringList captions;
    for (const ListColumn &column : columns)
        captions.append(column.caption);
    setHorizontalHeaderLabels(captions);
    for (int c = 0; c < int(columns.size()); ++c)
        setColumnWidth(c, columns[size_t(c)].width);
}

void ListTable::setRows(const std::vector<QStringList> &rows)
{
    setRowCount(0);
    setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const QStringList &cells = rows[size_t(r)];
        for (int c = 0; c < int(cells.size()); ++c)
            setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}
