#pragma once
// "校对波形": the records a pull calibration wrote after a calibration point, shown as
// a B-scan of their own. This is the window's state without the window: where the
// view lies (V at the right edge, positions growing to the left), the scroll bar
// that moves it, the drag, and the distance measured between two marks.

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"
#include "viewer/CalibrationRun.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace brantview {

// Codes only a calibration run holds: the echo codes moved up by 80, and two group codes.
namespace RunCode {
inline constexpr int EchoOffset = 80;
inline constexpr int GroupBoundary = 104;
inline constexpr int GroupLabel = 105;  // one byte of a three-byte label
} // namespace RunCode

// The scroll bar: V = Value × S, S negative, so that lower values show later positions.
struct CalibrationScroll {
    double S = -340;  // positions per scroll-bar unit
    int Min = 0;
    int Max = 1;
    int Value = 1;
};

// A scroll bar counts at most this many units each way.
inline constexpr int ScrollUnitsLimit = 32767;
// Positions per unit while the run fits.
inline constexpr int FineScrollScale = 340;
// How far the view may be dragged before the run's start and past its end.
inline constexpr int CalibrationDragMargin = 300;

// The scroll bar for a run whose last entry lies at `lastPosition`.
CalibrationScroll calibrationScrollOf(int32_t lastPosition);

enum MeasureState { MeasureNone = 0, MeasureStartSet = 1, MeasureBothSet = 2 };

struct CalibrationMeasure {
    int state = MeasureNone;
    int32_t start = 0;  // positions
    int32_t end = 0;
    double distance = 0;  // millimetres, at the nominal step
};

// Which items the measuring pop-up offers: "起点" always, the others while a
// measurement is under way.
struct MeasurePopupItems {
    bool start = true;
    bool end = false;
    bool clear = false;
};

// The measured length as the window prints it: "0+001.470M".
QString measureText(double distanceMm);

// The display fonts the window puts back when it opens.
void ResetDisplayFonts(BrantSettings &settings);

class CalibrationWaveform {
public:
    // The run of a calibration point of `slot`.
    CalibrationWaveform(const RecordingSlot &slot, CalibrationRun run);

    const CalibrationRun &run() const { return m_run; }
    // The position of the last entry (0 for an empty run).
    int32_t lastPosition() const { return m_run.empty() ? 0 : m_run.back().position; }
    // Entries before `entry` that are bytes of a group label (code 105), so that a
    // drawing starting inside the run groups the bytes as the run wrote them.
    size_t labelBytesBefore(size_t entry) const;

    int32_t V() const { return m_V; }
    const CalibrationScroll &scroll() const { return m_scroll; }
    const CalibrationMeasure &measure() const { return m_measure; }
    bool dragging() const { return m_dragging; }

    // The scroll bar moved to `value` (held within Min..Max): V = value × S.
    void scrollTo(int value);
    // The view at `V` whatever the limits, the bar following (the batch program's view).
    void showAt(int32_t V);
    // "]" (221) one unit up, "[" (219) one down, within the bar; true when V moved.
    bool scrollKey(int keyCode);

    // Left or middle button down at x; a move while dragging: true when V moved.
    void beginDrag(double x);
    bool dragTo(double x);
    void endDrag();

    // Right button at `x`: the point the measuring items will use.
    MeasurePopupItems popupAt(double x);
    // "起点", the end point and "清除标记", for a picture `Wj` points wide.
    void setMeasureStart(double Wj);
    void setMeasureEnd(double Wj);
    void clearMeasure();

private:
    int32_t positionAt(double Wj) const;

    CalibrationRun m_run;
    std::vector<size_t> m_labelEntries;  // entries with code 105, in order
    CalibrationScroll m_scroll;
    int32_t m_V = 0;
    CalibrationMeasure m_measure;
    bool m_dragging = false;
    double m_lastX = 0;
    double m_popupX = 0;
};

} // namespace brantview
