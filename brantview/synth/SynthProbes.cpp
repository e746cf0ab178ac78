#include "SynthProbes.h"

#include <array>

namespace brantview::synth {

namespace {

// A 70° probe of a channel with one code per direction in each group.
Probe head70(bool back, int forwardCode, int backwardCode, int forwardSensitive = 0, int backwardSensitive = 0)
{
    return {uint8_t(back ? backwardCode : forwardCode), uint8_t(back ? backwardSensitive : forwardSensitive),
            ProbeFamily::Head70, int8_t(back ? -1 : 1), 70.0};
}

// Channel "3" looks forward, channel "4" back; their probe kind picks the code.
Probe obliqueChannel(int kind, bool back)
{
    const int8_t direction = back ? -1 : 1;
    switch (kind) {
    case 1: return {uint8_t(back ? 9 : 6), 0, ProbeFamily::Oblique, direction, 18.0};
    case 2: return {uint8_t(back ? 10 : 7), 0, ProbeFamily::Head70, direction, 70.0};
    default: return {uint8_t(back ? 8 : 5), uint8_t(back ? 31 : 30), ProbeFamily::Oblique, direction, 37.0};
    }
}

constexpr std::array<ConfigShare, 5> olderSequence = {{
    {{false, true, 0, 0}, 0.50},
    {{true, false, 1, 1}, 0.15},
    {{false, true, 2, 2}, 0.15},
    {{false, true, 0, 4}, 0.10},
    {{true, false, 0, 5}, 0.10},
}};

constexpr std::array<ConfigShare, 3> newerSequence = {{
    {{false, true, 0, 0}, 0.60},
    {{true, false, 1, 1}, 0.20},
    {{false, true, 2, 0}, 0.20},
}};

bool channel6Back(const ProbeLayout &config)
{
    return config.channel6Kind == 1 || config.channel6Kind == 5;
}

}  // namespace

std::vector<Probe> probesOf(const ProbeLayout &config)
{
    std::vector<Probe> probes;
    probes.push_back(head70(config.channel1Back, 1, 2, 26, 27));
    probes.push_back(head70(config.channel2Back, 3, 4, 28, 29));
    probes.push_back(obliqueChannel(config.obliqueKind, false));
    probes.push_back(obliqueChannel(config.obliqueKind, true));
    probes.push_back({11, 0, ProbeFamily::Zero, 1, 0.0});
    switch (config.channel6Kind) {
    case 0: probes.push_back(head70(false, 12, 13)); break;
    case 1: probes.push_back(head70(true, 12, 13)); break;
    case 2: probes.push_back({14, 0, ProbeFamily::Zero, 1, 0.0}); break;
    case 4: probes.push_back(head70(false, 16, 17)); break;
    case 5: probes.push_back(head70(true, 16, 17)); break;
    default: break;
    }
    probes.push_back(head70(!config.channel1Back, 18, 19));
    probes.push_back(head70(!config.channel2Back, 20, 21));
    probes.push_back(head70(config.channel6Kind != 1, 22, 23));
    return probes;
}

std::span<const ConfigShare> configSequence(int firmwareVersion)
{
    if (firmwareVersion >= 700)
        return newerSequence;
    return olderSequence;
}

void writeProbeBytes(ParamBlock &block, const ProbeLayout &config, int firmwareVersion)
{
    if (firmwareVersion < 700) {
        block.set(19, int(config.channel1Back) | int(config.channel2Back) << 1 | (config.obliqueKind & 3) << 2
                          | (config.channel6Kind & 7) << 4);
        block.set(34, 0);  // bits clear: "1A", "2A", "6A" fitted
        return;
    }
    // Low nibble: channels "3"/"4"; high nibble: no double probe.
    block.set(19, config.obliqueKind & 0x0F);
    const int mask = int(config.channel1Back) | int(config.channel2Back) << 1 | int(channel6Back(config)) << 5
                     | int(!config.channel1Back) << 6 | int(!config.channel2Back) << 7
                     | int(config.channel6Kind != 1) << 8;
    block.set(23, mask & 0xFF);
    block.set(34, mask >> 8);
    block.set(40, 7);  // "1A", "2A", "6A" fitted
}

}  // namespace brantview::synth
