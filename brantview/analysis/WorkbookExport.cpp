#include "WorkbookExport.h"

namespace brantview {

void WriteWorkbook(const QString &path, const std::function<void(Workbook &)> &fill)
{
    Workbook book;
    fill(book);
    // Named only once filled: a workbook whose filling failed has no name and is never written.
    book.saveAs(path);
    book.close();
}

} // namespace brantview
