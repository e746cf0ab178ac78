#include "MarkFind.h"

#include "NumericEntry.h"

#include "recording/FindTableEntry.h"

#include <algorithm>
#include <limits>

namespace brantview {

bool MarkFindCriteria::anyChecked() const
{
    return std::ranges::any_of(Check1, [](bool on) { return on; }) || CheckQX || CheckG || CheckC || CheckdB
        || CheckE;
}

QString SwitchNumberEntryError(const QString &text)
{
    if (text.isEmpty())
        return {};
    const std::optional<double> value = numericEntry(text);
    if (!value)
        return notANumberMessage();
    if (*value > 9999 || *value < 0)
        return QStringLiteral(" 道岔号小于等于9999");
    return {};
}

std::optional<int> SwitchNumberOf(const QString &text)
{
    const std::optional<double> value = numericEntry(text);
    if (!value)
        return std::nullopt;
    return wholeNumberOf(*value);
}

MarkMatcher::MarkMatcher(const MarkFindCriteria &criteria) : m_switchNumber(criteria.switchNumber)
{
    auto set = [this](int code, Rule rule) {
        m_rule[size_t(code << 1)] = rule;
        m_rule[size_t(code << 1 | 1)] = rule;
    };
    for (int k = 0; k < 10; ++k)
        m_markValues[size_t(k + 1)] = criteria.Check1[size_t(k)];
    for (int kind : {MarkKind::CurveUpper, MarkKind::CurveLower, MarkKind::CurveEnd})
        m_markValues[size_t(kind)] = criteria.CheckQX;
    if (std::ranges::any_of(m_markValues, [](bool on) { return on; }))
        set(Code::Mark, MarkValue);
    if (criteria.Check1[0])
        set(Code::Calibration, Always);
    if (criteria.CheckG)
        set(Code::TrackNumber, Always);
    if (criteria.CheckC) {
        set(Code::SwitchMark, SwitchMark);
        set(Code::SwitchNumber, SwitchNumber);
    }
    if (criteria.CheckdB)
        set(Code::Gain, Always);
    if (criteria.CheckE)
        set(Code::Error, Always);
}

bool MarkMatcher::slowMatch(const RecordArray &records, size_t i) const
{
    const StreamRecord r = records[i];
    switch (m_rule[r.b0]) {
    case Always: return true;
    case MarkValue: return m_markValues[r.b2];
    case SwitchMark: return !m_switchNumber || r.data() == *m_switchNumber;
    case SwitchNumber: {
        if (!m_switchNumber)
            return true;
        if (i + 1 >= records.size())
            return false;
        const StreamRecord next = records[i + 1];
        return next.code() == Code::SwitchNumber && r.data() * 256 + next.data() == *m_switchNumber;
    }
    default: return false;
    }
}

bool MarkMatcher::recordMatches(const RecordArray &records, size_t i) const
{
    return m_rule[records.bytes()[RecordLength * i]] != Never && slowMatch(records, i);
}

bool MarkMatcher::columnMatches(const RecordingSlot &slot, size_t column) const
{
    const Column c = slot.Columns[column];
    return firstMatch(slot.Records, size_t(c.first), size_t(c.last)).has_value();
}

std::optional<size_t> MarkMatcher::firstMatch(const RecordArray &records, size_t from, size_t to) const
{
    const uint8_t *const bytes = records.bytes();
    for (size_t i = from; i <= to; ++i)
        if (m_rule[bytes[RecordLength * i]] != Never) [[unlikely]]
            if (slowMatch(records, i))
                return i;
    return std::nullopt;
}

std::optional<size_t> MarkMatcher::lastMatch(const RecordArray &records, size_t from, size_t to) const
{
    const uint8_t *const bytes = records.bytes();
    for (size_t i = to + 1; i-- > from;)
        if (m_rule[bytes[RecordLength * i]] != Never) [[unlikely]]
            if (slowMatch(records, i))
                return i;
    return std::nullopt;
}

namespace {

// The column that holds record `record`: the first whose last record is not before it.
int columnOfRecord(const ColumnArray &columns, size_t record)
{
    int lo = 0;
    int hi = int(columns.size()) - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (size_t(columns[size_t(mid)].last) < record)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The hit column 300 points from the left edge, the view never more than 300 before the start.
int32_t viewStartShowing(const Column &hit, int W)
{
    const int64_t viewStart = int64_t(hit.position) - (int64_t(W) - 300);
    if (viewStart < -299)
        return -300;
    return int32_t(std::min<int64_t>(viewStart, std::numeric_limits<int32_t>::max()));
}

} // namespace

MarkFindStep FindMark(const RecordingSlot &slot, const MarkFindCriteria &criteria, MarkFindDirection direction, int W)
{
    MarkFindStep step;
    if (!slot.isStream() || slot.Columns.empty())
        return step;
    const ColumnArray &columns = slot.Columns;
    const int last = int(columns.size()) - 1;
    const int64_t S = slot.ViewStart;
    const MarkMatcher matcher(criteria);
    std::optional<size_t> hit;
    if (direction == MarkFindDirection::Forward) {
        step.MarkFindColumn = FindTableEntry(columns, 0, last, S + W - 100);
        if (slot.CurrentColumn < last && step.MarkFindColumn < last && criteria.anyChecked())
            hit = matcher.firstMatch(slot.Records, size_t(columns[size_t(step.MarkFindColumn) + 1].first),
                                     size_t(columns[size_t(last)].last));
    } else {
        // From the column just inside the view's right edge, as the forward search
        // starts just inside its left edge: what lies beyond the edge has not been seen.
        step.MarkFindColumn = FindTableEntry(columns, 0, last, S + 100);
        if (step.MarkFindColumn >= 1 && criteria.anyChecked())
            hit = matcher.lastMatch(slot.Records, 0, size_t(columns[size_t(step.MarkFindColumn) - 1].last));
    }
    if (hit) {
        step.outcome = MarkFindStep::Outcome::Found;
        step.MarkFindColumn = columnOfRecord(columns, *hit);
        step.viewStart = viewStartShowing(columns[size_t(step.MarkFindColumn)], W);
        return step;
    }
    step.outcome = MarkFindStep::Outcome::End;
    step.message = criteria.anyChecked() ? QStringLiteral("查找结束") : QStringLiteral("未设置查找条件");
    return step;
}

MarkFindCounts MarkFindCountsOf(const RecordingSlot &slot)
{
    MarkFindCounts counts;
    for (int k = 0; k < MarkCountIndex::Error; ++k)
        counts.LabelCnt[size_t(k)] = QString::number(slot.MarkCounts[size_t(k)]);
    counts.LabelCnt[MarkCountIndex::Error] =
        QStringLiteral("%1(%2)").arg(slot.MarkCounts[MarkCountIndex::Error]).arg(slot.RecordCount);
    counts.LabelQX = QString::number(slot.CurveMarkCount);
    counts.LabeldB = QString::number(slot.GainTable.size());
    return counts;
}

} // namespace brantview
