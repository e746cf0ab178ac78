#pragma once
// The rail under the instrument, piece by piece: jointed track with rails of 12.5 m or
// 25 m, bolt holes at every rail end, welded track with a weld every few tens of
// metres, the flaws of the plan, and where the rail type and the probe configuration
// change. Each piece is painted onto the echo canvas as it is laid.

#include "EchoPainter.h"
#include "FlawPlan.h"
#include "SynthProbes.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brantview::synth {

struct RailEvent {
    enum Kind : uint8_t {
        RailType,  // value: the new rail type
        Config,    // value: index into the configuration sequence
        FlawMark,  // value: the mark kind
    };
    int64_t position = 0;
    Kind kind = RailType;
    int value = 0;
};

class RailLayout {
public:
    RailLayout(uint64_t seed, int64_t lengthSteps, double stepLengthMm, const FlawPlan &flaws,
               std::span<const ConfigShare> configs);

    int railType() const { return m_railType; }
    const ProbeLayout &config() const { return m_configs[m_configIndex].config; }

    // Paints the next piece and appends its events in position order. Returns the
    // position below which later pieces paint nothing.
    int64_t paintNextPiece(EchoPainter &painter, std::vector<RailEvent> &events);

private:
    int64_t steps(double metres) const { return int64_t(metres * 1000.0 / m_stepMm + 0.5); }
    void startSection(int64_t at);
    void changeConfig(EchoPainter &painter, std::vector<RailEvent> &events, int64_t at);
    void paintFlaw(const Flaw &flaw, int64_t firstHole, EchoPainter &painter, common::SynthRandom &random,
                   std::vector<RailEvent> &events);

    uint64_t m_seed;
    double m_stepMm;
    const FlawPlan &m_flaws;
    std::span<const ConfigShare> m_configs;
    common::SynthRandom m_random;
    int64_t m_sectionLimit;  // the longest section
    int64_t m_pieceStart = -300;
    int64_t m_pieceIndex = 0;
    int64_t m_nextFlaw = 0;
    // Sections: jointed or welded, their end, rail length and holes per rail end.
    int m_sectionCount = 0;
    bool m_welded = true;
    int64_t m_sectionStart = 0;
    int64_t m_sectionEnd = -300;
    int64_t m_railLength = 0;
    int m_holes = 2;
    // Rail type and probe configuration and where they change next.
    int m_railTypeIndex = 0;
    int m_railType = 2;
    int64_t m_nextRailTypeChange;
    int64_t m_configCycle;
    int64_t m_cycleStart = 0;
    size_t m_configIndex = 0;
    int64_t m_nextConfigChange;
};

}  // namespace brantview::synth
