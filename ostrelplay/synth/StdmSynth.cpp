#include "StdmSynth.h"

#include "SynthParameters.h"
#include "common/SynthRandom.h"

#include "recording/StdFormat.h"
#include "recording/StdmFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace {

constexpr int BaseLine = 399;
constexpr SynthClock kFirstRecordClock = 26 * 365 * 86400 + 9 * 3600;  // a morning in 2026

int rowOfPercent(double percent)
{
    return std::clamp(int(BaseLine - percent / 100.0 * BaseLine), 0, BaseLine);
}

int columnOf(double units)
{
    return std::clamp(int(units / 400.0 * StdmTraceColumns), 0, StdmTraceColumns - 1);
}

// Where the flaw lies and how strongly it answers.
struct Flaw {
    int column;          // echo column when the probe is right over the flaw
    double peakPercent;  // echo height then
    double peakFrame;    // frame at which the probe passes over it
    double spread;       // frames over which the echo rises and falls
};

Flaw placeFlaw(const TSYSTEMPARA &para, int ch, common::SynthRandom &random)
{
    const int r = StdFormat::railRow(para.m_RailType);
    const double start = para.m_Gate1Start[r][ch];
    const double width = para.m_Gate1Width[r][ch];
    return {columnOf(start + width * double(random.between(25, 65)) / 100.0),
            double(random.between(55, 95)),
            double(random.between(18, 32)),
            double(random.between(6, 11))};
}

void fillFrame(TSTDMFRAME &frame, const TSYSTEMPARA &para, int ch, const Flaw &flaw, int f, common::SynthRandom &random)
{
    const double distance = (f - flaw.peakFrame) / flaw.spread;
    const double height = flaw.peakPercent * std::exp(-distance * distance);
    // The sound path to the flaw grows as the probe moves away from it.
    const int echoColumn = std::min(flaw.column + int(std::abs(f - flaw.peakFrame) * 0.4), StdmTraceColumns - 8);

    for (int col = 0; col < StdmTraceColumns; ++col) {
        double percent = double(random.below(3));  // grass
        if (col < 14)
            percent = std::max(percent, 90.0 - 6.0 * col);  // initial pulse
        const double d = (col - echoColumn) / 2.5;
        percent = std::max(percent, height * std::exp(-d * d));
        frame.m_Trace[col] = rowOfPercent(percent);
    }
    if (ch == 5) {
        // The 0° probe also sees the rail foot, unchanged by the flaw.
        const int bottom = columnOf(370.0);
        for (int col = bottom - 5; col <= bottom + 5; ++col)
            frame.m_Trace[col] = std::min(frame.m_Trace[col], rowOfPercent(80.0 - 3.0 * std::abs(col - bottom)));
    }

    const double soundPath = double(echoColumn) / StdmTraceColumns * para.m_Range[ch];
    const double angle = para.m_ProbeAngle[ch] * std::numbers::pi / 180.0;
    frame.m_SoundPath = float(soundPath);
    frame.m_Horizontal = float(soundPath * std::sin(angle));
    frame.m_Depth = float(soundPath * std::cos(angle));
    frame.m_Amplitude = float(height);
}

TRECORDDATAINDEX recordIndex(int record, const TSYSTEMPARA &para, SynthClock clock)
{
    TRECORDDATAINDEX index{};
    const QByteArray name = QStringLiteral("M%1").arg(record + 1, 4, 10, QLatin1Char('0')).toLatin1();
    const QByteArray place = QStringLiteral("K%1+%2").arg(para.m_StartPointKm).arg(para.m_StartPointM, 3, 10, QLatin1Char('0')).toLatin1();
    std::memcpy(index.m_FileIndex, name.constData(), size_t(std::min<qsizetype>(name.size(), sizeof index.m_FileIndex)));
    std::memcpy(index.m_Posion, place.constData(), size_t(std::min<qsizetype>(place.size(), sizeof index.m_Posion)));
    index.t_Time = clock;
    return index;
}

} // namespace

QByteArray synthesizeStdm(const StdmSynthOptions &options)
{
    common::SynthRandom profileRandom = common::SynthRandom::stream(options.seed, 0);
    const SynthProfile profile = makeSynthProfile(options.version, profileRandom);

    QByteArray bytes;
    SynthClock clock = kFirstRecordClock;
    auto movie = std::make_unique<TMOVIEDATA>();
    for (int record = 0; record < options.records; ++record) {
        common::SynthRandom random = common::SynthRandom::stream(options.seed, uint64_t(record) + 1);
        clock += random.between(60, 900);
        SynthRunStart start;
        start.index = record;
        start.railType = int(random.between(0, 3));
        start.mileageMetres = 100000 + random.below(400000);
        start.clock = clock;
        start.operatorIndex = int(random.below(3));
        TSYSTEMPARA para = synthRunParameters(profile, start);
        const int ch = int(random.below(StdFormat::ChannelCount));
        para.m_AutoAmpl = int8_t(ch);
        para.m_Rejection = int8_t(random.below(2));
        // The 0° channel's third gate watches the rail foot.
        for (int r = 0; r < StdFormat::RailTypeRows; ++r) {
            para.m_Gate3Start[r][5] = 340;
            para.m_Gate3Width[r][5] = 40;
        }

        const Flaw flaw = placeFlaw(para, ch, random);
        *movie = TMOVIEDATA{};
        for (int f = 0; f < StdmFrameCount; ++f)
            fillFrame(movie->m_Frames[f], para, ch, flaw, f, random);
        bytes += stdmRecordImage(recordIndex(record, para, clock), para, *movie);
    }
    return bytes;
}
