#include "Packets.h"

#include "TextValue.h"

#include <cmath>

namespace brantview {

MileagePacket MileagePacket::parse(std::span<const uint8_t, PacketLength::Mileage> bytes)
{
    MileagePacket p;
    p.speed = bytes[0] & 0x7F;
    p.channelFlags = bytes[1] | ((bytes[0] >> 7) << 8);
    p.second = bytes[2] & 0x3F;
    p.minute = bytes[3] & 0x3F;
    p.hour = bytes[4] & 0x3F;
    p.mileage = littleEndian(&bytes[5], 4);
    return p;
}

std::array<uint8_t, PacketLength::Mileage> MileagePacket::bytes() const
{
    return {uint8_t((speed & 0x7F) | (((channelFlags >> 8) & 1) << 7)),
            uint8_t(channelFlags & 0xFF),
            uint8_t(second & 0x3F),
            uint8_t(minute & 0x3F),
            uint8_t(hour & 0x3F),
            uint8_t(mileage),
            uint8_t(mileage >> 8),
            uint8_t(mileage >> 16),
            uint8_t(mileage >> 24)};
}

GpsPacket GpsPacket::parse(std::span<const uint8_t, PacketLength::Gps> bytes)
{
    return {littleEndian(&bytes[0], 3), littleEndian(&bytes[3], 3)};
}

std::array<uint8_t, PacketLength::Gps> GpsPacket::bytes() const
{
    return {uint8_t(longitude), uint8_t(longitude >> 8), uint8_t(longitude >> 16),
            uint8_t(latitude),  uint8_t(latitude >> 8),  uint8_t(latitude >> 16)};
}

double GpsPacket::decimalDegrees(uint32_t value)
{
    const double v = value / 100000.0;
    const double degrees = std::floor(v);
    return degrees + (v - degrees) * 100.0 / 60.0;
}

// Rounded to the nearest integer, halves to even, as every real value that becomes
// an integer here. 24-bit inputs keep the products far inside 32 bits.
int32_t GpsPacket::x() const
{
    return int32_t(std::nearbyint(decimalDegrees(longitude) * 85000.0));
}

int32_t GpsPacket::y() const
{
    return int32_t(std::nearbyint(decimalDegrees(latitude) * 111000.0));
}

PowerPacket PowerPacket::parse(std::span<const uint8_t, PacketLength::Power> bytes)
{
    return {bytes[0] != 0, bytes[1], bytes[2], bytes[3]};
}

std::array<uint8_t, PacketLength::Power> PowerPacket::bytes() const
{
    return {uint8_t(negative ? 1 : 0), uint8_t(degrees), uint8_t(hundredths), uint8_t(voltage)};
}

std::array<uint8_t, 2> bigEndian16(int value)
{
    return {uint8_t(value >> 8), uint8_t(value)};
}

QString ParamBlock::serialText() const
{
    QString text;
    // Unset bytes (0) and other control bytes are no characters a text can show.
    for (int k = 27; k <= 33; ++k)
        if (byte(k) >= 0x20)
            text.append(QChar(char16_t(byte(k))));
    return text;
}

int64_t ParamBlock::serialKey() const
{
    return leadingNumber(serialText());
}

QString ParamBlock::lineCode() const
{
    const uint32_t rest = (uint32_t(byte(15)) << 16) | (uint32_t(byte(16)) << 8) | uint32_t(byte(44));
    const int units[5] = {byte(25) & 0x3F, int(rest >> 18) & 0x3F, int(rest >> 12) & 0x3F, int(rest >> 6) & 0x3F,
                          int(rest) & 0x3F};
    QString code;
    for (const int u : units)
        code.append(QChar(char16_t(u < 10 ? 48 + u : 55 + u)));
    return code;
}

void ParamBlock::setLineCode(const std::array<int, 5> &units)
{
    set(25, (byte(25) & 0xC0) | (units[0] & 0x3F));
    const uint32_t rest = (uint32_t(units[1] & 0x3F) << 18) | (uint32_t(units[2] & 0x3F) << 12)
        | (uint32_t(units[3] & 0x3F) << 6) | uint32_t(units[4] & 0x3F);
    set(15, int(rest >> 16));
    set(16, int(rest >> 8) & 0xFF);
    set(44, int(rest) & 0xFF);
}

std::array<uint8_t, 9> ParamBlock::reviewMarkParams() const
{
    std::array<uint8_t, 9> params{};
    for (size_t i = 0; i < params.size(); ++i)
        params[i] = uint8_t(byte(ReviewMarkParamBytes[i]));
    return params;
}

// Newer firmware counts the wheel from another base.
static int wheelBase(int firmwareVersion)
{
    return firmwareVersion > 700 ? 127 : 80;
}

double ParamBlock::stepLengthMm() const
{
    return 2.94 + 2.94 * (wheelValue() - wheelBase(firmwareVersion())) / 1000.0;
}

double ParamBlock::stepLengthM() const
{
    return 0.00294 + 0.00294 * (wheelValue() - wheelBase(firmwareVersion())) / 1000.0;
}

double ParamBlock::sampleSpacingM() const
{
    return StepsPerMileagePacket * stepLengthM();
}

} // namespace brantview
