#pragma once
// The cross-section of a rail type as the probes see it, in millimetres below the
// running surface.

#include <array>
#include <cstddef>

namespace brantview::synth {

struct RailProfile {
    int height = 176;     // the 0° back echo
    int headBottom = 49;  // underside of the head: the 70° probes see no deeper
    int holeDepth = 98;   // centre of the fishplate bolt holes
    int holeRadius = 15;
};

// Rail types 0..3: "43轨", "50轨", "60轨", "75轨".
inline RailProfile railProfile(int railType)
{
    static constexpr std::array<RailProfile, 4> profiles = {{
        {140, 39, 80, 13},
        {152, 42, 84, 14},
        {176, 49, 98, 15},
        {192, 58, 108, 16},
    }};
    return profiles[size_t(railType < 0 || railType > 3 ? 2 : railType)];
}

}  // namespace brantview::synth
