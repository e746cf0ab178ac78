#pragma once
// "标记查找": the next or the previous place of a recording that holds a record of
// one of the chosen kinds (instrument marks, curve entries and exits, track-number,
// switch, rail/gain and erroneous records), and how many of each kind it holds.

#include "recording/RecordingSlot.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace brantview {

// The check boxes of the window and its switch number filter.
struct MarkFindCriteria {
    std::array<bool, 10> Check1{};  // instrument marks of kinds 1..10; box 0 also code-72 records
    bool CheckQX = false;           // curve entries and exits (marks of kinds 11, 12, 13)
    bool CheckG = false;            // track-number records (code 71)
    bool CheckC = false;            // switch records (code 25, code-70 pairs)
    bool CheckdB = false;           // rail/gain records (code 51)
    bool CheckE = false;            // erroneous points (code 57)
    // `Text_Cnum`: nothing matches every switch record.
    std::optional<int> switchNumber;

    bool anyChecked() const;
};

// The refusal of a `Text_Cnum` entry, empty when accepted: empty, or 0 to 9999.
QString SwitchNumberEntryError(const QString &text);
// The filter an accepted entry sets: nothing for an empty box, else the whole number.
std::optional<int> SwitchNumberOf(const QString &text);

// Which records the criteria ask for, one table lookup per record.
class MarkMatcher {
public:
    explicit MarkMatcher(const MarkFindCriteria &criteria);

    // Record i of `records`; a code-70 record is judged with the one after it.
    bool recordMatches(const RecordArray &records, size_t i) const;
    // Any record of column `column`, from its first to its last.
    bool columnMatches(const RecordingSlot &slot, size_t column) const;
    // The first (last) matching record among records from..to, both included.
    std::optional<size_t> firstMatch(const RecordArray &records, size_t from, size_t to) const;
    std::optional<size_t> lastMatch(const RecordArray &records, size_t from, size_t to) const;

private:
    enum Rule : uint8_t { Never, Always, MarkValue, SwitchMark, SwitchNumber };
    bool slowMatch(const RecordArray &records, size_t i) const;

    std::array<uint8_t, 256> m_rule{};  // by the record's first byte: code and step bit
    std::array<bool, 256> m_markValues{};
    std::optional<int> m_switchNumber;
};

enum class MarkFindDirection {
    Forward,   // "向前查找": towards larger positions
    Backward,  // "向后查找": towards the start
};

struct MarkFindStep {
    enum class Outcome {
        Nothing,  // the recording has no columns
        Found,    // the view moves to viewStart
        End,      // message: "未设置查找条件" or "查找结束"
    };
    Outcome outcome = Outcome::Nothing;
    int32_t viewStart = 0;
    int MarkFindColumn = 0;  // the hit, or where the search began
    QString message;
};

// One press of a search button on the view of `slot` (its ViewStart and CurrentColumn),
// W points wide. The hit column is put 300 points from the view's left edge.
MarkFindStep FindMark(const RecordingSlot &slot, const MarkFindCriteria &criteria, MarkFindDirection direction, int W);

// The texts of the counters beside the check boxes.
struct MarkFindCounts {
    std::array<QString, 13> LabelCnt;  // 0..9 marks of kinds 1..10, 10 switch, 11 track, 12 errors "n(records)"
    QString LabelQX;                   // curve marks
    QString LabeldB;                   // rail/gain packets
};

MarkFindCounts MarkFindCountsOf(const RecordingSlot &slot);

} // namespace brantview
