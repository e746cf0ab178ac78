#include "ListTable.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

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
    m_widths.clear();
    for (const ListColumn &column : columns)
        m_widths.push_back(column.width);
    fitColumns();
}

void ListTable::fitColumns()
{
    // The widths given are the least: a caption or a text of this font that needs
    // more gets it (the texts of the rows in view).
    for (int c = 0; c < int(m_widths.size()); ++c)
        setColumnWidth(c, std::max({m_widths[size_t(c)], horizontalHeader()->sectionSizeHint(c), sizeHintForColumn(c)}));
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
    fitColumns();
    widenToContent();
}

int ListTable::contentWidth() const
{
    int columns = 0;
    for (int c = 0; c < columnCount(); ++c)
        columns += columnWidth(c);
    return columns + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

void ListTable::widenToContent()
{
    const int extra = contentWidth() - width();
    if (extra <= 0)
        return;
    QWidget *outer = window();
    const QScreen *display = outer->screen();
    const int room = display ? display->availableGeometry().width() - outer->width() : extra;
    const int grow = std::min(extra, std::max(room, 0));
    if (grow <= 0)
        return;
    if (minimumWidth() == maximumWidth())
        setFixedWidth(width() + grow);
    if (outer != this)
        outer->resize(outer->width() + grow, outer->height());
}
