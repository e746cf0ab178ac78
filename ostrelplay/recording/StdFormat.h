#pragma once
// Rules of the .std format that go beyond the record images: version number,
// reserved bytes, command codes and the bounds-checked walk over a row's packets.

#include "STDDataStruct.h"

#include <QString>
#include <cstdint>
#include <span>

namespace StdFormat {

constexpr int64_t kParaSize = sizeof(TSYSTEMPARA);
constexpr int64_t kReservedSize = 4;
constexpr int64_t kCountsSize = sizeof(TSCANDATAINDEX);
constexpr int64_t kFindDataSize = sizeof(WIN32FINDDATA);
constexpr int RowsPerMetre = 500;
constexpr int ChannelCount = 9;
constexpr int RailTypeRows = 4;  // [r][c] arrays hold rail types 0..3

// 100 x digit 1 + 10 x digit 3 of m_Version; 170 when either is not a digit.
int versionNumber(const TSYSTEMPARA &para);

// The 4 reserved bytes follow the parameter block for v >= 160 unless the text starts "1.6.X".
bool hasReservedBytes(const TSYSTEMPARA &para);

// Bytes of a sub-file block with these counts (counts already known to be non-negative).
int64_t blockSize(const TSYSTEMPARA &para, const TSCANDATAINDEX &counts);

// Row index of a [r][c] parameter array for a rail type: "Auto" (4) and anything
// outside 0..3 use the nearest stored row, so no lookup leaves the array.
int railRow(int railType);

inline bool isEchoCode(char16_t c) { return c >= u'0' && c <= u'9'; }
// Record kinds counted by the loader and indexed as events.
inline bool isEventRecord(char16_t c)
{
    return (c >= u'A' && c <= u'L') || c == u'N' || c == u'U' || c == u'V' || (c >= u'a' && c <= u'i');
}
// Record kinds a cut without event records drops.
inline bool isInstrumentEvent(char16_t c)
{
    return (c >= u'A' && c <= u'L') || c == u'N' || c == u'U' || c == u'V';
}

QString railTypeName(int railType);  // "P43" .. "Auto", empty otherwise
QString lineTypeName(int lineType);  // "上行", "下行", "单线", empty otherwise
QString railSideName(int side);      // "左股", "右股", empty otherwise

// Packet ranges of one row, clamped to the packet array: [echoBegin, echoEnd) are
// the echo packets and [recordBegin, recordEnd) the record packets. A row whose
// head lies outside the array is empty (head = -1).
struct RowPackets {
    int64_t head = -1;
    int64_t echoBegin = 0, echoEnd = 0;
    int64_t recordBegin = 0, recordEnd = 0;
    bool valid() const { return head >= 0; }
};

RowPackets rowPackets(std::span<const TPACKET> packets, int64_t headIndex);

// The packet `offset` places after the head at headIndex; null outside the array.
const TPACKET *packetAt(std::span<const TPACKET> packets, int64_t headIndex, int64_t offset);

} // namespace StdFormat
