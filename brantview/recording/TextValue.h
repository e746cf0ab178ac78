#pragma once
// The numeric value of a text as the instrument's lists key their lines: leading
// blanks skipped, then the decimal digits up to the first other character; no
// digits give 0.

#include <QStringView>

#include <cstdint>

namespace brantview {

int64_t leadingNumber(QStringView text);

} // namespace brantview
