#include "SteppingFilter.h"

#include "recording/FindTableEntry.h"

namespace brantview {

namespace {

constexpr int ZeroSeries = 4;

// The last of columns first.. whose position is at most `limit`; first − 1 when none is.
int lastColumnUpTo(const ColumnArray &columns, int first, int64_t limit)
{
    int lo = first - 1;            // at most limit
    int hi = int(columns.size());  // beyond limit
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (columns[size_t(mid)].position <= limit)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

StepFilter::StepFilter(const BrantSettings &settings, bool secondGroupShown) : m_ignoreZeroLoss(settings.IgnoreZeroLoss)
{
    m_series.fill(Unfed);
    const auto feed = [&](int series, std::initializer_list<int> codes) {
        for (const int code : codes)
            m_series[size_t(code)] = uint8_t(series);
    };
    if (settings.Show70) {
        feed(0, {1, 2});
        feed(1, {3, 4});
        if (secondGroupShown) {
            feed(0, {26, 27});
            feed(1, {28, 29});
        }
        feed(5, {12, 13, 14, 15, 16, 17});
        feed(6, {18, 19});
        feed(7, {20, 21});
        feed(8, {22, 23});
    }
    if (settings.Show37) {
        feed(2, {5, 6, 7});
        feed(3, {8, 9, 10});
    }
    if (settings.Show0)
        feed(ZeroSeries, {11});
    for (const int code : {24, 25, 51, 53, 55, 70, 71, 72, 73})
        m_series[size_t(code)] = Event;

    m_threshold.fill(settings.MinRun70);
    m_threshold[2] = m_threshold[3] = settings.MinRun37;
    m_threshold[ZeroSeries] = settings.MinRun0;
}

bool StepFilter::ViewHasHits(const RecordingSlot &slot, int64_t viewStart, int R) const
{
    const std::optional<int> first = FindTableEntry(slot.Columns, viewStart - 100);
    if (!first)
        return false;
    const int last = lastColumnUpTo(slot.Columns, *first, viewStart + R + 100);
    if (last < *first)
        return false;

    const uint8_t *record = slot.Records.bytes() + RecordLength * size_t(slot.Columns[size_t(*first)].first);
    const uint8_t *const end = slot.Records.bytes() + RecordLength * (size_t(slot.Columns[size_t(last)].last) + 1);
    std::array<int, 9> run{};
    std::array<int, 9> remembered{};
    for (; record != end; record += RecordLength) {
        const uint8_t series = m_series[record[0] >> 1];
        if (series == Unfed)
            continue;
        if (series == Event)
            return true;
        const int d = record[2];
        if (series == ZeroSeries && m_ignoreZeroLoss && d == 0)
            continue;
        // A run goes on while the data byte changes without rising by 3 or more; a
        // repeated value or such a rise breaks it (the remembered value stays), and the
        // next record starts a new one. Selects rather than branches: echo data gives
        // the processor nothing to predict.
        int &count = run[series];
        int &value = remembered[series];
        const bool counts = count == 0 || (d != value && d - value < 3);
        count = counts ? count + 1 : 0;
        value = counts ? d : value;
        // The first series to reach its threshold decides: every fed series counts.
        if (count >= m_threshold[series])
            return true;
    }
    return false;
}

} // namespace brantview
