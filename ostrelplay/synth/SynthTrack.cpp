#include "SynthTrack.h"

#include "common/SynthRandom.h"

#include <algorithm>

namespace {

constexpr int64_t kRailLength = 25000;  // mm
// Probes sit up to half a metre from the 0° probe and look up to a quarter metre
// ahead or back: features this far outside a run can still show in it.
constexpr int64_t kReach = 1500;
constexpr int kBoltHoleRadius = 15;
constexpr int kBoltHoleSpacing = 140;
constexpr int kFirstBoltHole = 65;  // from the rail end
// Drawn depth change per row of a point reflector: 2 mm of travel x sin x cos of the
// beam angle (tangent 3.077 and 0.753), as the sound path shortens or grows.
constexpr double k70Slope = 0.59;
constexpr double k37Slope = 0.96;

enum StreamPart : uint64_t { TrackLayout = 1, Flaws = 0x1000, Coupling = 0x2000, Joint = 0x100000 };

void addBoltedJoint(const EchoPlacer &placer, common::SynthRandom &random, int64_t end, std::vector<EchoTrace> &traces)
{
    const int railType = placer.railTypeAtRail(end);
    const int height = placer.railHeight(railType);
    const int gap = int(random.between(6, 10));
    const int64_t before = end - gap / 2, after = end + gap / 2;
    placer.addLostBackEcho(traces, before - 2, after + 2);
    // The 37° probes see the foot corner of the rail end they run towards or away from;
    // the trace reaches the corner's depth where the beam meets it.
    placer.addReflector(traces, 3, before - 8, height - 16, 6, k37Slope, 5);
    placer.addReflector(traces, 4, after + 8, height - 16, 6, k37Slope, 5);
    // The 70° probes see the end face in the head.
    for (int pair = 0; pair < 3; ++pair) {
        if (pair != 1 && random.oneIn(2))
            continue;
        const int depth = int(random.between(24, 40));
        placer.addReflector(traces, pair, before - 4, depth, 9, k70Slope, 4);
        placer.addReflector(traces, 6 + pair, after + 4, depth, 9, k70Slope, 4);
    }
    const int holes = int(random.between(2, 3));
    const int holeDepth = placer.boltHoleDepth(railType);
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < holes; ++i) {
            const int64_t hole = end + side * (kFirstBoltHole + kBoltHoleSpacing * i);
            placer.addLostBackEcho(traces, hole - kBoltHoleRadius, hole + kBoltHoleRadius);
            placer.addReflector(traces, 5, hole, holeDepth - kBoltHoleRadius, kBoltHoleRadius / 2, 0.0, 4);
            placer.addReflector(traces, 3, hole, holeDepth, 10, k37Slope, 5);
            placer.addReflector(traces, 4, hole, holeDepth, 10, k37Slope, 5);
        }
    }
}

void addWeld(const EchoPlacer &placer, common::SynthRandom &random, int64_t weld, TrackFeatures &features)
{
    const int height = placer.railHeight(placer.railTypeAtRail(weld));
    placer.addReflector(features.traces, 3, weld, height - 6, 4, k37Slope / 2, 3);
    placer.addReflector(features.traces, 4, weld, height - 6, 4, k37Slope / 2, 3);
    if (random.oneIn(2))
        placer.addReflector(features.traces, 1, weld, double(random.between(10, 20)), 3, k70Slope, 3);
    features.weldRows.push_back(placer.rowOverRail(weld));
}

void addJoints(const EchoPlacer &placer, uint64_t seed, int64_t fromMm, int64_t toMm, TrackFeatures &features)
{
    common::SynthRandom layout = common::SynthRandom::stream(seed, TrackLayout);
    const int64_t firstJoint = layout.between(3000, 20000);
    int64_t k = std::max<int64_t>(0, (fromMm - kReach - firstJoint) / kRailLength);
    for (;; ++k) {
        const int64_t at = firstJoint + k * kRailLength;
        if (at > toMm + kReach)
            break;
        if (at < fromMm - kReach)
            continue;
        common::SynthRandom joint = common::SynthRandom::stream(seed, Joint + uint64_t(k));
        if (joint.oneIn(3))
            addWeld(placer, joint, at, features);
        else
            addBoltedJoint(placer, joint, at, features.traces);
    }
}

// Clusters of small reflectors in the head, each seen by a forward 70° probe and
// mostly by the back probe of the same beam (inner, straight or outer).
void addFlaws(const EchoPlacer &placer, common::SynthRandom &random, int64_t fromMm, int64_t toMm, TrackFeatures &features)
{
    const int64_t length = toMm - fromMm;
    const int64_t clusters = 2 + random.below(3) + length / 500000;
    for (int64_t n = 0; n < clusters; ++n) {
        const int64_t at = length > 4000 ? fromMm + random.between(2000, length - 2000) : fromMm + random.below(length + 1);
        const int limit = placer.headDepthLimit(placer.railTypeAtRail(at));
        const int beam = int(random.below(3));
        const int reflectors = int(random.between(1, 3));
        for (int i = 0; i < reflectors; ++i) {
            const int64_t where = at + random.between(-30, 30);
            const double depth = double(random.between(12, limit - 14));
            const int halfRows = int(random.between(5, 10));
            const int echoLength = int(random.between(3, 6));
            placer.addReflector(features.traces, beam, where, depth, halfRows, k70Slope, echoLength);
            if (!random.oneIn(4))
                placer.addReflector(features.traces, 6 + beam, where, depth, halfRows, k70Slope, echoLength);
        }
        features.flawRows.push_back(placer.rowOverRail(at));
    }
}

void addCouplingLosses(common::SynthRandom &random, int64_t rows, std::vector<EchoTrace> &traces)
{
    const int64_t losses = 1 + rows / 150000;
    for (int64_t n = 0; n < losses; ++n) {
        EchoTrace trace;
        trace.first = random.below(rows);
        trace.last = trace.first + random.between(2, 9);
        trace.channel = kLostBackEcho;
        traces.push_back(trace);
    }
}

// Keeps the part of every trace that lies in the run, in the order the rows meet them.
void clipToRun(std::vector<EchoTrace> &traces, int64_t rows)
{
    std::erase_if(traces, [rows](const EchoTrace &t) { return t.last < 0 || t.first >= rows || t.last < t.first; });
    for (EchoTrace &t : traces) {
        if (t.first < 0) {
            t.data += int32_t(t.slope * -t.first);
            t.first = 0;
        }
        t.last = std::min(t.last, rows - 1);
    }
    std::stable_sort(traces.begin(), traces.end(),
                     [](const EchoTrace &a, const EchoTrace &b) { return a.first < b.first; });
}

} // namespace

TrackFeatures synthTrackFeatures(const EchoPlacer &placer, uint64_t seed, int run, int64_t firstRow, int64_t rows)
{
    TrackFeatures features;
    const int64_t fromMm = 2 * firstRow, toMm = 2 * (firstRow + rows);
    addJoints(placer, seed, fromMm, toMm, features);
    common::SynthRandom flaws = common::SynthRandom::stream(seed, Flaws + uint64_t(run));
    addFlaws(placer, flaws, fromMm, toMm, features);
    common::SynthRandom coupling = common::SynthRandom::stream(seed, Coupling + uint64_t(run));
    addCouplingLosses(coupling, rows, features.traces);
    clipToRun(features.traces, rows);
    std::erase_if(features.weldRows, [rows](int64_t r) { return r < 0 || r >= rows; });
    for (int64_t &r : features.flawRows)
        r = std::clamp<int64_t>(r, 0, rows - 1);
    return features;
}
