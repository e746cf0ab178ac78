#pragma once
// The overspeed statistics of a recording's mileage samples: the stretches pushed
// faster than a limit over the whole line, in curves, on straight track and around
// the marks, as the window lists them, the totals it prints beside the list and the
// rows of its workbook; and the place a listed stretch lies at.

#include "recording/RecordingSlot.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <variant>
#include <vector>

class Workbook;

namespace brantview {

enum class SpeedStatistic { WholeLine, Curve, Straight, MarkVicinity };

// The window's inputs as typed.
struct SpeedInputTexts {
    QString Tspeed = QStringLiteral("2.5");
    QString TLen = QStringLiteral("5");
    QString TextPrev = QStringLiteral("1");
    QString TextNext = QStringLiteral("2");
};

// The inputs read as numbers.
struct SpeedInputs {
    double Tspeed = 2.5;   // km/h
    double TLen = 5;       // samples: a stretch (a mark's count) must be longer
    double TextPrev = 1;   // samples before a mark
    double TextNext = 2;   // samples after a mark
};

// The inputs `statistic` uses, read as numbers, or the message naming the first
// that is no number. A TLen below 0 counts as 0.
std::variant<SpeedInputs, QString> ParseSpeedInputs(const SpeedInputTexts &texts, SpeedStatistic statistic);

// Why the statistics cannot run on `slot`, or an empty text when they can.
QString SpeedStatisticUnavailable(const RecordingSlot &slot);

struct SpeedReport {
    QStringList listLines;  // the heading first
    QStringList totals;     // printed beside the list, one line each
    // With export: row 1 (the headings) first, then one row per reported place.
    std::vector<QStringList> rows;
    std::vector<std::pair<int, double>> columnWidths;  // column (from 1), width
};

using MileageSamples = std::vector<MileageEntry>;

SpeedReport WholeLineOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                               bool withExport);
SpeedReport CurveOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                           bool withExport);
SpeedReport StraightOverspeed(const MileageSamples &samples, double SampleSpacing, const SpeedInputs &inputs,
                              bool withExport);
SpeedReport MarkVicinityOverspeed(const MileageSamples &samples, const SpeedInputs &inputs, bool withExport);

SpeedReport RunSpeedStatistic(SpeedStatistic statistic, const RecordingSlot &slot, const SpeedInputs &inputs,
                              bool withExport);

// The name of the sheet the rows go to.
inline const QString SpeedSheetName = QStringLiteral("速度统计");

// Adds the sheet "速度统计" in front of the active one and writes the rows into it.
void FillSpeedSheet(Workbook &book, const SpeedReport &report);
// Writes a new workbook holding the report's sheet under exactly `path`. Throws
// OfficeError and then writes nothing.
void ExportSpeedReport(const QString &path, const SpeedReport &report);

// Where the view goes for list line `row` (0 is the heading) of text `line`: the
// ViewStart 200 Steps before the last pair of neighbouring samples whose mileages
// enclose the line's mileage; nothing for the heading, a mileage outside the
// recording or a recording of 2 samples or fewer.
std::optional<int32_t> SpeedJumpTarget(int row, const QString &line, const MileageSamples &samples);

} // namespace brantview
