#include "STDDataOperation.h"

#include "StdText.h"
#include "common/NumberFormat.h"

#include <algorithm>

namespace {

const char *const kChannelLabels[9] = {"1 : ", "2 : ", "3 : ", "4 : ", "5 : ", "6 : ", "1A: ", "2A: ", "3A: "};
// Gate texts list the channels as 1, 1A, 2, 2A, 3, 3A, 4, 5, 6.
const int kGateChannelOrder[9] = {0, 6, 1, 7, 2, 8, 3, 4, 5};

// Index of the area holding `row` in an ascending table of first rows.
size_t areaOf(const std::vector<int32_t> &areaRows, int row)
{
    size_t lo = 0;
    size_t hi = areaRows.size();
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        if (row < areaRows[mid])
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

QString gainText(const TSYSTEMPARA &para, int r, const std::array<float, 9> &offsets)
{
    QString text;
    for (int ch = 0; ch < 9; ++ch) {
        const QString label = ch < 6 ? QString::number(ch + 1) : QString::number(ch - 5) + QLatin1Char('A');
        text += QStringLiteral(" 【") + label + QStringLiteral("】") + common::formatFloat(para.m_Gain[r][ch])
            + QLatin1Char('+') + common::formatFloat(offsets[ch]);
    }
    return text;
}

} // namespace

QString mystdfile::GetPara(int paraName) const
{
    const TSYSTEMPARA &p = std_systempara;
    const int r = StdFormat::railRow(p.m_RailType);
    if (paraName >= 12 && paraName <= 20) {
        const int ch = paraName - 12;
        QString curve;
        for (int i = 0; i < 8; ++i)
            curve += (i ? QStringLiteral(",") : QString()) + QString::number(p.m_CurveValue[r][ch][i]);
        return QString::fromLatin1(kChannelLabels[ch]) + common::formatFloat(p.m_Gain[r][ch]) + QStringLiteral("dB+")
            + common::formatFloat(p.m_DeltaGain[r][ch]) + QStringLiteral("dB [") + curve + QLatin1Char(']');
    }
    if (paraName >= 21 && paraName <= 29) {
        const int ch = kGateChannelOrder[paraName - 21];
        return QStringLiteral("1门位%1 1门宽%2 1门高%3   2门位%4 2门宽%5 2门高%6   3门位%7 3门宽%8 3门高%9")
            .arg(p.m_Gate1Start[r][ch]).arg(p.m_Gate1Width[r][ch]).arg(p.m_Gate1Height[r][ch])
            .arg(p.m_Gate2Start[r][ch]).arg(p.m_Gate2Width[r][ch]).arg(p.m_Gate2Height[r][ch])
            .arg(p.m_Gate3Start[r][ch]).arg(p.m_Gate3Width[r][ch]).arg(p.m_Gate3Height[r][ch]);
    }
    if (paraName >= 31 && paraName <= 39) {
        const int ch = paraName - 31;
        return QString::fromLatin1(kChannelLabels[ch]) + common::formatFloat(p.m_Gain[r][ch]) + QStringLiteral("dB+")
            + common::formatFloat(p.m_DeltaGain[r][ch]) + QStringLiteral("dB");
    }
    switch (paraName) {
    case 0: {
        const QString date = common::zeroPadded(p.m_Date, 8);
        const QString time = common::zeroPadded(p.m_Time, 6);
        return date.mid(0, 4) + QLatin1Char('-') + date.mid(4, 2) + QLatin1Char('-') + date.mid(6, 2) + QLatin1Char(' ')
            + time.mid(0, 2) + QLatin1Char(':') + time.mid(2, 2) + QLatin1Char(':') + time.mid(4, 2);
    }
    case 1: return stdText(p.m_LineNameChar, 10);
    case 2: return StdFormat::lineTypeName(p.m_LineType);
    case 3: return p.m_Direction == 1 ? QStringLiteral("减") : QStringLiteral("加");
    case 4: return p.m_WheelEdge == 0 ? QStringLiteral("左") : QStringLiteral("右");
    case 5: return QStringLiteral("%1km, %2m").arg(p.m_StartPointKm).arg(p.m_StartPointM);
    case 6: return QStringLiteral("%1km, %2m").arg(p.m_MileageKm).arg(p.m_MileageM);
    case 7: return QStringLiteral("123");
    case 8: return StdFormat::railTypeName(p.m_RailType);
    case 9: return p.m_LeftRightLine == 0 ? QStringLiteral("左股") : QStringLiteral("右股");
    case 10: return p.m_StraightOrCurve == 0 ? QStringLiteral("直线") : QStringLiteral("曲线");
    case 11:
        return p.m_SpeedLimitValue == 0 ? QStringLiteral("关")
                                        : common::formatFloat(float(p.m_SpeedLimitValue / 10.0)) + QStringLiteral("km/h");
    case 30: return stdText(p.m_StationNameChar, 10);
    case 40: return stdText(p.m_Version, 20);
    default: return {};
    }
}

QString mystdfile::GetdBPara() const
{
    const int r = StdFormat::railRow(std_systempara.m_RailType);
    std::array<float, 9> offsets;
    for (int ch = 0; ch < 9; ++ch)
        offsets[ch] = std_systempara.m_DeltaGain[r][ch];
    return gainText(std_systempara, r, offsets);
}

QString mystdfile::GetGainPara(int CurPos) const
{
    const int r = StdFormat::railRow(std_systempara.m_RailType);
    if (std_CurFile < 0 || size_t(std_CurFile) >= arr_Gain.size() || arr_Gain[std_CurFile].empty())
        return GetdBPara();
    const auto &sets = arr_Gain[std_CurFile];
    // The table ends with the last row, one entry beyond the sets: stay on the last set.
    const size_t area = std::min(areaOf(arr_GainArea[std_CurFile], CurPos), sets.size() - 1);
    return gainText(std_systempara, r, sets[area][r]);
}

void mystdfile::setRailType(int CurPos)
{
    if (std_CurFile >= 0 && size_t(std_CurFile) < arr_RailType.size() && !arr_RailType[std_CurFile].empty()) {
        const auto &types = arr_RailType[std_CurFile];
        const size_t area = std::min(areaOf(arr_RailTypeArea[std_CurFile], CurPos), types.size() - 1);
        std_systempara.m_RailType = types[area];
    }
    resetStdHeigh();
    applyHelpLines();
}

QString mystdfile::GetMileage(int CurPos) const
{
    const TSYSTEMPARA &p = std_systempara;
    const int64_t base = (int64_t(p.m_StartPointKm) * 1000 + p.m_StartPointM) * StdFormat::RowsPerMetre;
    int64_t position = CurPos;
    if (p.m_Direction == 0)
        position = base + CurPos;
    else if (p.m_Direction == 1)
        position = base - CurPos;
    const int64_t km = position / 500000;
    const int64_t m = (position - km * 500000) / 500;
    return QString::number(km) + QStringLiteral("Km+") + QString::number(m) + QLatin1Char('m');
}

QString mystdfile::GetMileageByPacketindex(int n, int CurPos) const
{
    if (n < 0 || n >= std_filecount)
        return {};
    const auto &packets = std_packets[n];
    const int64_t rows = int64_t(std_packetindexs[n].size());
    for (int64_t row = std::max(0, CurPos); row < rows; ++row) {
        const StdFormat::RowPackets span = rowPackets(n, row);
        QString text;
        for (int64_t p = span.recordBegin; p < span.recordEnd; ++p)
            if (packets[p].m_Cmd == u'M')
                text = QString::number(packets[p].m_Data1) + QStringLiteral("km,") + QString::number(packets[p].m_Data2)
                    + QLatin1Char('m');
        if (!text.isEmpty())
            return text;
    }
    return {};
}
