#include "StdFormat.h"

#include "StdText.h"

#include <algorithm>

namespace StdFormat {

int versionNumber(const TSYSTEMPARA &para)
{
    const QString text = stdText(para.m_Version, 20);
    if (text.size() < 3 || !text.at(0).isDigit() || !text.at(2).isDigit())
        return 170;
    return 100 * text.at(0).digitValue() + 10 * text.at(2).digitValue();
}

bool hasReservedBytes(const TSYSTEMPARA &para)
{
    return versionNumber(para) >= 160 && !stdText(para.m_Version, 20).startsWith(QLatin1String("1.6.X"));
}

int64_t blockSize(const TSYSTEMPARA &para, const TSCANDATAINDEX &counts)
{
    return kParaSize + (hasReservedBytes(para) ? kReservedSize : 0) + kCountsSize
        + 4 * (int64_t(counts.m_PacketIndexCount) + counts.m_BackPacketIndexCount)
        + 6 * (int64_t(counts.m_ImagePacketCount) + counts.m_BackImagePacketCount);
}

int railRow(int railType)
{
    return std::clamp(railType, 0, RailTypeRows - 1);
}

QString railTypeName(int railType)
{
    static const char *const names[] = {"P43", "P50", "P60", "P75", "Auto"};
    return railType >= 0 && railType <= 4 ? QString::fromLatin1(names[railType]) : QString();
}

QString lineTypeName(int lineType)
{
    switch (lineType) {
    case 0: return QStringLiteral("上行");
    case 1: return QStringLiteral("下行");
    case 2: return QStringLiteral("单线");
    default: return {};
    }
}

QString railSideName(int side)
{
    switch (side) {
    case 0: return QStringLiteral("左股");
    case 1: return QStringLiteral("右股");
    default: return {};
    }
}

RowPackets rowPackets(std::span<const TPACKET> packets, int64_t headIndex)
{
    RowPackets row;
    const auto size = static_cast<int64_t>(packets.size());
    if (headIndex < 0 || headIndex >= size)
        return row;
    const TPACKET &head = packets[headIndex];
    const int64_t echoes = std::max<int64_t>(0, head.m_Data1);
    const int64_t records = std::max<int64_t>(0, head.m_Data2);
    row.head = headIndex;
    row.echoBegin = headIndex + 1;
    row.echoEnd = std::min(size, row.echoBegin + echoes);
    row.recordBegin = row.echoEnd;
    row.recordEnd = std::min(size, headIndex + 1 + echoes + records);
    return row;
}

const TPACKET *packetAt(std::span<const TPACKET> packets, int64_t headIndex, int64_t offset)
{
    const int64_t at = headIndex + offset;
    if (headIndex < 0 || at < 0 || at >= int64_t(packets.size()))
        return nullptr;
    return &packets[size_t(at)];
}

} // namespace StdFormat
