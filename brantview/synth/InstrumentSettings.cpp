#include "InstrumentSettings.h"

#include <algorithm>
#include <cmath>

namespace brantview::synth {

namespace {

using Entry = std::array<int, 4>;
constexpr Entry unsetGates = {240, 240, 240, 240};

// A sound path in millimetres as a gate bound in 1/240 of the display range.
int gateUnit(double pathMm, int range)
{
    return std::clamp(int(std::lround(pathMm * 240.0 / range)), 1, 239);
}

constexpr double cos70 = 0.3420;
constexpr double cos37 = 0.7986;
constexpr double cos18 = 0.9511;

// The display range of channels "1", "2" and the other 70° channels.
int railRange(int railType)
{
    return railType <= 1 ? 200 : 250;
}

Entry headGates(const RailProfile &profile, int range)
{
    return {gateUnit(6, range), gateUnit(profile.headBottom / cos70, range), 240, 240};
}

Entry obliqueGates(const InstrumentSettings &s, const RailProfile &profile)
{
    switch (s.config.obliqueKind) {
    case 1: return {gateUnit(20, 250), gateUnit(profile.height / cos18, 250), 240, 240};
    case 2: return headGates(profile, 139);
    default: {
        const int range = railRange(s.railType);
        // Bolt holes in the first gate, the foot in the second.
        return {gateUnit(20, range), gateUnit((profile.holeDepth + profile.holeRadius) / cos37, range),
                gateUnit((profile.height - 25) / cos37, range), gateUnit(profile.height / cos37, range)};
    }
    }
}

Entry zeroGates(const RailProfile &profile)
{
    const int back = gateUnit(profile.height, 250);
    return {gateUnit(12, 250), back - 14, back - 6, std::min(back + 6, 239)};
}

// Byte k of a set-up packet is row (k - 1) mod 4 of entry (k - 1) div 4.
template <size_t N>
void putEntries(std::array<uint8_t, N> &bytes, const Entry *entries, size_t count)
{
    for (size_t k = 0; k < count * 4; ++k)
        bytes[k] = uint8_t(entries[k / 4][k % 4]);
}

int between(common::SynthRandom &random, int lo, int hi)
{
    return int(random.between(lo, hi));
}

}  // namespace

ParamBlock InstrumentSettings::paramBlock() const
{
    ParamBlock b;
    b.set(7, day);
    b.set(8, month);
    b.set(9, year);
    b.set(11, referenceEnd);
    b.set(12, distanceFromEnd);
    b.set(13, railSide);
    b.set(14, lineKind);
    b.set(18, railNumber);
    writeProbeBytes(b, config, firmwareVersion);
    b.setOperatorNumber(operatorNumber);
    b.set(22, mileageGrows ? 2 : 1);
    b.set(26, 1);  // the "失检" check is on
    for (int i = 0; i < 7; ++i)
        b.set(27 + i, serial[size_t(i)]);
    b.setKilometrePost(kilometrePost);
    b.set(37, (alarmMode & 3) | int(zeroThrough) << 2);
    b.set(38, damage);
    b.set(39, wheelValue);
    b.setFirmwareVersion(firmwareVersion);
    b.set(45, 0x21);
    b.set(46, selectedPoint ? 2 : 1);
    if (firmwareVersion < 700) {
        b.setTrackOrLineNumber(trackOrLine);
        b.set(24, missValue);
    } else {
        b.set(25, int(rightHand) << 7);
        b.setLineCode(lineCode);
        b.set(24, secondValues[2] << 4 | secondValues[3]);
        b.set(41, secondValues[0] << 4 | secondValues[1]);
    }
    return b;
}

std::array<uint8_t, PacketLength::Gain> InstrumentSettings::gainPacket() const
{
    std::array<uint8_t, PacketLength::Gain> bytes{};
    for (size_t k = 0; k < gains.size(); ++k)
        bytes[k] = uint8_t(gains[k]);
    bytes[9] = uint8_t(zeroReflection);
    bytes[10] = uint8_t(railType);
    return bytes;
}

std::array<uint8_t, PacketLength::RailSetup> InstrumentSettings::railSetup() const
{
    const RailProfile profile = railProfile(railType);
    const Entry head = headGates(profile, railRange(railType));
    const Entry channel6 =
        config.channel6Kind == 2 ? Entry{gateUnit(10, 250), gateUnit(profile.height - 20, 250), 240, 240} : head;
    const Entry oblique = obliqueGates(*this, profile);
    // Entries: "1"/"2", "6", "3", "4", 0°, "1A".
    const Entry entries[6] = {head, channel6, oblique, oblique, zeroGates(profile), head};
    std::array<uint8_t, PacketLength::RailSetup> bytes{};
    putEntries(bytes, entries, 6);
    return bytes;
}

std::array<uint8_t, PacketLength::RailSetupExt> InstrumentSettings::railSetupExt() const
{
    const RailProfile profile = railProfile(railType);
    const int range = railRange(railType);
    const Entry head = headGates(profile, range);
    // Entries 6..10: "2A", "6A", a spare 70° gate, the double-probe reference, unused.
    const Entry entries[5] = {head, head, head, {gateUnit(60, range), gateUnit(80, range), 240, 240}, unsetGates};
    std::array<uint8_t, PacketLength::RailSetupExt> bytes{};
    putEntries(bytes, entries, 5);
    for (size_t k = 0; k < missValues.size(); ++k)
        bytes[20 + k] = uint8_t(missValues[k]);
    return bytes;
}

InstrumentSettings initialSettings(int firmwareVersion, bool selectedPoint, const ProbeLayout &config, int railType,
                                   common::SynthRandom &random)
{
    InstrumentSettings s;
    s.firmwareVersion = firmwareVersion;
    s.selectedPoint = selectedPoint;
    s.config = config;
    s.railType = railType;
    s.wheelValue = s.wheelBase() + between(random, -12, 12);
    for (size_t k = 0; k < s.gains.size(); ++k) {
        // 70° channels need the most gain, the 0° channel the least.
        const bool oblique = k == 2 || k == 3;
        s.gains[k] = k == 4 ? between(random, 30, 38) : oblique ? between(random, 38, 46) : between(random, 44, 52);
    }
    s.zeroReflection = between(random, 6, 14);
    s.day = between(random, 1, 28);
    s.month = between(random, 1, 12);
    s.year = firmwareVersion < 700 ? between(random, 6, 11) : between(random, 12, 18);
    for (char &digit : s.serial)
        digit = char('0' + between(random, 0, 9));
    s.operatorNumber = between(random, 100, 65000);
    s.lineKind = selectedPoint ? between(random, 0, 5) : between(random, 1, 2);
    s.trackOrLine = between(random, 1, 999);
    s.lineCode = {between(random, 10, 35), between(random, 10, 35), between(random, 0, 9), between(random, 0, 9),
                  between(random, 0, 9)};
    s.rightHand = random.oneIn(2);
    s.railSide = between(random, 0, 1);
    s.railNumber = between(random, 1, 60);
    s.referenceEnd = between(random, 0, 1);
    s.distanceFromEnd = between(random, 0, 250);
    s.mileageGrows = !random.oneIn(3);
    s.alarmMode = between(random, 0, 2);
    s.zeroThrough = random.oneIn(4);
    s.damage = selectedPoint ? between(random, 1, 4) : 0;
    s.missValue = between(random, 6, 12);
    for (int &value : s.missValues)
        value = between(random, 6, 14);
    for (int &value : s.secondValues)
        value = between(random, 4, 12);
    return s;
}

void recalibrateWheel(InstrumentSettings &settings, common::SynthRandom &random)
{
    settings.wheelValue = settings.wheelBase() + between(random, -12, 12);
}

void adjustGain(InstrumentSettings &settings, common::SynthRandom &random)
{
    int &gain = settings.gains[size_t(random.below(9))];
    const int change = between(random, 1, 3);
    gain = std::clamp(random.oneIn(2) ? gain + change : gain - change, 20, 70);
}

}  // namespace brantview::synth
