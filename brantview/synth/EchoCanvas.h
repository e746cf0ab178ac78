#pragma once
// The echoes of a stretch of rail before they become records: per position the echo
// records the probes will write there and what the 0° channel makes of it. Positions
// below the floor are written already and take nothing more.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace brantview::synth {

struct EchoRecord {
    uint8_t code = 0;
    uint8_t depth = 0;
};

// What the 0° channel shows at a position besides its echo records.
enum ZeroFlag : uint8_t {
    BackEchoLost = 1,     // no back echo: a hole, a gap, a split above it
    BandMarkerHole = 2,   // code 32
    BandMarkerOther = 4,  // code 35
};

struct EchoSlot {
    static constexpr int Capacity = 22;
    uint8_t count = 0;
    uint8_t flags = 0;
    std::array<EchoRecord, Capacity> echoes{};
};

class EchoCanvas {
public:
    // Room for 2^log2Size positions from the floor on.
    explicit EchoCanvas(int log2Size);

    // `thickness` records of depths d, d + 1, ...; depths outside 1..255 and echoes
    // beyond a slot's capacity are dropped.
    void add(int64_t position, int code, int depth, int thickness)
    {
        if (!holds(position))
            return;
        EchoSlot &slot = m_slots[size_t(position & m_mask)];
        for (int i = 0; i < thickness && slot.count < EchoSlot::Capacity; ++i) {
            const int d = depth + i;
            if (d < 1 || d > 255)
                return;
            slot.echoes[slot.count++] = {uint8_t(code), uint8_t(d)};
        }
    }
    void flag(int64_t position, uint8_t flags)
    {
        if (holds(position))
            m_slots[size_t(position & m_mask)].flags |= flags;
    }

    // The slot of the floor position, which moves on one position.
    const EchoSlot &front() const { return m_slots[size_t(m_floor & m_mask)]; }
    void advance()
    {
        EchoSlot &slot = m_slots[size_t(m_floor & m_mask)];
        slot.count = 0;
        slot.flags = 0;
        ++m_floor;
    }
    int64_t floor() const { return m_floor; }
    // Drops everything below `position` and puts the floor there.
    void moveFloorTo(int64_t position);
    int64_t size() const { return int64_t(m_slots.size()); }

private:
    bool holds(int64_t position) const { return position >= m_floor && position - m_floor <= m_mask; }

    std::vector<EchoSlot> m_slots;
    int64_t m_mask;
    int64_t m_floor = 0;
};

}  // namespace brantview::synth
