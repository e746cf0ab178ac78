#pragma once
// The table of every list window: rows of texts under captioned columns of set
// widths, read-only, selected a whole row at a time, without row numbers. A column is
// as wide as given, or wider when its caption or texts need it; the table and its
// window grow with the columns, as far as the screen allows.

#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <vector>

struct ListColumn {
    QString caption;
    int width;
};

class ListTable : public QTableWidget {
public:
    explicit ListTable(const std::vector<ListColumn> &columns, QWidget *parent = nullptr);

    // Replaces the columns; the rows go with them.
    void setColumns(const std::vector<ListColumn> &columns);
    // Replaces every row (and the selection) with these texts, one list per row.
    void setRows(const std::vector<QStringList> &rows);

    // The width that shows every column whole.
    int contentWidth() const;

private:
    void fitColumns();
    // Widens the table (a fixed-width one too) and its window to show every column,
    // within the screen; they never narrow.
    void widenToContent();

    std::vector<int> m_widths;  // as given: the least each column gets
};
