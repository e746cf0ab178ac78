#pragma once
// Probe channels named as the instrument's texts name them ("1:前70", "3:前37") and
// the sound-path depth one channel's echo trace spans, both from the probe
// configuration of the parameters in effect.

#include "recording/RecordingSlot.h"

#include <QString>

#include <optional>

namespace brantview {

struct ProbeConfig {
    int firmwareVersion = 0;
    int probeByte = 0;        // ParamBlock byte 19, or an A-scan frame's probe byte
    int channelSet = 0;       // below 700: byte 34, bit clear = "1A", "2A", "6A" fitted
    int directionMask = 0;    // 700 and above: byte 34 × 256 + byte 23, bit set = backward
    int fittedMask = 0;       // 700 and above: byte 40, bit set = "1A", "2A", "6A" fitted
    int doubleProbeMode = 0;  // 700 and above: 1 "1A", 2 "2A" carries a double 45° probe
    int railType = 0;         // GainPacket byte 11

    bool newFirmware() const { return firmwareVersion >= 700; }
};

// The configuration in effect at the slot's ViewStart. The double-probe mode is read
// only from firmware above 700; otherwise `previousDoubleMode` stays.
ProbeConfig probeConfigInEffect(const RecordingSlot &slot, int previousDoubleMode);

// An A-scan frame names its channel by its own probe byte, read as older firmware
// does, and takes its range from its own rail type.
ProbeConfig probeConfigOfFrame(const AScanFrame &frame);

// Whether extra channel 0, 1, 2 ("1A", "2A", "6A") is fitted.
bool ExtraChannelFitted(const ProbeConfig &config, int extra);

// Channel k (0..8): empty when the channel is not fitted or its kind has no name.
QString ChannelName(const ProbeConfig &config, int k);

// Millimetres of sound path across a trace of channel k; nothing for probe kinds
// without a range.
std::optional<int> TraceRange(const ProbeConfig &config, int k);

} // namespace brantview
