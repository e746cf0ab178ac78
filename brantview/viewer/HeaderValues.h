#pragma once
// What the B-scan headers show of a slot: the parameter block, gains, rail set-up,
// switch and track numbers in effect at its ViewStart, with the operator and line
// named through the side lists. A recording without a packet of a kind shows zeros.

#include "ChannelNames.h"
#include "ViewState.h"
#include "recording/Packets.h"
#include "recording/RecordingSlot.h"

#include <QString>

#include <array>
#include <optional>

namespace brantview {

struct HeaderValues {
    ParamBlock params;
    std::array<int, PacketLength::Gain> gains{};  // GainPacket bytes 1..11 at index 0..10
    std::array<int, ChannelCount> missValues{};   // RailSetupPacketExt bytes 21..29
    std::optional<int> switchNumber;              // none before the first switch-number packet
    std::optional<int> trackNumber;               // none before the first track-number packet
    ProbeConfig probe;
    QString workNumberText;               // the operator's list entry, else "00000"
    QString lineText;                     // track number "0000", or the line name or code
    std::optional<QString> replayerName;  // only when the recording has a trailer

    int firmwareVersion() const { return params.firmwareVersion(); }
    bool newFirmware() const { return firmwareVersion() >= 700; }
    // 1 full-course, any other value selected-point; older firmware records full courses only.
    int recordKind() const { return firmwareVersion() > 700 ? params.byte(46) : 1; }
    // Extra channel 0 "1A", 1 "2A", 2 "6A".
    bool extraFitted(int extra) const;
    // Channel "5" works by reflection (byte 37 bit 2 clear) rather than through-transmission.
    bool reflectionMode() const { return (params.byte(37) & 4) == 0; }
    int gain(int channel) const { return gains[size_t(channel)]; }
    int reflectionValue() const { return gains[9]; }
    int railType() const { return gains[10]; }
    // The second value of channels "1".."4" (index 0..3), newer firmware.
    int secondGain(int channel) const;
};

// The values in effect at the slot's ViewStart; `doubleProbeMode` is the mode kept
// from the last newer block read (see probeConfigInEffect).
HeaderValues headerValuesInEffect(const RecordingSlot &slot, const ViewSources &sources, int doubleProbeMode);

}  // namespace brantview
