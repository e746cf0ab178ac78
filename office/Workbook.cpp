#include "Workbook.h"

#include "OfficeError.h"
#include "XlsxDraftMode.h"
#include "common/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <algorithm>
#include <tuple>

namespace {

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;
constexpr int MaxSheetNameLength = 31;

void checkPosition(int row, int column)
{
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        throw OfficeError(QStringLiteral("cell (%1, %2) is outside the sheet").arg(row).arg(column));
}

void checkColumn(int column)
{
    if (column < 1 || column > MaxColumns)
        throw OfficeError(QStringLiteral("column %1 is outside the sheet").arg(column));
}

void check(lxw_error error, const QString &what)
{
    if (error != LXW_NO_ERROR)
        throw OfficeError(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(lxw_strerror(error))));
}

} // namespace

void Worksheet::setName(const QString &name)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    if (name.isEmpty() || name.size() > MaxSheetNameLength
        || std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); }))
        throw OfficeError(QStringLiteral("invalid sheet name \"%1\"").arg(name));
    for (const auto &other : m_book.m_sheets)
        if (other.get() != this && other->m_name.compare(name, Qt::CaseInsensitive) == 0)
            throw OfficeError(QStringLiteral("a sheet named \"%1\" already exists").arg(name));
    m_name = name;
}

void Worksheet::activate()
{
    m_book.activate(*this);
}

Worksheet::Cell &Worksheet::cellAt(int row, int column)
{
    checkPosition(row, column);
    return m_cells[{row, column}];
}

void Worksheet::setCell(int row, int column, const QString &text)
{
    cellAt(row, column).value = text;
}

void Worksheet::setCell(int row, int column, double number)
{
    cellAt(row, column).value = number;
}

QVariant Worksheet::cell(int row, int column) const
{
    checkPosition(row, column);
    const auto it = m_cells.find({row, column});
    return it == m_cells.end() ? QVariant() : it->second.value;
}

void Worksheet::setCellNumberFormat(int row, int column, const QString &format)
{
    cellAt(row, column).numberFormat = format;
}

int Worksheet::lastRow() const
{
    return m_cells.empty() ? 0 : m_cells.rbegin()->first.first;
}

int Worksheet::lastColumn() const
{
    int last = 0;
    for (const auto &[position, cell] : m_cells)
        last = std::max(last, position.second);
    return last;
}

QString Worksheet::cellNumberFormat(int row, int column) const
{
    checkPosition(row, column);
    const auto it = m_cells.find({row, column});
    if (it != m_cells.end() && !it->second.numberFormat.isEmpty())
        return it->second.numberFormat;
    const auto col = m_columns.find(column);
    return col == m_columns.end() ? QString() : col->second.numberFormat;
}

void Worksheet::setColumnWidth(int column, double width)
{
    checkColumn(column);
    if (width < 0 || width > 255)
        throw OfficeError(QStringLiteral("column width %1 is out of range").arg(width));
    m_columns[column].width = width;
}

void Worksheet::setColumnNumberFormat(int column, const QString &format)
{
    checkColumn(column);
    m_columns[column].numberFormat = format;
}

void Worksheet::setAllColumns(double width, bool leftAligned)
{
    if (width < 0 || width > 255)
        throw OfficeError(QStringLiteral("column width %1 is out of range").arg(width));
    m_allColumnsWidth = width;
    m_allColumnsLeft = leftAligned;
    for (auto &[index, column] : m_columns)
        column.width = width;
}

void Worksheet::setFont(const QString &name, double size)
{
    if (name.isEmpty() || size <= 0 || size > 409)
        throw OfficeError(QStringLiteral("invalid font %1 %2").arg(name).arg(size));
    m_fontName = name;
    m_fontSize = size;
}

// Translates the in-memory workbook into one libxlsxwriter run. Formats are
// shared between cells with the same look, as the file format expects.
class XlsxWriterRun {
public:
    explicit XlsxWriterRun(const QString &path)
        : m_book(workbook_new(QFile::encodeName(path).constData()))
    {
        if (!m_book)
            throw OfficeError(QStringLiteral("无法保存工作簿 %1").arg(path));
    }
    ~XlsxWriterRun()
    {
        if (m_book)
            workbook_close(m_book);
    }
    XlsxWriterRun(const XlsxWriterRun &) = delete;
    XlsxWriterRun &operator=(const XlsxWriterRun &) = delete;

