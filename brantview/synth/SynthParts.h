#pragma once
// The independent random sequences of a sample recording, one per part, so that
// what one part draws never shifts the numbers of another.

#include <cstdint>

namespace brantview::synth::SynthPart {

inline constexpr uint64_t Settings = 1;
inline constexpr uint64_t Travel = 2;
inline constexpr uint64_t Columns = 3;
inline constexpr uint64_t Events = 4;
inline constexpr uint64_t Trailer = 5;
inline constexpr uint64_t Rail = 6;
inline constexpr uint64_t AScan = 7;
inline constexpr uint64_t EventDetails = 8;
// One sequence each, counted from these.
inline constexpr uint64_t Flaw = uint64_t(1) << 40;
inline constexpr uint64_t Piece = uint64_t(2) << 40;
inline constexpr uint64_t Calibration = uint64_t(3) << 40;
inline constexpr uint64_t Frame = uint64_t(4) << 40;

}  // namespace brantview::synth::SynthPart
