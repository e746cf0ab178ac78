#include "MileageSearch.h"

#include <algorithm>

namespace {

constexpr int64_t RefineSpan = 20000;

int64_t startMetres(const TSYSTEMPARA &para)
{
    return int64_t(para.m_StartPointKm) * 1000 + para.m_StartPointM;
}

int64_t endMetres(const TSYSTEMPARA &para)
{
    return int64_t(para.m_MileageKm) * 1000 + para.m_MileageM;
}

} // namespace

QString mileageFieldText(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

std::vector<int> subFilesCovering(const mystdfile &file, const MileageTarget &target)
{
    std::vector<int> found;
    const int64_t t = target.metres();
    const int subFiles = std::min<int>(file.std_filecount, int(file.std_systemparas.size()));
    for (int j = 0; j < subFiles; ++j) {
        const TSYSTEMPARA &para = file.std_systemparas[size_t(j)];
        const int64_t s = startMetres(para);
        const int64_t e = endMetres(para);
        if ((para.m_Direction == 0 && s <= t && t <= e) || (para.m_Direction == 1 && e <= t && t <= s))
            found.push_back(j);
    }
    return found;
}

std::optional<int64_t> estimatedRow(const TSYSTEMPARA &para, const MileageTarget &target)
{
    const int64_t offset = target.metres() - startMetres(para);
    if (para.m_Direction == 0)
        return offset * StdFormat::RowsPerMetre;
    if (para.m_Direction == 1)
        return -offset * StdFormat::RowsPerMetre;
    return std::nullopt;
}

int64_t realPos(const mystdfile &file, int subFile, int64_t estimate, const MileageTarget &target, int minimum,
                int maximum)
{
    if (subFile < 0 || subFile >= file.std_filecount)
        return estimate;
    const auto &packets = file.std_packets[size_t(subFile)];
    const int64_t first = std::max(estimate - RefineSpan, int64_t(minimum) + 1);
    const int64_t last = std::min(estimate + RefineSpan, int64_t(maximum) - 1);
    for (int64_t row = last; row >= first; --row) {
        const StdFormat::RowPackets span = file.rowPackets(subFile, row);
        for (int64_t p = span.recordBegin; p < span.recordEnd; ++p) {
            const TPACKET &packet = packets[size_t(p)];
            if (packet.m_Cmd == u'M' && packet.m_Data1 == target.km && packet.m_Data2 == target.m)
                return row;
        }
    }
    return estimate;
}
