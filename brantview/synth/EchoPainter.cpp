#include "EchoPainter.h"

#include <algorithm>
#include <cmath>

namespace brantview::synth {

namespace {

constexpr double degree = 3.14159265358979323846 / 180.0;

// Half the beam's opening in the first group; the second group opens 3° wider.
double beamSpread(const Probe &probe)
{
    return probe.angle > 60 ? 5.0 : probe.angle > 30 ? 6.0 : 7.0;
}

double strengthFactor(Strength strength)
{
    switch (strength) {
    case Strength::Faint:
    case Strength::Weak: return 0.6;
    case Strength::Normal: return 1.0;
    case Strength::Strong: return 1.4;
    }
    return 1.0;
}

}  // namespace

void EchoPainter::beam(const Probe &probe, int code, double spreadDegrees, int64_t x, double depth, double radius,
                       bool strong)
{
    const double theta = probe.angle * degree;
    const double spread = spreadDegrees * degree;
    const double low = std::max(theta - spread, 1.0 * degree);
    const double high = std::min(theta + spread, 85.0 * degree);
    const int64_t first = std::max<int64_t>(1, int64_t(std::ceil(depth * std::tan(low) / m_step)));
    const int64_t last = int64_t(std::floor(depth * std::tan(high) / m_step));
    for (int64_t k = first; k <= last; ++k) {
        const double h = double(k) * m_step;
        const double path = std::hypot(h, depth) - radius;
        if (path > 255.0)
            break;
        const double weight = 1.0 - std::abs(std::atan2(h, depth) - theta) / spread;
        const int thickness = 1 + int(weight > 0.45) + int(strong && weight > 0.75);
        m_canvas.add(x - probe.direction * k, code, int(std::lround(path)), thickness);
    }
}

void EchoPainter::point(int64_t x, double depth, Strength strength, uint8_t families, double radius, bool bounceOffHead)
{
    const double factor = strengthFactor(strength);
    const bool strong = strength == Strength::Strong;
    for (const Probe &probe : m_probes) {
        if (probe.family == ProbeFamily::Zero || !(families & familyBit(probe.family)))
            continue;
        if (strength != Strength::Faint)
            beam(probe, probe.code, beamSpread(probe) * factor, x, depth, radius, strong);
        if (probe.sensitiveCode == 0)
            continue;
        const double wider = (beamSpread(probe) + 3.0) * factor;
        beam(probe, probe.sensitiveCode, wider, x, depth, radius, strong);
        if (bounceOffHead && probe.family == ProbeFamily::Head70)
            beam(probe, probe.sensitiveCode, wider, x, 2.0 * m_profile.headBottom - depth, radius, false);
    }
}

void EchoPainter::straightDown(int64_t x, int depth, int thickness)
{
    for (const Probe &probe : m_probes)
        if (probe.family == ProbeFamily::Zero)
            m_canvas.add(x, probe.code, depth, thickness);
}

void EchoPainter::boltHole(int64_t x)
{
    const double centre = m_profile.holeDepth;
    const double radius = m_profile.holeRadius;
    point(x, centre, Strength::Normal, familyBit(ProbeFamily::Oblique), radius);
    const int64_t reach = int64_t((radius + 3.0) / m_step) + 1;
    for (int64_t k = -reach; k <= reach; ++k) {
        const double dx = double(k) * m_step;
        if (std::abs(dx) > radius + 3.0)
            continue;
        m_canvas.flag(x + k, BackEchoLost);
        if (std::abs(dx) < radius) {
            straightDown(x + k, int(std::lround(centre - std::sqrt(radius * radius - dx * dx))), 2);
            m_canvas.flag(x + k, BandMarkerHole);
        }
    }
}

void EchoPainter::railEnd(int64_t x, int direction)
{
    for (const Probe &probe : m_probes) {
        if (probe.direction != direction || probe.family == ProbeFamily::Zero)
            continue;
        const bool head = probe.family == ProbeFamily::Head70;
        const double top = head ? 4.0 : m_profile.headBottom;
        const double bottom = head ? m_profile.headBottom - 2.0 : m_profile.height - 3.0;
        const double theta = probe.angle * degree;
        const double tangent = std::tan(theta);
        const double sine = std::sin(theta);
        // The face stands upright: every sound path along the beam meets it at x.
        for (int64_t k = int64_t(top * tangent / m_step); k * m_step <= bottom * tangent; ++k) {
            const double h = double(k) * m_step;
            if (h < top * tangent)
                continue;
            const int path = int(std::lround(h / sine));
            m_canvas.add(x - direction * k, probe.code, path, 2);
            if (probe.sensitiveCode != 0)
                m_canvas.add(x - direction * k, probe.sensitiveCode, path, 2);
        }
    }
}

void EchoPainter::gap(int64_t from, int64_t to)
{
    for (int64_t p = from - 1; p <= to; ++p)
        m_canvas.flag(p, BackEchoLost);
}

void EchoPainter::weld(int64_t x)
{
    point(x, m_profile.height - 5.0, Strength::Weak, familyBit(ProbeFamily::Oblique));
    point(x, m_profile.headBottom - 2.0, Strength::Faint, familyBit(ProbeFamily::Head70));
    for (int64_t k = -2; k <= 2; ++k) {
        straightDown(x + k, m_profile.height - 14 + int(std::abs(k)), 1);
        m_canvas.flag(x + k, BandMarkerOther);
    }
}

void EchoPainter::split(int64_t from, int64_t to, double depth)
{
    for (int64_t p = from; p < to; ++p) {
        straightDown(p, int(std::lround(depth)), 2);
        m_canvas.flag(p, BackEchoLost | BandMarkerOther);
    }
}

void EchoPainter::headChecks(int64_t from, int64_t to, common::SynthRandom &random)
{
    for (int64_t x = from; x < to; x += random.between(3, 7)) {
        const Strength strength = random.oneIn(3) ? Strength::Weak : Strength::Faint;
        point(x, double(random.between(2, 6)), strength, familyBit(ProbeFamily::Head70));
    }
}

}  // namespace brantview::synth
