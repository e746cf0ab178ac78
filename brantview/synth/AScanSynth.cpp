#include "AScanSynth.h"

#include "RailProfile.h"
#include "SynthParts.h"
#include "common/SynthRandom.h"
#include "recording/BrantFormat.h"

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

using common::SynthRandom;

// Bit 7 of byte 0 marks an A-scan record: with channels below 8 in the first frame its
// high nibble is 8.
constexpr uint8_t aScanFlag = 0x80;
constexpr int zeroChannel = 5;  // 1-based "5"

int between(SynthRandom &random, int lo, int hi)
{
    return int(random.between(lo, hi));
}

// What every frame of one file shares: where and with what it was taken.
struct Occasion {
    int year, month, day;
    int seconds;
    int probe;
    int kilometrePost;
    int railNumber;
    int lineKind;
    int trackOrLine;  // 10 bits
    int railType;
    int railSide;
};

Occasion occasion(SynthRandom &random)
{
    Occasion o;
    o.year = between(random, 6, 18);
    o.month = between(random, 1, 12);
    o.day = between(random, 1, 28);
    o.seconds = between(random, 8 * 3600, 15 * 3600);
    // Channel "1" forward, "2" backward, 37° on "3"/"4", "6" forward 70°.
    o.probe = 0x02;
    o.kilometrePost = between(random, 1, 2500);
    o.railNumber = between(random, 1, 60);
    o.lineKind = between(random, 0, 5);
    o.trackOrLine = between(random, 1, 1023);
    o.railType = between(random, 0, 3);
    o.railSide = between(random, 0, 1);
    return o;
}

// A rectified echo: a bell of `width` samples around `centre`.
void addEcho(uint8_t *samples, double centre, double amplitude, double width)
{
    const int from = std::max(0, int(centre - 3 * width));
    const int to = std::min(239, int(centre + 3 * width));
    for (int s = from; s <= to; ++s) {
        const double x = (s - centre) / width;
        const int value = int(std::lround(amplitude * std::exp(-x * x)));
        samples[s] = uint8_t(std::max<int>(samples[s], std::min(value, 255)));
    }
}

void waveform(AScanFrame &frame, bool first, SynthRandom &random, const Occasion &o)
{
    uint8_t *samples = frame.samples;
    for (int s = 0; s < 240; ++s)
        samples[s] = uint8_t(between(random, 2, 12));
    // The initial pulse dies away over the first dozen samples.
    for (int s = 0; s < 14; ++s)
        samples[s] = uint8_t(std::max<int>(samples[s], int(255.0 * std::exp(-s / 4.0))));

    const synth::RailProfile profile = synth::railProfile(o.railType);
    const int range = o.railType <= 1 ? 200 : 250;
    if (frame.channel() == zeroChannel) {
        // The back echo, and sometimes a bolt hole above it.
        addEcho(samples, profile.height * 240.0 / 250.0, between(random, 120, 230), 4.0);
        if (random.oneIn(2))
            addEcho(samples, (profile.holeDepth - profile.holeRadius) * 240.0 / 250.0, between(random, 60, 200), 3.0);
        return;
    }
    const int peaks = random.oneIn(3) ? 2 : 1;
    for (int i = 0; i < peaks; ++i) {
        const double path = between(random, 20, range - 20);
        // The first frame shows a strong echo that reaches above the amplitude box.
        const int amplitude = first && i == 0 ? between(random, 170, 250) : between(random, 60, 250);
        addEcho(samples, path * 240.0 / range, amplitude, double(between(random, 3, 6)));
    }
}

AScanFrame frameAt(int index, const Occasion &o, SynthRandom &random)
{
    AScanFrame f;
    const bool first = index == 0;
    const int channel = first ? between(random, 1, 7) : between(random, 1, 9);
    f.sideAndChannel = uint8_t(aScanFlag | channel << 1 | o.railSide);
    const int seconds = (o.seconds + index * 97 + between(random, 0, 60)) % 86400;
    f.second = uint8_t(seconds % 60);
    f.minute = uint8_t(seconds / 60 % 60);
    f.hour = uint8_t(seconds / 3600);
    f.day = uint8_t(o.day);
    f.month = uint8_t(o.month);
    f.year = uint8_t(o.year);
    f.probe = uint8_t(o.probe);
    f.distance = uint8_t(between(random, 0, 250));
    f.attenuation = uint8_t(between(random, 30, 56));
    f.referenceEnd = uint8_t(between(random, 0, 1) | between(random, 0, 127) << 1);
    f.kmPost[0] = uint8_t(o.kilometrePost >> 8);
    f.kmPost[1] = uint8_t(o.kilometrePost);
    f.railNumber = uint8_t(o.railNumber);
    f.lineKindAndTrackLow = uint8_t(o.lineKind | (o.trackOrLine & 31) << 3);
    f.railTypeAndTrackHigh = uint8_t(o.railType | (o.trackOrLine >> 5) << 3);
    waveform(f, first, random, o);
    return f;
}

}  // namespace

QByteArray synthesizeAScan(const AScanSynthOptions &options)
{
    SynthRandom random = SynthRandom::stream(options.seed, synth::SynthPart::AScan);
    const Occasion o = occasion(random);
    QByteArray bytes;
    bytes.reserve(qsizetype(std::max(options.frames, 0)) * AScanFrameLength);
    for (int i = 0; i < options.frames; ++i) {
        SynthRandom frameRandom = SynthRandom::stream(options.seed, synth::SynthPart::Frame + uint64_t(i));
        const AScanFrame frame = frameAt(i, o, frameRandom);
        bytes.append(reinterpret_cast<const char *>(&frame), AScanFrameLength);
    }
    return bytes;
}

}  // namespace brantview
