#pragma once
// The review marks a reviewer left in a recording: browse sessions with their marks,
// each mark on a mileage post of the recording.

#include "common/SynthRandom.h"
#include "recording/BrantFormat.h"

#include <QDate>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace brantview::synth {

// A mileage post as the loader will list it, with the parameters in effect there.
struct PostRecord {
    int32_t position = 0;
    uint32_t mileage = 0;             // 0.1 m
    std::array<uint8_t, 9> params{};  // ParamBlock bytes 42, 43, 14, 15, 16, 44, 13, 20, 21
};

// One or two sessions, each "浏览开始", marks of kinds 1..8, "浏览结束"; every kind
// 1..8 at least once, "鱼鳞纹始点" before "鱼鳞纹终点". Made some days after `recorded`.
std::vector<ReviewMark> reviewMarks(std::span<const PostRecord> posts, const QDate &recorded,
                                    common::SynthRandom &random);

}  // namespace brantview::synth
