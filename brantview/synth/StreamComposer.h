#pragma once
// Lays the rail and walks the instrument along it, column by column: the packets and
// marks due at each position, the echoes painted there, light noise and the 0° back
// echo whose last record carries the step.

#include "EchoCanvas.h"
#include "EchoPainter.h"
#include "EventPlan.h"
#include "FlawPlan.h"
#include "InstrumentSettings.h"
#include "RailLayout.h"
#include "ReviewTrailer.h"
#include "StreamSynth.h"
#include "Travel.h"
#include "recording/StreamWriter.h"

#include <QByteArray>

#include <vector>

namespace brantview::synth {

class StreamComposer {
public:
    explicit StreamComposer(const StreamSynthOptions &options);
    // The painter and the rail hold on to members.
    StreamComposer(const StreamComposer &) = delete;
    StreamComposer &operator=(const StreamComposer &) = delete;

    QByteArray compose();

private:
    // What a column carries besides its echoes, gathered from the events due there.
    struct ColumnExtras {
        bool calibration = false;
        int calibrationCm = 0;
        int switchMark = 0;
        int switchNumber = 0;
        int trackNumber = 0;
        int errorRecords = 0;
    };

    bool finished() const;
    void emitUpTo(int64_t limit);
    // Selected points: moves on to the next piece when the current one is done;
    // false when the caller should stop at `limit`.
    bool enterPiece(int64_t limit);
    void applyRailEvents(int64_t upTo, bool recorded);
    void handle(PlannedEvent event, ColumnExtras &extras);
    void writeColumn(int step, uint64_t bits, const EchoSlot &slot);
    void writeParamBlock();
    void writeMileage();
    void writeNoise(uint64_t bits);
    void writeErrorRecord();
    void writeClosing(int step, uint64_t bits, const EchoSlot &slot, bool calibration);
    void useConfig(const ProbeLayout &config);
    int64_t steps(double metres) const { return int64_t(metres * 1000.0 / m_stepMm); }
    void setStepLength(double millimetres);

    StreamSynthOptions m_options;
    bool m_selectedPoints;
    double m_stepMm;
    int64_t m_lengthSteps;
    StreamWriter m_out;
    EchoCanvas m_canvas;
    EchoPainter m_painter;
    FlawPlan m_flaws;
    RailLayout m_rail;
    common::SynthRandom m_settingsRandom;
    InstrumentSettings m_settings;
    Travel m_travel;
    EventPlan m_plan;
    common::SynthRandom m_columnRandom;
    common::SynthRandom m_eventRandom;
    std::vector<Probe> m_echoProbes;  // noise comes from these
    std::vector<RailEvent> m_railEvents;
    size_t m_nextRailEvent = 0;
    std::vector<PostRecord> m_posts;
    std::array<uint8_t, 9> m_params{};  // review-mark bytes of the ParamBlock in effect

    int64_t m_position = 0;  // as the loader counts it
    double m_recordedMetres = 0;
    int64_t m_nextMileage = 0;
    int64_t m_nextGps = 500;
    int64_t m_nextPower = 90;
    int m_backDepth = 176;
    int m_backWander = 0;
    // Due in the next column.
    bool m_headerDue = true;
    bool m_paramDue = false;
    bool m_gainDue = false;
    bool m_setupDue = false;
    std::vector<int> m_marks;
    bool m_inCurve = false;
    int m_calibrationCm = 0;
    int m_calibrations = 0;
    // Selected points: the piece of rail being recorded.
    int64_t m_piece = -1;
    int64_t m_pieceFrom = 0;
    int64_t m_pieceTo = 0;
};

}  // namespace brantview::synth
