#pragma once
// When the operator and the instrument do something besides recording echoes: pull
// calibrations, curves, switches, track numbers, mileage checks, errors of the clock
// and the memory, gain changes, damaged records. Each kind first comes at a share of
// the recording's length, so that even a short recording holds all of them, then
// again at its own spacing; follow-ups are planned by the recording as they arise.

#include "common/SynthRandom.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace brantview::synth {

enum class PlannedEvent : uint8_t {
    Calibration,
    CurveStart,
    SwitchMark,
    TrackNumber,
    MileageCheck,
    ClockError,
    MemoryError,
    NoEffectMark,
    ErrorRecord,
    GainChange,
    // Follow-ups.
    CalibrationPacket,
    ExitCalibration,
    CurveEnd,
    SwitchNumber,
};

class EventPlan {
public:
    EventPlan(uint64_t seed, int64_t lengthSteps, double stepLengthMm);

    int64_t nextDue() const { return m_nextDue; }
    // Calls `handle` with every event due at `position` and plans its next time.
    template <typename Handle>
    void takeDue(int64_t position, Handle &&handle)
    {
        for (Timer &timer : m_timers) {
            if (timer.next > position)
                continue;
            handle(timer.event);
            timer.next += timer.period + m_random.between(-timer.period / 10, timer.period / 10);
        }
        for (size_t i = 0; i < m_followUps.size();) {
            if (m_followUps[i].next <= position) {
                const PlannedEvent event = m_followUps[i].event;
                m_followUps.erase(m_followUps.begin() + std::ptrdiff_t(i));
                handle(event);
            } else {
                ++i;
            }
        }
        updateNextDue();
    }
    void planFollowUp(int64_t position, PlannedEvent event);

private:
    struct Timer {
        int64_t next = 0;
        int64_t period = 0;
        PlannedEvent event = PlannedEvent::Calibration;
    };
    void updateNextDue();

    common::SynthRandom m_random;
    std::array<Timer, 10> m_timers;
    std::vector<Timer> m_followUps;
    int64_t m_nextDue = 0;
};

}  // namespace brantview::synth
