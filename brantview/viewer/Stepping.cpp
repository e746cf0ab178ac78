#include "Stepping.h"

#include "recording/ParamsInEffect.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace brantview {

namespace {

// The end limit of a recording may lie beyond the last position a ViewStart holds.
int32_t storedPosition(int64_t position)
{
    return int32_t(
        std::clamp<int64_t>(position, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void placeView(RecordingSlot &slot, int64_t viewStart)
{
    slot.ViewStart = storedPosition(viewStart);
    slot.CurrentColumn = CurrentColumnOf(slot);
}

// One slot's step, one view at a time; the slot itself moves only when asked.
class SlotStepper {
public:
    SlotStepper(const RecordingSlot &slot, StepDirection direction, int32_t a, int R, const StepFilter &filter)
        : m_slot(slot), m_direction(direction), m_a(std::max(a, 1)), m_R(R), m_filter(filter), m_start(slot.ViewStart),
          m_position(slot.ViewStart),
          m_limit(direction == StepDirection::Forward ? LastViewPosition(slot) : int64_t(ScrollScale(slot)))
    {
    }

    // Moves to the next view and tests it; false once the step has stopped.
    bool next()
    {
        if (m_direction == StepDirection::Forward) {
            // Once the end is in the view the next move goes to it.
            m_position = m_R + m_position - 100 < m_limit ? std::min(m_position + m_a, m_limit) : m_limit;
            if (m_position == m_limit)
                return halt(StepStop::End);
        } else if (m_position - m_a > m_limit) {
            m_position -= m_a;
        } else {
            m_position = m_limit;
            return halt(StepStop::End);
        }
        if (m_filter.ViewHasHits(m_slot, m_position, m_R))
            return halt(StepStop::Hit);
        return true;
    }

    void cancel() { m_stop = StepStop::Cancelled; }
    bool running() const { return !m_stop; }
    StepStop stop() const { return m_stop.value_or(StepStop::Cancelled); }
    int64_t advance() const { return m_position - m_start; }
    int64_t start() const { return m_start; }
    double fractionDone() const
    {
        const double way = double(m_limit - m_start);
        return way == 0 ? 1.0 : std::clamp(double(m_position - m_start) / way, 0.0, 1.0);
    }

private:
    bool halt(StepStop stop)
    {
        m_stop = stop;
        return false;
    }

    const RecordingSlot &m_slot;
    StepDirection m_direction;
    int64_t m_a;
    int m_R;
    const StepFilter &m_filter;
    int64_t m_start;
    int64_t m_position;
    int64_t m_limit;
    std::optional<StepStop> m_stop;
};

bool keepGoing(const StepProgress &progress, int tested, double fractionDone)
{
    return !progress || tested % StepProgressInterval != 0 || progress(fractionDone);
}

StepOutcome stepAlone(RecordingSlot &slot, StepDirection direction, int32_t a, int R, const StepFilter &filter,
                      const StepProgress &progress)
{
    SlotStepper stepper(slot, direction, a, R, filter);
    for (int tested = 1; stepper.next(); ++tested)
        if (!keepGoing(progress, tested, stepper.fractionDone())) {
            stepper.cancel();
            break;
        }
    placeView(slot, slot.ViewStart + stepper.advance());
    return {stepper.stop(), stepper.advance()};
}

// Both step in turn, one view each, until the smaller advance is known: a stopped
// slot's advance is final, and a running one can only go further than it is now.
StepOutcome stepBoth(RecordingSlot &first, RecordingSlot &second, StepDirection direction, int32_t a, int R,
                     const StepFilter &filter, const StepProgress &progress)
{
    SlotStepper pair[2] = {{first, direction, a, R, filter}, {second, direction, a, R, filter}};
    const auto finish = [&](StepOutcome outcome) {
        placeView(first, pair[0].start() + outcome.advance);
        placeView(second, pair[1].start() + outcome.advance);
        return outcome;
    };
    for (int tested = 1;; ++tested) {
        std::optional<StepOutcome> nearest;  // of the stopped slots, a hit first among equals
        int64_t running = -1;                // how far the running slots are, when there are any
        for (SlotStepper &stepper : pair) {
            if (stepper.running())
                stepper.next();
            if (stepper.running()) {
                running = std::abs(stepper.advance());
                continue;
            }
            const int64_t reach = std::abs(stepper.advance());
            if (!nearest || reach < std::abs(nearest->advance)
                || (reach == std::abs(nearest->advance) && stepper.stop() == StepStop::Hit))
                nearest = StepOutcome{stepper.stop(), stepper.advance()};
        }
        if (nearest && (running < 0 || std::abs(nearest->advance) <= running))
            return finish(*nearest);
        const double done = std::max(pair[0].running() ? pair[0].fractionDone() : 0.0,
                                     pair[1].running() ? pair[1].fractionDone() : 0.0);
        if (!keepGoing(progress, tested, done)) {
            const SlotStepper &behind = std::abs(pair[0].advance()) <= std::abs(pair[1].advance()) ? pair[0] : pair[1];
            return finish({StepStop::Cancelled, behind.advance()});
        }
    }
}

} // namespace

StepOutcome StepView(RecordingSlot &slot, int32_t a, int R, const StepFilter &filter, const StepProgress &progress)
{
    return stepAlone(slot, StepDirection::Forward, a, R, filter, progress);
}

StepOutcome StepViewBack(RecordingSlot &slot, int32_t a, int R, const StepFilter &filter, const StepProgress &progress)
{
    return stepAlone(slot, StepDirection::Back, a, R, filter, progress);
}

StepOutcome StepViewsTogether(RecordingSlot &first, RecordingSlot &second, bool SyncMode, StepDirection direction,
                              int32_t a, int R, const StepFilter &filter, const StepProgress &progress)
{
    if (SyncMode)
        return stepBoth(first, second, direction, a, R, filter, progress);
    const StepOutcome led = stepAlone(first, direction, a, R, filter, progress);
    const int64_t target = int64_t(second.ViewStart) + led.advance;
    const bool follows =
        direction == StepDirection::Forward ? target < LastViewPosition(second) : target >= ScrollScale(second);
    if (follows)
        placeView(second, target);
    return led;
}

StepOutcome StepViews(RecordingSlots &panes, const ViewState &state, const BrantSettings &settings,
                      StepDirection direction, int32_t a, const StepProgress &progress)
{
    const StepFilter filter(settings, state.SecondGroupShown);
    RecordingSlot &first = panes.Slots[0];
    RecordingSlot &second = panes.Slots[1];
    if (state.SyncOn && panes.SecondLoaded && first.isStream() && second.isStream())
        return StepViewsTogether(first, second, settings.SyncMode, direction, a, state.R, filter, progress);
    RecordingSlot &slot = panes.current();
    if (!slot.isStream())
        return {};
    return stepAlone(slot, direction, a, state.R, filter, progress);
}

} // namespace brantview
