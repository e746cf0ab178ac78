#pragma once
// Sample A-scan record files: frames of single waveforms taken on various channels,
// with the initial pulse, a noise floor and one or two echoes. The same options give
// the same bytes.

#include <QByteArray>

#include <cstdint>

namespace brantview {

struct AScanSynthOptions {
    int frames = 20;
    uint64_t seed = 1;
};

QByteArray synthesizeAScan(const AScanSynthOptions &options);

}  // namespace brantview
