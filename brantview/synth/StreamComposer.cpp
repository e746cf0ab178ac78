#include "StreamComposer.h"

#include "CalibrationRun.h"
#include "SynthParts.h"

#include <QDate>

#include <algorithm>

namespace brantview::synth {

namespace {

constexpr int allChannels = 0x1FF;
constexpr int64_t gpsInterval = 3 * StepsPerMileagePacket;
constexpr int64_t powerInterval = 10 * StepsPerMileagePacket;

// A full-course stream holds about this much per metre of rail.
constexpr double expectedBytesPerMetre = 3000.0;

int64_t nominalSteps(double metres)
{
    return int64_t(metres * 1000.0 / NominalStepMm);
}

// The metres the stream will cover, over which the events are spread.
double plannedLength(const StreamSynthOptions &options)
{
    return std::max(options.length, double(options.minimumBytes) / expectedBytesPerMetre);
}

FlawPlan flawPlan(const StreamSynthOptions &options)
{
    const bool selectedPoints = options.kind == RecordKind::SelectedPoint;
    if (selectedPoints)
        return FlawPlan(options.seed, nominalSteps(40.0), nominalSteps(80.0), true, NominalStepMm);
    // Enough flaws that even a short recording has one of each kind.
    const double length = plannedLength(options);
    const double spacing = std::clamp(length / 8.0, 20.0, 150.0);
    const double first = std::max(length * 0.08, 10.0);
    return FlawPlan(options.seed, nominalSteps(first), nominalSteps(spacing), false, NominalStepMm);
}

int between(common::SynthRandom &random, int lo, int hi)
{
    return int(random.between(lo, hi));
}

}  // namespace

StreamComposer::StreamComposer(const StreamSynthOptions &options)
    : m_options(options), m_selectedPoints(options.kind == RecordKind::SelectedPoint), m_stepMm(NominalStepMm),
      m_lengthSteps(std::max<int64_t>(1, nominalSteps(plannedLength(options)))), m_canvas(17), m_painter(m_canvas),
      m_flaws(flawPlan(options)),
      m_rail(options.seed, m_lengthSteps, NominalStepMm, m_flaws, configSequence(options.firmwareVersion)),
      m_settingsRandom(common::SynthRandom::stream(options.seed, SynthPart::Settings)),
      m_settings(initialSettings(options.firmwareVersion, m_selectedPoints, m_rail.config(), m_rail.railType(),
                                 m_settingsRandom)),
      m_travel(common::SynthRandom::stream(options.seed, SynthPart::Travel),
               uint32_t(m_settingsRandom.between(600000, 9000000)), m_settings.mileageGrows),
      m_plan(options.seed, m_lengthSteps, NominalStepMm),
      m_columnRandom(common::SynthRandom::stream(options.seed, SynthPart::Columns)),
      m_eventRandom(common::SynthRandom::stream(options.seed, SynthPart::EventDetails))
{
}

QByteArray StreamComposer::compose()
{
    useConfig(m_rail.config());
    m_painter.setProbes(probesOf(m_rail.config()));
    m_painter.setProfile(railProfile(m_rail.railType()));
    m_backDepth = railProfile(m_rail.railType()).height;
    setStepLength(m_settings.stepLengthMm());
    // Position 0 is where the instrument starts; the first column lies one step on.
    m_canvas.moveFloorTo(1);
    m_nextMileage = 1;
    m_out.reserve(qsizetype(plannedLength(m_options) * expectedBytesPerMetre * 1.05) + 4096);
    while (!finished())
        emitUpTo(m_rail.paintNextPiece(m_painter, m_railEvents));
    if (!m_options.reviewer.isEmpty()) {
        common::SynthRandom random = common::SynthRandom::stream(m_options.seed, SynthPart::Trailer);
        const QDate recorded(2000 + m_settings.year, m_settings.month, m_settings.day);
        m_out.trailer(m_options.reviewer, reviewMarks(m_posts, recorded, random));
    }
    return m_out.bytes();
}

bool StreamComposer::finished() const
{
    return m_position > 0 && m_recordedMetres >= m_options.length && m_out.bytes().size() >= m_options.minimumBytes;
}

void StreamComposer::emitUpTo(int64_t limit)
{
    while (!finished()) {
        if (m_selectedPoints && !enterPiece(limit))
            return;
        const int64_t first = m_canvas.floor();
        // Room for the longest step.
        if (first + 3 > limit)
            return;
        const uint64_t bits = m_columnRandom.next();
        int step = m_travel.stepFor(uint32_t(bits & 0xFFFF));
        if (m_selectedPoints)
            step = int(std::min<int64_t>(step, m_pieceTo - first));
        // Positions stepped over are not fired at.
        for (int i = 1; i < step; ++i)
            m_canvas.advance();
        applyRailEvents(first + step - 1, true);
        writeColumn(step, bits, m_canvas.front());
        m_canvas.advance();
    }
}

bool StreamComposer::enterPiece(int64_t limit)
{
    for (;;) {
        const int64_t at = m_canvas.floor();
        if (m_piece >= 0 && at >= m_pieceFrom && at < m_pieceTo)
            return true;
        if (m_piece < 0 || at >= m_pieceTo) {
            const Flaw flaw = m_flaws.flaw(++m_piece);
            m_pieceFrom = flaw.position - flaw.before;
            m_pieceTo = flaw.position + flaw.after;
            // A selected point of its own: the place, the parameters, the time it took to get there.
            m_settings.referenceEnd = between(m_settingsRandom, 0, 1);
            m_settings.distanceFromEnd = between(m_settingsRandom, 0, 250);
            m_settings.damage = between(m_settingsRandom, 1, 4);
            m_headerDue = true;
            m_nextMileage = m_position + 1;
            m_travel.advanceClock(between(m_eventRandom, 300, 3600));
            continue;
        }
        // The rail up to the piece passes unrecorded.
        const int64_t to = std::min(m_pieceFrom, limit);
        if (to <= at)
            return false;
        applyRailEvents(to - 1, false);
        m_travel.move(to - at);
        m_canvas.moveFloorTo(to);
        if (to < m_pieceFrom)
            return false;
    }
}

void StreamComposer::applyRailEvents(int64_t upTo, bool recorded)
{
    while (m_nextRailEvent < m_railEvents.size() && m_railEvents[m_nextRailEvent].position <= upTo) {
        const RailEvent &event = m_railEvents[m_nextRailEvent++];
        switch (event.kind) {
        case RailEvent::RailType:
            m_settings.railType = event.value;
            m_backDepth = railProfile(event.value).height;
            m_gainDue = true;
            m_setupDue = true;
            break;
        case RailEvent::Config:
            // The instrument was restarted with other probes.
            useConfig(configSequence(m_options.firmwareVersion)[size_t(event.value)].config);
            m_headerDue = true;
            m_travel.advanceClock(between(m_eventRandom, 60, 300));
            if (recorded)
                m_marks.push_back(MarkKind::Restart);
            break;
        case RailEvent::FlawMark:
            if (recorded)
                m_marks.push_back(event.value);
            break;
        }
    }
    if (m_nextRailEvent == m_railEvents.size()) {
        m_railEvents.clear();
        m_nextRailEvent = 0;
    }
}

void StreamComposer::handle(PlannedEvent event, ColumnExtras &extras)
{
    switch (event) {
    case PlannedEvent::Calibration:
        extras.calibration = true;
        m_calibrationCm = between(m_eventRandom, 100, 300);
        m_marks.push_back(MarkKind::PullCalibration);
        m_plan.planFollowUp(m_position + 1, PlannedEvent::CalibrationPacket);
        m_plan.planFollowUp(m_position + between(m_eventRandom, 40, 120), PlannedEvent::ExitCalibration);
        break;
    case PlannedEvent::CalibrationPacket:
        // The pulled distance, and the wheel value it gave.
        extras.calibrationCm = m_calibrationCm;
        recalibrateWheel(m_settings, m_eventRandom);
        setStepLength(m_settings.stepLengthMm());
        m_paramDue = true;
        break;
    case PlannedEvent::ExitCalibration: m_marks.push_back(MarkKind::ExitCalibration); break;
    case PlannedEvent::CurveStart:
        if (m_inCurve)
            break;
        m_inCurve = true;
        m_marks.push_back(m_eventRandom.oneIn(2) ? MarkKind::CurveUpper : MarkKind::CurveLower);
        m_plan.planFollowUp(
            m_position
                + std::max<int64_t>(10, std::min(m_lengthSteps * 15 / 100, steps(between(m_eventRandom, 300, 700)))),
            PlannedEvent::CurveEnd);
        break;
    case PlannedEvent::CurveEnd:
        m_inCurve = false;
        m_marks.push_back(MarkKind::CurveEnd);
        break;
    case PlannedEvent::SwitchMark:
        extras.switchMark = between(m_eventRandom, 1, 60);
        m_plan.planFollowUp(m_position + between(m_eventRandom, 20, 60), PlannedEvent::SwitchNumber);
        break;
    case PlannedEvent::SwitchNumber: extras.switchNumber = between(m_eventRandom, 1, 9999); break;
    case PlannedEvent::TrackNumber: extras.trackNumber = between(m_eventRandom, 1, 20); break;
    case PlannedEvent::MileageCheck:
        m_marks.push_back(MarkKind::MileageCheck);
        m_travel.correctMileage(between(m_eventRandom, -30, 30));
        break;
    case PlannedEvent::ClockError:
        m_marks.push_back(MarkKind::ClockError);
        m_travel.advanceClock(-between(m_eventRandom, 600, 3600));
        break;
    case PlannedEvent::MemoryError: m_marks.push_back(MarkKind::MemoryError); break;
    case PlannedEvent::NoEffectMark: m_marks.push_back(MarkKind::NoEffect); break;
    case PlannedEvent::ErrorRecord: extras.errorRecords += m_eventRandom.oneIn(3) ? 2 : 1; break;
    case PlannedEvent::GainChange:
        adjustGain(m_settings, m_eventRandom);
        m_gainDue = true;
        break;
    }
}

void StreamComposer::writeColumn(int step, uint64_t bits, const EchoSlot &slot)
{
    m_position += step;
    m_recordedMetres += step * m_stepMm / 1000.0;
    m_travel.move(step);
    ColumnExtras extras;
    if (m_position >= m_plan.nextDue())
        m_plan.takeDue(m_position, [&](PlannedEvent event) { handle(event, extras); });

    // A ParamBlock and a mileage sample never share a column, so that the parameters
    // in effect at a post are those written before it.
    const bool paramHere = m_headerDue || m_paramDue;
    if (paramHere)
        writeParamBlock();
    if (m_headerDue || m_gainDue)
        m_out.packet(Code::Gain, m_settings.gainPacket());
    if (m_headerDue || m_setupDue) {
        m_out.packet(Code::RailSetup, m_settings.railSetup());
        if (m_options.firmwareVersion >= 700)
            m_out.packet(Code::RailSetupExt, m_settings.railSetupExt());
    }
    m_headerDue = m_paramDue = m_gainDue = m_setupDue = false;
    if (!paramHere && m_position >= m_nextMileage)
        writeMileage();
    if (m_position >= m_nextGps) {
        m_out.packet(Code::Gps, m_travel.gps().bytes());
        m_nextGps += gpsInterval;
    }
    if (m_position >= m_nextPower) {
        m_out.packet(Code::Power, m_travel.power().bytes());
        m_nextPower += powerInterval;
    }
    if (extras.switchNumber != 0)
        m_out.packet(Code::SwitchNumber, bigEndian16(extras.switchNumber));
    if (extras.calibrationCm != 0)
        m_out.packet(Code::Calibration, bigEndian16(extras.calibrationCm));

    for (const int kind : m_marks)
        m_out.record(Code::Mark, 0, kind);
    m_marks.clear();
    if (extras.switchMark != 0)
        m_out.record(Code::SwitchMark, 0, extras.switchMark);
    if (extras.trackNumber != 0)
        m_out.record(Code::TrackNumber, 0, extras.trackNumber);
    for (int i = 0; i < extras.errorRecords; ++i)
        writeErrorRecord();

    for (int i = 0; i < slot.count; ++i)
        m_out.record(slot.echoes[size_t(i)].code, 0, slot.echoes[size_t(i)].depth);
    writeNoise(bits);
    writeClosing(step, bits, slot, extras.calibration);
}

void StreamComposer::writeParamBlock()
{
    m_settings.kilometrePost = int(m_travel.mileage() / 10000);
    const ParamBlock block = m_settings.paramBlock();
    m_out.packet(Code::Param, block.b);
    m_params = block.reviewMarkParams();
}

void StreamComposer::writeMileage()
{
    const MileagePacket packet = m_travel.sample(allChannels);
    m_out.packet(Code::Mileage, packet.bytes());
    m_posts.push_back({int32_t(m_position), packet.mileage, m_params});
    m_nextMileage += StepsPerMileagePacket;
    // The back echo wanders by a millimetre as the probe wheel wears and the rail varies.
    if (m_eventRandom.oneIn(6))
        m_backWander = std::clamp(m_backWander + (m_eventRandom.oneIn(2) ? 1 : -1), -1, 1);
}

void StreamComposer::writeNoise(uint64_t bits)
{
    // Bits 16..25: one column in sixteen; 26..33: the probe; 34: the group; 35..42: the depth.
    if (((bits >> 16) & 0x3FF) < 64 && !m_echoProbes.empty()) {
        const Probe &probe = m_echoProbes[((bits >> 26) & 0xFF) % m_echoProbes.size()];
        const int code = ((bits >> 34) & 1) && probe.sensitiveCode != 0 ? probe.sensitiveCode : probe.code;
        m_out.record(code, 0, 5 + int((bits >> 35) & 0xFF) % 200);
    }
    // Bits 43..51: now and then a record the viewer accepts and does not draw.
    if (((bits >> 43) & 0x1FF) == 0)
        m_out.record(15, 0, int((bits >> 55) & 0xFF));
}

void StreamComposer::writeErrorRecord()
{
    const int step = int(m_eventRandom.below(512));
    if (m_eventRandom.oneIn(3))
        m_out.record(Code::Mark, step, 0);
    else
        m_out.record(between(m_eventRandom, 36, 49), step, int(m_eventRandom.below(256)));
}

void StreamComposer::writeClosing(int step, uint64_t bits, const EchoSlot &slot, bool calibration)
{
    const bool lost = slot.flags & BackEchoLost;
    if (slot.flags & BandMarkerHole)
        m_out.record(Code::ZeroBandMarker6, 0, 1);
    if (slot.flags & BandMarkerOther)
        m_out.record(Code::ZeroBandMarker7, 0, 1);
    if (lost)
        m_out.record(Code::TopLineDot, 0, 0);
    if (calibration) {
        // The run ends at the first record below code 24: the back echo that follows.
        m_out.record(Code::CalibrationPoint, 0, 0);
        common::SynthRandom random =
            common::SynthRandom::stream(m_options.seed, SynthPart::Calibration + uint64_t(m_calibrations++));
        writeCalibrationRun(m_out, probesOf(m_settings.config), railProfile(m_settings.railType), m_stepMm,
                            int64_t(m_calibrationCm * 10.0 / m_stepMm), random);
    }
    if (lost) {
        m_out.record(11, step, 0);
        return;
    }
    // Bits 52..54: the back echo is two to four samples thick. A column of two steps
    // closes on the 0° channel's second kind.
    static constexpr int thickness[8] = {2, 2, 2, 3, 3, 3, 3, 4};
    const int n = thickness[(bits >> 52) & 7];
    const int depth = m_backDepth + m_backWander;
    for (int i = 0; i + 1 < n; ++i)
        m_out.record(11, 0, depth + i);
    m_out.record(step == 2 ? 33 : 11, step, depth + n - 1);
}

void StreamComposer::useConfig(const ProbeLayout &config)
{
    m_settings.config = config;
    m_echoProbes.clear();
    for (const Probe &probe : probesOf(config))
        if (probe.family != ProbeFamily::Zero)
            m_echoProbes.push_back(probe);
}

void StreamComposer::setStepLength(double millimetres)
{
    m_stepMm = millimetres;
    m_travel.setStepLength(millimetres);
    m_painter.setStepLength(millimetres);
}

}  // namespace brantview::synth
