#pragma once
// The filtered-hit test of stepping: whether a view holds an echo run long enough in
// a family the filter shows, or an instrument mark or event record.

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <array>
#include <cstdint>

namespace brantview {

class StepFilter {
public:
    // From the filter settings (`Show70`, `Show37`, `Show0`, the minimum runs,
    // `IgnoreZeroLoss`) and the band layout: with `SecondGroupShown` the second-group
    // 70° codes feed the first two series.
    StepFilter(const BrantSettings &settings, bool secondGroupShown);

    // The records of the columns from the one in effect at viewStart − 100 to
    // viewStart + R + 100, in order, with a run counter per series.
    bool ViewHasHits(const RecordingSlot &slot, int64_t viewStart, int R) const;

private:
    static constexpr uint8_t Unfed = 255;
    static constexpr uint8_t Event = 254;

    // Series 0..8 a record code feeds, Event, or Unfed. Series of a family the
    // filter does not show are left unfed: their flags could not make a hit.
    std::array<uint8_t, 128> m_series{};
    std::array<int, 9> m_threshold{};
    bool m_ignoreZeroLoss = false;
};

inline bool ViewHasHits(const RecordingSlot &slot, int64_t viewStart, int R, const BrantSettings &settings,
                        bool secondGroupShown)
{
    return StepFilter(settings, secondGroupShown).ViewHasHits(slot, viewStart, R);
}

} // namespace brantview
