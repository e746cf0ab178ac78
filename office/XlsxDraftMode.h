#pragma once
#include <QString>

#include <vector>

// libxlsxwriter has no draft-quality printing switch; this sets it in the page
// set-up of the given worksheets (1-based) of a finished workbook file.
void markSheetsDraft(const QString &xlsxPath, const std::vector<int> &sheetNumbers);
