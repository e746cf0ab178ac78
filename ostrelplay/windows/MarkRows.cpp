#include "MarkRows.h"

#include <algorithm>

namespace {

// Category of a mark code; a code of no category keeps the one before it.
int markCategory(char16_t code, int previous)
{
    switch (code) {
    case u'?': return 0;
    case u'F': return 1;
    case u'!': return 2;
    default: return previous;
    }
}

} // namespace

const std::array<QString, MarkCategoryCount> &markCategoryCaptions()
{
    static const std::array<QString, MarkCategoryCount> captions = {
        QStringLiteral("一级报警"), QStringLiteral("二级报警"), QStringLiteral("伤损确认")};
    return captions;
}

std::vector<MarkRow> markRows(const mystdfile &file, const MarkCategoryTicks &ticks)
{
    std::vector<MarkRow> rows;
    int category = 0;
    const int subFiles = std::min<int>(file.std_filecount, int(file.std_mark.size()));
    for (int i = 0; i < subFiles; ++i) {
        int n = 0;
        for (const TREMARK &mark : file.std_mark[size_t(i)]) {
            category = markCategory(mark.m_Cmd, category);
            if (!ticks[size_t(category)])
                continue;
            ++n;
            const int position = mark.m_Pos;
            rows.push_back({QString::number(i + 1) + QStringLiteral("->") + QString::number(n),
                            markCategoryCaptions()[size_t(category)], file.GetMileage(position), position});
        }
    }
    return rows;
}
