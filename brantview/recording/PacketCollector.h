#pragma once
// The packets of a stream gathered byte by byte inside one column, as the loader
// keeps them for its tables and the drawing reads them for its labels: one counter
// per packet kind, wrapping after the packet's last byte, reset when a column closes.

#include "BrantFormat.h"

#include <array>
#include <cstdint>

namespace brantview {

enum PacketKind : uint8_t {
    MileageP, GainP, GpsP, ParamP, RailSetupP, RailSetupExtP, SwitchP, CalibrationP, PowerP, PacketKinds
};

inline constexpr std::array<int, PacketKinds> PacketLengths = {
    PacketLength::Mileage,      PacketLength::Gain,        PacketLength::Gps,  PacketLength::Param,
    PacketLength::RailSetup,    PacketLength::RailSetupExt, PacketLength::SwitchNumber,
    PacketLength::Calibration,  PacketLength::Power};

class PacketCollector {
public:
    // Takes one byte of packet `p`; a byte after a complete packet starts a new one.
    // True when this byte completes the packet.
    bool take(PacketKind p, uint8_t data)
    {
        int &count = m_count[p];
        if (count == PacketLengths[p])
            count = 0;
        m_bytes[p][size_t(count++)] = data;
        m_pending |= 1u << p;
        return count == PacketLengths[p];
    }
    bool complete(PacketKind p) const { return m_count[p] == PacketLengths[p]; }
    // Bytes 1..n of the packet, at index 0..n − 1.
    const uint8_t *bytes(PacketKind p) const { return m_bytes[p].data(); }
    // Whether any packet took a byte since the last reset.
    bool pending() const { return m_pending != 0; }
    // A column closed: every packet starts again at its first byte.
    void reset()
    {
        m_count.fill(0);
        m_pending = 0;
    }

private:
    std::array<int, PacketKinds> m_count{};
    std::array<std::array<uint8_t, PacketLength::Param>, PacketKinds> m_bytes{};
    uint32_t m_pending = 0;
};

} // namespace brantview
