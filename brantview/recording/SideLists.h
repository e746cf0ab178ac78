#pragma once
// The two lists users keep in the program folder with a text editor, read at every
// file open: "WK.TXT" names operators by work number, "XB.TXT" names lines by code.
// One entry a line; blank lines carry no entry. A file that cannot be opened gives an
// empty list, and the header shows numbers and codes as they are.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brantview {

struct WorkNumberEntry {
    int64_t key = 0;  // the line's leading number; 0 when it has none
    QString text;     // the whole line
};

struct LineNameEntry {
    QString key;   // the trimmed line up to its first blank
    QString text;  // the trimmed line
};

using WorkNumberList = std::vector<WorkNumberEntry>;
using LineNameList = std::vector<LineNameEntry>;

QString workNumbersFilePath();
QString lineNamesFilePath();

WorkNumberList LoadWorkNumbers(const QString &path);
LineNameList LoadLineNames(const QString &path);

// The text of the first entry with that key.
std::optional<QString> LookupWorkNumber(const WorkNumberList &list, int64_t number);
std::optional<QString> LookupLineName(const LineNameList &list, const QString &code);

} // namespace brantview
