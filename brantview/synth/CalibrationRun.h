#pragma once
// The records a pull calibration leaves after its calibration point: the stretch the
// cart was pulled over, recorded as a B-scan of its own with the echo codes moved up
// by 80, which take no room in the main view.

#include "RailProfile.h"
#include "SynthProbes.h"
#include "common/SynthRandom.h"
#include "recording/StreamWriter.h"

#include <span>

namespace brantview::synth {

// Appends the run: `steps` positions of a test rail with two bolt holes and a head
// crack, each position closed by its back echo with step 1. The record that follows
// the run must have a code below 24.
void writeCalibrationRun(StreamWriter &out, std::span<const Probe> probes, const RailProfile &profile,
                         double stepLengthMm, int64_t steps, common::SynthRandom &random);

}  // namespace brantview::synth
