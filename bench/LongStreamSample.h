#pragma once
// The long synthesized Brantel stream the load and search benchmarks share, written
// once per run into the benchmarks' temporary folder.

#include "synth/StreamSynth.h"

#include "BenchFiles.h"

#include <cstdint>

namespace bench {

inline const SampleFile &longStreamSample()
{
    static const SampleFile file(QStringLiteral("QC0001.D01"), [] {
        brantview::StreamSynthOptions options;
        options.length = 1;
        options.minimumBytes = int64_t(120) << 20;
        options.seed = 20261210;
        return brantview::synthesizeStream(options);
    }());
    return file;
}

} // namespace bench
