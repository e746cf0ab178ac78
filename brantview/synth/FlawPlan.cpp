#include "FlawPlan.h"

#include "SynthParts.h"
#include "common/SynthRandom.h"
#include "recording/BrantFormat.h"

#include <array>

namespace brantview::synth {

FlawPlan::FlawPlan(uint64_t seed, int64_t first, int64_t spacing, bool selectedPoints, double stepLengthMm)
    : m_seed(seed), m_first(first), m_spacing(spacing), m_selectedPoints(selectedPoints),
      m_stepsPerMetre(1000.0 / stepLengthMm)
{
}

Flaw FlawPlan::flaw(int64_t index) const
{
    common::SynthRandom random = common::SynthRandom::stream(m_seed, SynthPart::Flaw + uint64_t(index));
    Flaw f;
    // A quarter of the spacing either way keeps the flaws in order and apart.
    f.position = m_first + index * m_spacing + random.between(-m_spacing / 4, m_spacing / 4);
    static constexpr std::array<FlawKind, 5> kinds = {FlawKind::HeadCrack, FlawKind::BoltHoleCrack, FlawKind::Split,
                                                      FlawKind::HeadCrack, FlawKind::HeadChecks};
    f.kind = kinds[size_t(index % 5)];
    if (m_selectedPoints) {
        // A selected point is stored where the operator stands, not at a joint.
        if (f.kind == FlawKind::BoltHoleCrack)
            f.kind = FlawKind::HeadCrack;
        f.mark = MarkKind::SelectedPoint;
        f.before = int64_t(double(random.between(6, 14)) * m_stepsPerMetre);
        f.after = int64_t(double(random.between(6, 14)) * m_stepsPerMetre);
        return f;
    }
    static constexpr std::array<int, 4> firstMarks = {MarkKind::Star, MarkKind::Triangle, MarkKind::M,
                                                      MarkKind::SelectedPoint};
    static constexpr std::array<int, 7> laterMarks = {
        0, 0, 0, MarkKind::Star, MarkKind::Triangle, MarkKind::M, MarkKind::SelectedPoint};
    f.mark = index < 4 ? firstMarks[size_t(index)] : laterMarks[size_t(random.below(7))];
    return f;
}

}  // namespace brantview::synth
