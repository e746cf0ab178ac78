#pragma once
#include <QString>
#include <QVariant>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class Workbook;

// Printing options of one sheet. Header and footer texts keep the spreadsheet's
// own codes (&L, &C, &R, &P, &N, ...) and are written as given.
struct PageSetup {
    enum Orientation { Portrait = 1, Landscape = 2 };
    static constexpr int PaperA4 = 9;

    QString header;
    QString footer;
    bool printGridlines = false;
    int orientation = Portrait;
    bool draft = false;
    int paperSize = 0; // 0 leaves the printer's default
};

// One worksheet. Rows and columns count from 1. Everything stays in memory until
// the workbook writes its file, so every cell can be read back.
class Worksheet {
public:
    QString name() const { return m_name; }
    void setName(const QString &name);
    // Makes this the workbook's active sheet: new sheets go in front of it.
    void activate();

    void setCell(int row, int column, const QString &text);
    void setCell(int row, int column, double number);
    // A QString or a double; invalid for a cell never written.
    QVariant cell(int row, int column) const;
    void setCellNumberFormat(int row, int column, const QString &format);
    // The last row and the last column that hold a cell; 0 on an empty sheet.
    int lastRow() const;
    int lastColumn() const;
    QString cellNumberFormat(int row, int column) const;

    void setColumnWidth(int column, double width);
    void setColumnNumberFormat(int column, const QString &format);
    // Width and left alignment of every column at once.
    void setAllColumns(double width, bool leftAligned);

    // Font of every cell of the sheet.
    void setFont(const QString &name, double size);
    void setFirstRowBold(bool bold) { m_firstRowBold = bold; }

    PageSetup &pageSetup() { return m_pageSetup; }
    const PageSetup &pageSetup() const { return m_pageSetup; }

private:
    friend class Workbook;
    friend class XlsxWriterRun;
    struct Cell {
        QVariant value;
        QString numberFormat;
    };
    struct Column {
        double width = -1; // -1: the spreadsheet's default width
        QString numberFormat;
    };

    Worksheet(Workbook &book, const QString &name) : m_book(book), m_name(name) {}
    Cell &cellAt(int row, int column);

    Workbook &m_book;
    QString m_name;
    std::map<std::pair<int, int>, Cell> m_cells;
    std::map<int, Column> m_columns;
    double m_allColumnsWidth = -1;
    bool m_allColumnsLeft = false;
    QString m_fontName;
    double m_fontSize = 0;
    bool m_firstRowBold = false;
    PageSetup m_pageSetup;
};

// A spreadsheet workbook written as Office Open XML under exactly the name asked
// for, whatever its extension.
//
// saveAs() may come first and the filling afterwards: saveAs() checks at once
// that the name can be written (a failure is reported then) and the whole
// workbook is written when the caller is done, by close() or, as a last resort
// that cannot report failures, by the destructor.
class Workbook {
public:
    // A new workbook holds one sheet, "Sheet1", which is active.
    Workbook();
    ~Workbook();
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    // Inserts a new sheet in front of the active one, activates it and returns it.
    Worksheet &addSheet();
    Worksheet &sheet(const QString &name);
    // 1-based, in the order the sheets appear.
    Worksheet &sheet(int index);
    int sheetCount() const { return int(m_sheets.size()); }
    Worksheet &activeSheet() { return *m_sheets[m_active]; }

    void saveAs(const QString &path);
    QString fileName() const { return m_path; }
    // Writes the workbook under the saved name; nothing happens without saveAs().
    void close();

private:
    friend class Worksheet;
    void activate(const Worksheet &sheet);
    void write() const;

    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    size_t m_active = 0;
    int m_sheetsCreated = 0;
    QString m_path;
    bool m_written = false;
};
