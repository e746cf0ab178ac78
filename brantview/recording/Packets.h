#pragma once
// The packets a stream carries in the data bytes of runs of records: their bytes
// as named fields, read from and written to the packet's bytes 1..n.

#include "BrantFormat.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace brantview {

// Code 50: speed, channel flags, time of day and mileage; one every 357 steps.
struct MileagePacket {
    int speed = 0;         // 0.1 km/h, 0..127
    int channelFlags = 0;  // bit j = channel j, 0..8
    int hour = 0, minute = 0, second = 0;
    uint32_t mileage = 0;  // 0.1 m

    static MileagePacket parse(std::span<const uint8_t, PacketLength::Mileage> bytes);
    std::array<uint8_t, PacketLength::Mileage> bytes() const;
};

// Code 52: longitude and latitude as D.MMmmm × 100000 in 24 bits each.
struct GpsPacket {
    uint32_t longitude = 0;
    uint32_t latitude = 0;

    static GpsPacket parse(std::span<const uint8_t, PacketLength::Gps> bytes);
    std::array<uint8_t, PacketLength::Gps> bytes() const;
    // Degrees and minutes as decimal degrees.
    static double decimalDegrees(uint32_t value);
    // The approximate metres the loader keeps: longitude × 85000, latitude × 111000.
    int32_t x() const;
    int32_t y() const;
};

// Code 54: temperature and battery voltage.
struct PowerPacket {
    bool negative = false;
    int degrees = 0;
    int hundredths = 0;
    int voltage = 0;  // 0.1 V

    static PowerPacket parse(std::span<const uint8_t, PacketLength::Power> bytes);
    std::array<uint8_t, PacketLength::Power> bytes() const;
};

// Codes 70 and 72: a 16-bit number, high byte first (switch number; distance in cm).
std::array<uint8_t, 2> bigEndian16(int value);

// Code 53: the instrument's working parameters, byte k at index k − 1.
struct ParamBlock {
    std::array<uint8_t, PacketLength::Param> b{};

    int byte(int k) const { return b[size_t(k - 1)]; }
    void set(int k, int value) { b[size_t(k - 1)] = uint8_t(value); }

    int firmwareVersion() const { return byte(42) * 256 + byte(43); }
    int wheelValue() const { return byte(39); }
    int trackOrLineNumber() const { return byte(15) * 256 + byte(16); }
    int operatorNumber() const { return byte(20) * 256 + byte(21); }
    int kilometrePost() const { return byte(35) * 256 + byte(36); }
    void setFirmwareVersion(int v) { setHighLow(42, v); }
    void setTrackOrLineNumber(int v) { setHighLow(15, v); }
    void setOperatorNumber(int v) { setHighLow(20, v); }
    void setKilometrePost(int v) { setHighLow(35, v); }
    // The characters of the serial number (seven, control bytes left out) and its numeric value.
    QString serialText() const;
    int64_t serialKey() const;
    // Five characters, firmware 700 and above.
    QString lineCode() const;
    // The five 6-bit units of the line code, into bytes 25 (bits 0..5), 15, 16 and 44.
    void setLineCode(const std::array<int, 5> &units);
    // The nine bytes a review mark keeps.
    std::array<uint8_t, 9> reviewMarkParams() const;

    // Calibrated lengths from the wheel value.
    double stepLengthMm() const;
    double stepLengthM() const;
    double sampleSpacingM() const;

private:
    // A 16-bit value in bytes k (high) and k + 1 (low).
    void setHighLow(int k, int value)
    {
        set(k, value >> 8);
        set(k + 1, value & 0xFF);
    }
};

} // namespace brantview
