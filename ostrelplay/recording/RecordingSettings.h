#pragma once
// What the recording reads from the application's settings: the band collapse
// switch, the six help-line depths of each rail type and the help-line pen styles. The settings memory of
// the workspace implements it; without one the recording uses the defaults.

#include <array>
#include <cstdint>

class RecordingSettings {
public:
    virtual ~RecordingSettings() = default;
    virtual bool bandCollapse() const = 0;
    // Depths of help lines 0..5 for rail type 0..4.
    virtual std::array<int32_t, 6> helpLineDepths(int railType) const = 0;
    // Pen style index of help lines 0..5: 0 dotted, 1 solid, 2 dashed, 3 dash-dot, 4 dash-dot-dot.
    virtual std::array<int32_t, 6> helpLineStyles() const = 0;
};

// The factory settings: no collapse, help lines at 38/173 (P43, P50) or 46/193.
class DefaultRecordingSettings : public RecordingSettings {
public:
    bool bandCollapse() const override { return collapse; }
    std::array<int32_t, 6> helpLineDepths(int railType) const override { return defaultHelpLineDepths(railType); }
    std::array<int32_t, 6> helpLineStyles() const override { return {}; }
    static std::array<int32_t, 6> defaultHelpLineDepths(int railType)
    {
        return railType == 0 || railType == 1 ? std::array<int32_t, 6>{38, 173, 0, 0, 0, 0}
                                               : std::array<int32_t, 6>{46, 193, 0, 0, 0, 0};
    }
    bool collapse = false;
};
