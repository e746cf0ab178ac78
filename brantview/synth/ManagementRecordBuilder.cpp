#include "ManagementRecordBuilder.h"

#include <cmath>

namespace brantview {

namespace {

// Whole and hundredths of a speed, as the instrument stores them.
std::pair<int, int> speedBytes(double speed)
{
    const int hundredths = int(std::lround(speed * 100.0));
    return {hundredths / 100, hundredths % 100};
}

} // namespace

MgRecordBuilder &MgRecordBuilder::at(const MgStamp &s)
{
    return byte(1, s.second).byte(2, s.minute).byte(3, s.hour).byte(4, s.day).byte(5, s.month).byte(6, s.year);
}

MgRecordBuilder &MgRecordBuilder::mileage(int km, int metres)
{
    return word(7, km).word(9, metres);
}

MgRecordBuilder &MgRecordBuilder::byte(int offset, int value)
{
    m_bytes[size_t(offset)] = uint8_t(value);
    return *this;
}

MgRecordBuilder &MgRecordBuilder::word(int offset, int value)
{
    return byte(offset, (value >> 8) & 0xFF).byte(offset + 1, value & 0xFF);
}

QByteArray mgPowerOn(const MgStamp &stamp, int km, int metres, int speedLimit, int lineNumber, int lineKind,
                     int directionBit, int railSide)
{
    return MgRecordBuilder(1)
        .at(stamp)
        .mileage(km, metres)
        .word(11, speedLimit)
        .byte(13, lineNumber & 0xFF)
        .byte(14, (railSide << 1) | (directionBit & 1))
        .byte(15, ((lineNumber >> 8) << 4) | (lineKind & 0x0F))
        .bytes();
}

QByteArray mgPowerOff(const MgStamp &stamp, int km, int metres, int speedLimit, int batteryTenths)
{
    return MgRecordBuilder(2).at(stamp).mileage(km, metres).word(11, speedLimit).byte(13, batteryTenths).bytes();
}

QByteArray mgGainChange(const MgStamp &stamp, int km, int metres, const std::array<int, 5> &attenuations)
{
    MgRecordBuilder record(3);
    record.at(stamp).mileage(km, metres);
    for (int k = 0; k < 5; ++k)
        record.byte(11 + k, attenuations[size_t(k)]);
    return record.bytes();
}

QByteArray mgSpeedLimitChange(const MgStamp &stamp, int km, int metres, int speedLimit)
{
    return MgRecordBuilder(4).at(stamp).mileage(km, metres).word(11, speedLimit).bytes();
}

QByteArray mgOverspeedEdge(int kind, const MgStamp &stamp, int km, int metres, double speed, int speedLimit)
{
    const auto [whole, hundredths] = speedBytes(speed);
    return MgRecordBuilder(kind)
        .at(stamp)
        .mileage(km, metres)
        .byte(11, whole)
        .byte(12, hundredths)
        .word(13, speedLimit)
        .bytes();
}

QByteArray mgClockChange(const MgStamp &old, const MgStamp &now)
{
    return MgRecordBuilder(7)
        .at(old)
        .byte(7, now.second)
        .byte(8, now.minute)
        .byte(9, now.hour)
        .byte(10, now.day)
        .byte(11, now.month)
        .byte(12, now.year)
        .bytes();
}

QByteArray mgOverspeedSummary(const MgStamp &start, int operatorNumber, int km, int metres, int distanceMetres,
                              double speed)
{
    const auto [whole, hundredths] = speedBytes(speed);
    return MgRecordBuilder(8)
        .byte(1, start.second)
        .byte(2, start.minute)
        .byte(3, start.hour)
        .word(4, operatorNumber)
        .mileage(km, metres)
        .byte(11, distanceMetres / 1000)
        .word(12, distanceMetres % 1000)
        .byte(14, whole)
        .byte(15, hundredths)
        .bytes();
}

} // namespace brantview
