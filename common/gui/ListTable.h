#pragma once
// The table of every list window: rows of texts under captioned columns of set
// widths, read-only, selected a whole row at a time, without row numbers. A column is
// as wide as given, or wider when its caption or texts need it.

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

private:
    void fitColumns();

    std::vector<int> m_widths;  // as given: the least each column gets
};
