#pragma once
// The rows of the mark filter: the replay marks of every sub-file whose
// category box is ticked.

#include "recording/STDDataOperation.h"

#include <QString>

#include <array>
#include <vector>

constexpr int MarkCategoryCount = 3;
using MarkCategoryTicks = std::array<bool, MarkCategoryCount>;

struct MarkRow {
    QString caption;  // "sub-file->n", both counted from 1
    QString category; // caption of the category box
    QString mileage;  // GetMileage of the mark's row
    int position = 0; // m_Pos
};

// "一级报警", "二级报警", "伤损确认".
const std::array<QString, MarkCategoryCount> &markCategoryCaptions();

std::vector<MarkRow> markRows(const mystdfile &file, const MarkCategoryTicks &ticks);