    void addSheet(const Worksheet &sheet, bool active)
    {
        lxw_worksheet *out = workbook_add_worksheet(m_book, sheet.m_name.toUtf8().constData());
        if (!out)
            throw OfficeError(QStringLiteral("cannot add sheet \"%1\"").arg(sheet.m_name));
        if (active)
            worksheet_activate(out);
        writeColumns(out, sheet);
        if (sheet.m_firstRowBold)
            check(worksheet_set_row(out, 0, LXW_DEF_ROW_HEIGHT, format(sheet, true, QString())),
                  QStringLiteral("row 1"));
        writeCells(out, sheet);
        writePageSetup(out, sheet.m_pageSetup);
    }

    void close(const QString &path)
    {
        lxw_workbook *book = std::exchange(m_book, nullptr);
        check(workbook_close(book), QStringLiteral("无法保存工作簿 %1").arg(path));
    }

private:
    lxw_format *format(const Worksheet &sheet, bool bold, const QString &numberFormat)
    {
        const bool plain = sheet.m_fontName.isEmpty() && !bold && numberFormat.isEmpty() && !sheet.m_allColumnsLeft;
        if (plain)
            return nullptr;
        const auto key = std::make_tuple(sheet.m_fontName, sheet.m_fontSize, bold, numberFormat, sheet.m_allColumnsLeft);
        auto &made = m_formats[key];
        if (!made) {
            made = workbook_add_format(m_book);
            if (!sheet.m_fontName.isEmpty()) {
                format_set_font_name(made, sheet.m_fontName.toUtf8().constData());
                format_set_font_size(made, sheet.m_fontSize);
            }
            if (bold)
                format_set_bold(made);
            if (!numberFormat.isEmpty())
                format_set_num_format(made, numberFormat.toUtf8().constData());
            if (sheet.m_allColumnsLeft)
                format_set_align(made, LXW_ALIGN_LEFT);
        }
        return made;
    }

    // Column ranges must not overlap in the file: the sheet-wide setting fills
    // the gaps between the columns set one by one.
    void writeColumns(lxw_worksheet *out, const Worksheet &sheet)
    {
        const bool wholeSheet = sheet.m_allColumnsWidth >= 0 || sheet.m_allColumnsLeft || !sheet.m_fontName.isEmpty();
        const double sheetWidth = sheet.m_allColumnsWidth >= 0 ? sheet.m_allColumnsWidth : LXW_DEF_COL_WIDTH;
        int next = 1;
        auto fillGapTo = [&](int end) {
            if (wholeSheet && next < end)
                check(worksheet_set_column(out, lxw_col_t(next - 1), lxw_col_t(end - 2), sheetWidth,
                                           format(sheet, false, QString())),
                      QStringLiteral("columns %1-%2").arg(next).arg(end - 1));
        };
        for (const auto &[index, column] : sheet.m_columns) {
            fillGapTo(index);
            const double width = column.width >= 0 ? column.width : sheetWidth;
            check(worksheet_set_column(out, lxw_col_t(index - 1), lxw_col_t(index - 1), width,
                                       format(sheet, false, column.numberFormat)),
                  QStringLiteral("column %1").arg(index));
            next = index + 1;
        }
        fillGapTo(MaxColumns + 1);
    }

    void writeCells(lxw_worksheet *out, const Worksheet &sheet)
    {
        for (const auto &[position, cell] : sheet.m_cells) {
            const auto [row, column] = position;
            const QString numberFormat = sheet.cellNumberFormat(row, column);
            lxw_format *look = format(sheet, row == 1 && sheet.m_firstRowBold, numberFormat);
            const auto r = lxw_row_t(row - 1);
            const auto c = lxw_col_t(column - 1);
            lxw_error error = LXW_NO_ERROR;
            if (cell.value.typeId() == QMetaType::Double)
                error = worksheet_write_number(out, r, c, cell.value.toDouble(), look);
            else if (cell.value.isValid())
                error = worksheet_write_string(out, r, c, cell.value.toString().toUtf8().constData(), look);
            else
                error = worksheet_write_blank(out, r, c, look);
            check(error, QStringLiteral("cell (%1, %2)").arg(row).arg(column));
        }
    }

