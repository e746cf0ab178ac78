#pragma once
// "浏览标记列表": the review marks of a recording as list lines, filtered by kind, with
// the fish-scale length of every paired end; deleting an operator's mark from the
// list; the list written to a workbook.

#include "recording/RecordingSlot.h"
#include "viewer/ViewState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace brantview {

// The filters of `Combol_list`, in list order; 0 shows every listed kind.
QStringList MarkListFilterCaptions();
inline constexpr int MarkListFilterCount = 9;

inline const QString MarkListHeading =
    QStringLiteral("序号    标记日期       标记时间     标记种类     标记位置    工号    标记线别");

// Cells of one workbook row, columns 1..7; empty cells are not written.
using MarkListCells = std::array<QString, 7>;

struct MarkList {
    QStringList lines;            // the heading, then one line per listed mark
    std::vector<int> ListRowMap;  // the ReviewMarks index of lines[1 + i]
    std::vector<MarkListCells> workbookRows;  // the workbook rows 2, 3, ... of the same marks
    std::vector<ReviewMark> builtFrom;        // the marks the lines were built from
};

// The list of `slot`'s marks under `filter` (0..8). Work numbers and line codes are
// shown by name where the side lists hold them.
MarkList BuildMarkList(const RecordingSlot &slot, int filter, const ViewSources &sources);

// Deletes the operator's mark shown in list row `row` (0 is the heading). False,
// with nothing changed, for the heading, a row outside the list, a browse mark, or
// when the slot's marks are no longer those the list was built from. The file
// receives the change at the next saving of the marks.
bool DeleteListedMark(RecordingSlot &slot, const MarkList &list, int row);

// Writes the list to a new workbook at `path`: a sheet "回访标记" in front of
// "Sheet1", active, with the recording's reviewer name and the headings in row 1.
// Throws OfficeError; nothing is written then.
void ExportMarkList(const QString &path, const RecordingSlot &slot, const MarkList &list);

} // namespace brantview
