#pragma once
// Paints what the probes see of the rail's reflectors onto the echo canvas: for every
// position of the instrument the sound path d of each echo, so that the drawing,
// which shifts an echo by d × sin(angle) along the rail, puts the echoes of forward
// and backward probes on the reflector.

#include "EchoCanvas.h"
#include "RailProfile.h"
#include "SynthProbes.h"
#include "common/SynthRandom.h"

#include <span>

namespace brantview::synth {

enum class Strength : uint8_t {
    Faint,  // only the second (high-sensitivity) group sees it
    Weak,
    Normal,
    Strong,
};

constexpr uint8_t familyBit(ProbeFamily family)
{
    return uint8_t(1u << unsigned(family));
}

class EchoPainter {
public:
    explicit EchoPainter(EchoCanvas &canvas) : m_canvas(canvas) {}

    void setProbes(std::span<const Probe> probes) { m_probes.assign(probes.begin(), probes.end()); }
    void setStepLength(double millimetres) { m_step = millimetres; }
    void setProfile(const RailProfile &profile) { m_profile = profile; }
    const RailProfile &profile() const { return m_profile; }

    // A small reflector `depth` mm below position x, seen by the probes of `families`
    // (familyBit); `radius` is taken off every sound path (the near side of a hole).
    // A head reflector is also seen by the second group after a bounce off the
    // underside of the head.
    void point(int64_t x, double depth, Strength strength, uint8_t families, double radius = 0,
               bool bounceOffHead = false);
    // A fishplate bolt hole centred below x.
    void boltHole(int64_t x);
    // The end face of a rail at x, seen by the probes looking in `direction` toward it.
    void railEnd(int64_t x, int direction);
    // The joint gap: nothing under the 0° probe.
    void gap(int64_t from, int64_t to);
    // A weld: its collar at the foot and a faint mark in the head.
    void weld(int64_t x);
    // A horizontal split `depth` mm down: the 0° probe sees it instead of the back echo.
    void split(int64_t from, int64_t to, double depth);
    // Fine surface cracks in the running band (fish scales), seen by the 70° probes.
    void headChecks(int64_t from, int64_t to, common::SynthRandom &random);

private:
    void beam(const Probe &probe, int code, double spreadDegrees, int64_t x, double depth, double radius, bool strong);
    void straightDown(int64_t x, int depth, int thickness);

    EchoCanvas &m_canvas;
    std::vector<Probe> m_probes;
    double m_step = 2.94;
    RailProfile m_profile;
};

}  // namespace brantview::synth
