#pragma once
// The mileage search: which sub-files cover a mileage, and the row of a sub-file
// where the recording's mileage records read it.

#include "recording/STDDataOperation.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct MileageTarget {
    int km = 0;
    int m = 0;
    int64_t metres() const { return int64_t(km) * 1000 + m; }
};

// An edit field's text as the search reads it: empty means "0".
QString mileageFieldText(const QString &text);

// The 0-based sub-files whose start and end mileage enclose the target.
std::vector<int> subFilesCovering(const mystdfile &file, const MileageTarget &target);

// The row the target lies at by the sub-file's start point, 500 rows a metre;
// nullopt for a direction other than increasing (0) or decreasing (1).
std::optional<int64_t> estimatedRow(const TSYSTEMPARA &para, const MileageTarget &target);

// The last row within 20000 rows of the estimate, strictly between `minimum` and
// `maximum`, holding a mileage record that reads the target; else the estimate.
int64_t realPos(const mystdfile &file, int subFile, int64_t estimate, const MileageTarget &target, int minimum,
                int maximum);
