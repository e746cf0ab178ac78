#pragma once
// Management-file records put together field by field, for the sample files and the
// tests' fixtures. Values are stored as given (16-bit fields big-endian), so a test
// can also build the damaged records the reader must refuse.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace brantview {

struct MgStamp {
    int year = 14;  // two digits
    int month = 8;
    int day = 13;
    int hour = 8;
    int minute = 0;
    int second = 0;
};

class MgRecordBuilder {
public:
    explicit MgRecordBuilder(int kind) { m_bytes[0] = uint8_t(kind); }

    // Bytes 1-6: second, minute, hour, day, month, year.
    MgRecordBuilder &at(const MgStamp &stamp);
    // Bytes 7-10: km and m, big-endian.
    MgRecordBuilder &mileage(int km, int metres);
    MgRecordBuilder &byte(int offset, int value);
    MgRecordBuilder &word(int offset, int value);

    QByteArray bytes() const { return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), int(m_bytes.size())); }

private:
    std::array<uint8_t, 16> m_bytes{};
};

// The records the instrument writes, at `stamp` and `km`/`metres`; speeds in km/h
// with two decimals, limits in metres per hour.
QByteArray mgPowerOn(const MgStamp &stamp, int km, int metres, int speedLimit, int lineNumber, int lineKind,
                     int directionBit, int railSide);
QByteArray mgPowerOff(const MgStamp &stamp, int km, int metres, int speedLimit, int batteryTenths);
QByteArray mgGainChange(const MgStamp &stamp, int km, int metres, const std::array<int, 5> &attenuations);
QByteArray mgSpeedLimitChange(const MgStamp &stamp, int km, int metres, int speedLimit);
// Kind 5 (start) or 6 (end).
QByteArray mgOverspeedEdge(int kind, const MgStamp &stamp, int km, int metres, double speed, int speedLimit);
QByteArray mgClockChange(const MgStamp &old, const MgStamp &now);
QByteArray mgOverspeedSummary(const MgStamp &start, int operatorNumber, int km, int metres, int distanceMetres,
                              double speed);

} // namespace brantview
