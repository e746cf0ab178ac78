#include "EventPlan.h"

#include "SynthParts.h"

#include <algorithm>
#include <limits>

namespace brantview::synth {

EventPlan::EventPlan(uint64_t seed, int64_t lengthSteps, double stepLengthMm)
    : m_random(common::SynthRandom::stream(seed, SynthPart::Events))
{
    const auto steps = [&](double metres) { return int64_t(metres * 1000.0 / stepLengthMm); };
    const auto share = [&](double s) { return std::max<int64_t>(2, int64_t(s * double(lengthSteps))); };
    m_timers = {{
        {std::min(share(0.10), steps(40.0)), steps(2500.0), PlannedEvent::Calibration},
        {share(0.20), steps(1300.0), PlannedEvent::CurveStart},
        {share(0.30), steps(1500.0), PlannedEvent::SwitchMark},
        {share(0.35), steps(2000.0), PlannedEvent::TrackNumber},
        {share(0.45), steps(1000.0), PlannedEvent::MileageCheck},
        {share(0.55), steps(5000.0), PlannedEvent::ClockError},
        {share(0.65), steps(5000.0), PlannedEvent::MemoryError},
        {share(0.70), steps(5000.0), PlannedEvent::NoEffectMark},
        {share(0.15), steps(200.0), PlannedEvent::ErrorRecord},
        {share(0.25), steps(700.0), PlannedEvent::GainChange},
    }};
    updateNextDue();
}

void EventPlan::planFollowUp(int64_t position, PlannedEvent event)
{
    m_followUps.push_back({position, 0, event});
    updateNextDue();
}

void EventPlan::updateNextDue()
{
    m_nextDue = std::numeric_limits<int64_t>::max();
    for (const Timer &timer : m_timers)
        m_nextDue = std::min(m_nextDue, timer.next);
    for (const Timer &followUp : m_followUps)
        m_nextDue = std::min(m_nextDue, followUp.next);
}

}  // namespace brantview::synth
