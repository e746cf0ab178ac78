#pragma once
// The probes of the sample instrument: the record codes a probe configuration writes
// for each channel, the angle and direction of each probe, and the ParamBlock bytes
// that describe the configuration to the viewer.

#include "recording/Packets.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brantview::synth {

enum class ProbeFamily : uint8_t {
    Head70,   // 70° probes: the head
    Oblique,  // 37° and 18° probes: web, bolt holes, foot
    Zero,     // 0° probes: straight down
};

struct Probe {
    uint8_t code = 0;           // first group
    uint8_t sensitiveCode = 0;  // second group (high sensitivity), 0 when the channel has none
    ProbeFamily family = ProbeFamily::Head70;
    int8_t direction = 1;  // +1 looks toward growing positions, -1 back
    double angle = 70.0;   // degrees
};

// Which way channels face and which probes channels "3"/"4" and "6" carry. Channels
// "1A" and "2A" face the other way from "1" and "2"; "6A" faces forward only when
// channel "6" is the backward 70°.
struct ProbeLayout {
    bool channel1Back = false;
    bool channel2Back = true;
    int obliqueKind = 0;   // channels "3"/"4": 0 37°, 1 18°, 2 70° offset 10°
    int channel6Kind = 0;  // 0 forward 70°, 1 backward 70°, 2 0°, 4 forward oblique 70°, 5 backward oblique 70°
};

// A configuration and its share of the recording's length.
struct ConfigShare {
    ProbeLayout config;
    double share = 1.0;
};

// The probes fitted in `config`, 0° channel "5" included.
std::vector<Probe> probesOf(const ProbeLayout &config);

// The configurations a recording goes through in turn. Older firmware names more
// kinds of channel "6"; from 700 on only its direction is recorded.
std::span<const ConfigShare> configSequence(int firmwareVersion);

// ParamBlock bytes 19, 23, 34 and 40 for `config`, all channels fitted.
void writeProbeBytes(ParamBlock &block, const ProbeLayout &config, int firmwareVersion);

}  // namespace brantview::synth
