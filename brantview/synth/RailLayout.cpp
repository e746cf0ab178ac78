#include "RailLayout.h"

#include "SynthParts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brantview::synth {

namespace {

// Rail types met along a line, in turn: "60轨" mostly.
constexpr std::array<int, 6> railTypes = {2, 1, 2, 3, 2, 0};
// Later pieces paint at most this far before their start: the rail-end holes and the
// forward beams that reach them.
constexpr int64_t paintReach = 400;

}  // namespace

RailLayout::RailLayout(uint64_t seed, int64_t lengthSteps, double stepLengthMm, const FlawPlan &flaws,
                       std::span<const ConfigShare> configs)
    : m_seed(seed), m_stepMm(stepLengthMm), m_flaws(flaws), m_configs(configs),
      m_random(common::SynthRandom::stream(seed, SynthPart::Rail))
{
    m_sectionLimit = std::min(lengthSteps, steps(2000.0));
    m_railTypeIndex = int(m_random.below(int64_t(railTypes.size())));
    m_railType = railTypes[size_t(m_railTypeIndex)];
    m_nextRailTypeChange = lengthSteps / 2;
    m_configCycle = std::max<int64_t>(std::min(lengthSteps, steps(10000.0)), 1);
    m_nextConfigChange = int64_t(m_configs[0].share * double(m_configCycle));
}

void RailLayout::startSection(int64_t at)
{
    m_welded = m_sectionCount++ % 2 == 1;
    m_sectionStart = at;
    const double share = double(m_random.between(30, 60)) / 100.0;
    m_sectionEnd = at + std::max(steps(30.0), int64_t(share * double(m_sectionLimit)));
    m_railLength = m_random.oneIn(2) ? steps(12.5) : steps(25.0);
    m_holes = m_random.oneIn(2) ? 2 : 3;
}

void RailLayout::changeConfig(EchoPainter &painter, std::vector<RailEvent> &events, int64_t at)
{
    double share = 0;
    ++m_configIndex;
    if (m_configIndex == m_configs.size()) {
        m_configIndex = 0;
        m_cycleStart += m_configCycle;
    }
    for (size_t i = 0; i <= m_configIndex; ++i)
        share += m_configs[i].share;
    m_nextConfigChange = m_cycleStart + int64_t(share * double(m_configCycle));
    painter.setProbes(probesOf(config()));
    events.push_back({at, RailEvent::Config, int(m_configIndex)});
}

int64_t RailLayout::paintNextPiece(EchoPainter &painter, std::vector<RailEvent> &events)
{
    const int64_t start = m_pieceStart;
    const size_t firstEvent = events.size();
    // Rail types and probe set-ups change where one rail meets the next.
    if (start >= m_nextRailTypeChange) {
        m_railTypeIndex = (m_railTypeIndex + 1) % int(railTypes.size());
        m_railType = railTypes[size_t(m_railTypeIndex)];
        m_nextRailTypeChange += steps(4000.0);
        painter.setProfile(railProfile(m_railType));
        events.push_back({start, RailEvent::RailType, m_railType});
    }
    while (start >= m_nextConfigChange)
        changeConfig(painter, events, start);
    if (start >= m_sectionEnd)
        startSection(start);

    common::SynthRandom random = common::SynthRandom::stream(m_seed, SynthPart::Piece + uint64_t(m_pieceIndex++));
    // Welded track begins at an insulated joint with three holes per rail end.
    const bool joint = !m_welded || start == m_sectionStart;
    const int holes = m_welded ? 3 : m_holes;
    // A piece ends where the rail type or the probes change, so that changes come where planned.
    const int64_t nextChange = std::min(m_nextRailTypeChange, m_nextConfigChange);
    const int64_t laid = m_welded ? steps(double(random.between(25, 100))) : m_railLength;
    const int64_t length = nextChange > start ? std::min(laid, nextChange - start) : laid;
    int64_t firstHole = -1;
    if (joint) {
        const int64_t gapEnd = start + random.between(2, 3);
        painter.gap(start, gapEnd);
        painter.railEnd(start, 1);
        painter.railEnd(gapEnd, -1);
        for (int i = 0; i < holes; ++i) {
            const int64_t offset = steps((75.0 + 140.0 * i) / 1000.0);
            painter.boltHole(start - offset);
            painter.boltHole(gapEnd + offset);
        }
        firstHole = gapEnd + steps(0.075);
    } else {
        painter.weld(start);
    }

    const int64_t end = start + length;
    for (Flaw flaw = m_flaws.flaw(m_nextFlaw); flaw.position < end; flaw = m_flaws.flaw(++m_nextFlaw))
        paintFlaw(flaw, firstHole, painter, random, events);
    std::stable_sort(events.begin() + std::ptrdiff_t(firstEvent), events.end(),
                     [](const RailEvent &a, const RailEvent &b) { return a.position < b.position; });
    m_pieceStart = end;
    return end - paintReach;
}

void RailLayout::paintFlaw(const Flaw &flaw, int64_t firstHole, EchoPainter &painter, common::SynthRandom &random,
                           std::vector<RailEvent> &events)
{
    const RailProfile &profile = painter.profile();
    int64_t at = flaw.position;
    switch (flaw.kind) {
    case FlawKind::BoltHoleCrack:
        if (firstHole >= 0) {
            // From the first hole toward the rail end, rising at 45°.
            const double reach = (profile.holeRadius + 6.0) * 0.7071;
            at = firstHole;
            painter.point(firstHole - int64_t(std::lround(reach / m_stepMm)), profile.holeDepth - reach,
                          Strength::Strong, familyBit(ProbeFamily::Oblique));
            break;
        }
        [[fallthrough]];
    case FlawKind::HeadCrack: {
        const Strength strength = random.oneIn(3) ? Strength::Strong : Strength::Normal;
        painter.point(at, double(random.between(10, profile.headBottom - 6)), strength, familyBit(ProbeFamily::Head70),
                      0.0, true);
        break;
    }
    case FlawKind::Split: {
        const double depth = random.oneIn(2) ? double(profile.headBottom + random.between(2, 10))
                                             : double(random.between(20, profile.headBottom - 5));
        painter.split(at, at + random.between(40, 140), depth);
        break;
    }
    case FlawKind::HeadChecks: painter.headChecks(at, at + random.between(1000, 2500), random); break;
    }
    if (flaw.mark != 0)
        events.push_back({at, RailEvent::FlawMark, flaw.mark});
}

}  // namespace brantview::synth
