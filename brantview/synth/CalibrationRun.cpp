#include "CalibrationRun.h"

#include "EchoCanvas.h"
#include "EchoPainter.h"

#include <algorithm>

namespace brantview::synth {

namespace {

constexpr int runCodeOffset = 80;
constexpr int zeroCode = 11;

}  // namespace

void writeCalibrationRun(StreamWriter &out, std::span<const Probe> probes, const RailProfile &profile,
                         double stepLengthMm, int64_t steps, common::SynthRandom &random)
{
    constexpr int log2Size = 12;
    EchoCanvas canvas(log2Size);
    steps = std::min<int64_t>(steps, canvas.size());
    EchoPainter painter(canvas);
    painter.setProbes(probes);
    painter.setStepLength(stepLengthMm);
    painter.setProfile(profile);
    const int64_t holes = steps / 3;
    painter.boltHole(holes);
    painter.boltHole(holes + int64_t(140.0 / stepLengthMm));
    painter.point(2 * steps / 3, double(random.between(12, profile.headBottom - 8)), Strength::Strong,
                  familyBit(ProbeFamily::Head70), 0.0, true);

    for (int64_t p = 0; p < steps; ++p) {
        const EchoSlot &slot = canvas.front();
        for (int i = 0; i < slot.count; ++i)
            out.record(runCodeOffset + slot.echoes[size_t(i)].code, 0, slot.echoes[size_t(i)].depth);
        if (slot.flags & BackEchoLost) {
            out.record(runCodeOffset + zeroCode, 1, 0);
        } else {
            const int thickness = int(random.between(2, 3));
            for (int i = 0; i < thickness; ++i)
                out.record(runCodeOffset + zeroCode, i + 1 == thickness ? 1 : 0, profile.height + i);
        }
        canvas.advance();
    }
}

}  // namespace brantview::synth
