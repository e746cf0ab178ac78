#pragma once
// Where the flaws of the sample rail lie: one after another at a mean spacing, each
// with its kind and the mark the operator set there. Any flaw can be asked for at any
// time, so that the selected-point record can plan its pieces ahead of the rail.

#include <cstdint>

namespace brantview::synth {

enum class FlawKind : uint8_t {
    HeadCrack,      // transverse crack in the head
    BoltHoleCrack,  // star crack from a bolt hole toward the rail end
    Split,          // horizontal split
    HeadChecks,     // fish-scale surface cracks over a few metres
};

struct Flaw {
    int64_t position = 0;  // rail position in Steps
    FlawKind kind = FlawKind::HeadCrack;
    int mark = 0;        // instrument mark kind the operator set there, 0 for none
    int64_t before = 0;  // selected-point record: Steps kept before and after the flaw
    int64_t after = 0;
};

class FlawPlan {
public:
    // Full course: the first flaws carry the marks "*", "△", "M" and "#". Selected
    // points: every flaw is one, marked "#", with a piece of rail around it.
    FlawPlan(uint64_t seed, int64_t first, int64_t spacing, bool selectedPoints, double stepLengthMm);

    Flaw flaw(int64_t index) const;

private:
    uint64_t m_seed;
    int64_t m_first;
    int64_t m_spacing;
    bool m_selectedPoints;
    double m_stepsPerMetre;
};

}  // namespace brantview::synth
