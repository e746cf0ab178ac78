#pragma once
// The rows of the event filter: the events of every sub-file whose kind box is
// ticked, with close light-flaw alarms grouped into heavier classes.

#include "recording/STDDataOperation.h"

#include <QString>

#include <array>
#include <vector>

class Workspace;

constexpr int EventKindCount = 18;
constexpr int LightFlawKind = 1;        // "轻伤"
constexpr int DoubleLightFlawKind = 16; // "轻发伤"
constexpr int HeavyFlawKind = 17;       // "重伤"
using EventKindTicks = std::array<bool, EventKindCount>;

struct EventRow {
    QString caption;  // "sub-file->n", both counted from 1
    QString event;    // caption of the kind box
    QString mileage;  // "12km,300m" or empty
    int position = 0; // row of the event in its sub-file
};

// Captions of the 18 kind boxes, also the texts of the "事件" column.
const std::array<QString, EventKindCount> &eventKindCaptions();

// Box index of a record code; -1 for codes the filter does not list.
int eventKindIndex(char16_t code);

// The first mileage record within 1000 rows at or after `row` of a sub-file.
QString eventMileageText(const mystdfile &file, int subFile, int row);

// The same for many rows of one sub-file. Asked in increasing order of rows (as the
// events come), it reads each row of the sub-file at most once, and each row only
// up to its first mileage record.
class EventMileage {
public:
    EventMileage(const mystdfile &file, int subFile);
    QString textFor(int row);

private:
    const mystdfile &m_file;
    int m_subFile;
    int64_t m_askedFrom = 0;  // the first row of the last question
    int64_t m_readTo = -1;    // rows from m_askedFrom to here are read
    int64_t m_foundRow = -1;  // the mileage row the reading stopped at, or -1
    QString m_foundText;
};

std::vector<EventRow> eventRows(const mystdfile &file, const EventKindTicks &ticks);

// The 0-based sub-file named before "->" in a caption; -1 when there is none.
int captionSubFile(const QString &caption);

// The slot's sub-file becomes `subFile`, switched only when another one is
// current. False, and nothing changed, when the slot has no such sub-file.
bool selectSubFile(Workspace &workspace, int slot, int subFile);
// A double-click on a list row: the sub-file selected, then the position bar set to `row`.
bool jumpToRow(Workspace &workspace, int slot, int subFile, int row);
