#pragma once
// The instrument's settings as a recording goes on, and the packets that carry them:
// the parameter block, the gains and the gate set-up.

#include "RailProfile.h"
#include "SynthProbes.h"
#include "common/SynthRandom.h"
#include "recording/Packets.h"

#include <array>
#include <cstdint>

namespace brantview::synth {

struct InstrumentSettings {
    int firmwareVersion = 650;
    bool selectedPoint = false;  // "XD" record
    ProbeLayout config;
    int wheelValue = 80;
    int railType = 2;
    std::array<int, 9> gains{};  // dB per channel
    int zeroReflection = 10;     // dB
    int day = 1, month = 1, year = 10;
    std::array<char, 7> serial{};
    int operatorNumber = 0;
    int lineKind = 1;
    int trackOrLine = 0;            // firmware below 700
    std::array<int, 5> lineCode{};  // firmware 700 and above
    bool rightHand = false;
    int railSide = 1;
    int railNumber = 1;
    int referenceEnd = 0;
    int distanceFromEnd = 0;  // 0.1 m
    bool mileageGrows = true;
    int kilometrePost = 0;
    int alarmMode = 0;
    bool zeroThrough = false;
    int damage = 0;
    int missValue = 8;
    std::array<int, 9> missValues{};    // dB, firmware 700 and above
    std::array<int, 4> secondValues{};  // channels "1".."4", 0..15, firmware 700 and above

    ParamBlock paramBlock() const;
    std::array<uint8_t, PacketLength::Gain> gainPacket() const;
    std::array<uint8_t, PacketLength::RailSetup> railSetup() const;
    std::array<uint8_t, PacketLength::RailSetupExt> railSetupExt() const;
    double stepLengthMm() const { return paramBlock().stepLengthMm(); }
    // The wheel value newer firmware counts from.
    int wheelBase() const { return firmwareVersion > 700 ? 127 : 80; }
};

// Settings of a plausible instrument, its first probe configuration and rail type.
InstrumentSettings initialSettings(int firmwareVersion, bool selectedPoint, const ProbeLayout &config, int railType,
                                   common::SynthRandom &random);

// A pull calibration lands the wheel value near its base.
void recalibrateWheel(InstrumentSettings &settings, common::SynthRandom &random);

// The operator turns one channel's gain up or down a little.
void adjustGain(InstrumentSettings &settings, common::SynthRandom &random);

}  // namespace brantview::synth