    static void writePageSetup(lxw_worksheet *out, const PageSetup &page)
    {
        if (page.orientation != PageSetup::Portrait && page.orientation != PageSetup::Landscape)
            throw OfficeError(QStringLiteral("orientation %1 is neither 1 nor 2").arg(page.orientation));
        if (page.paperSize < 0 || page.paperSize > 255)
            throw OfficeError(QStringLiteral("paper size %1 is out of range").arg(page.paperSize));
        if (!page.header.isEmpty())
            check(worksheet_set_header(out, page.header.toUtf8().constData()), QStringLiteral("header"));
        if (!page.footer.isEmpty())
            check(worksheet_set_footer(out, page.footer.toUtf8().constData()), QStringLiteral("footer"));
        worksheet_gridlines(out, page.printGridlines ? LXW_SHOW_PRINT_GRIDLINES : LXW_SHOW_SCREEN_GRIDLINES);
        if (page.orientation == PageSetup::Landscape)
            worksheet_set_landscape(out);
        else
            worksheet_set_portrait(out);
        worksheet_set_paper(out, uint8_t(page.paperSize));
    }

    lxw_workbook *m_book;
    std::map<std::tuple<QString, double, bool, QString, bool>, lxw_format *> m_formats;
};

Workbook::Workbook()
{
    addSheet();
}

Workbook::~Workbook()
{
    try {
        close();
    } catch (const OfficeError &) {
        // A destructor cannot report; callers who need to know call close().
    }
}

Worksheet &Workbook::addSheet()
{
    QString name;
    do
        name = QStringLiteral("Sheet%1").arg(++m_sheetsCreated);
    while (std::any_of(m_sheets.begin(), m_sheets.end(),
                       [&](const auto &s) { return s->m_name.compare(name, Qt::CaseInsensitive) == 0; }));
    const auto at = m_sheets.begin() + std::ptrdiff_t(m_sheets.empty() ? 0 : m_active);
    auto inserted = m_sheets.insert(at, std::unique_ptr<Worksheet>(new Worksheet(*this, name)));
    m_active = size_t(inserted - m_sheets.begin());
    return **inserted;
}

Worksheet &Workbook::sheet(const QString &name)
{
    for (const auto &s : m_sheets)
        if (s->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return *s;
    throw OfficeError(QStringLiteral("no sheet named \"%1\"").arg(name));
}

Worksheet &Workbook::sheet(int index)
{
    if (index < 1 || index > sheetCount())
        throw OfficeError(QStringLiteral("no sheet %1").arg(index));
    return *m_sheets[size_t(index - 1)];
}

void Workbook::activate(const Worksheet &sheet)
{
    for (size_t i = 0; i < m_sheets.size(); ++i)
        if (m_sheets[i].get() == &sheet)
            m_active = i;
}

void Workbook::saveAs(const QString &path)
{
    if (path.isEmpty())
        throw OfficeError(QStringLiteral("没有给出工作簿的文件名"));
    // A name that cannot be written is reported now, as the application does.
    asOfficeError([&] { common::AtomicFile probe(path); });
    m_path = QFileInfo(path).absoluteFilePath();
    m_written = false;
}

void Workbook::close()
{
    if (m_path.isEmpty() || m_written)
        return;
    write();
    m_written = true;
}

void Workbook::write() const
{
    asOfficeError([&] {
        common::AtomicFile file(m_path);
        const QString temporaryPath = file.pathForWriter();
        {
            XlsxWriterRun run(temporaryPath);
            for (size_t i = 0; i < m_sheets.size(); ++i)
                run.addSheet(*m_sheets[i], i == m_active);
            run.close(m_path);
        }
        std::vector<int> draftSheets;
        for (size_t i = 0; i < m_sheets.size(); ++i)
            if (m_sheets[i]->m_pageSetup.draft)
                draftSheets.push_back(int(i) + 1);
        markSheetsDraft(temporaryPath, draftSheets);
        file.commit();
    });
}
