#include "MileageFind.h"

#include "NumericEntry.h"

#include <algorithm>

namespace brantview {

namespace {

QString rangeError(const QString &text, double max, const QString &tooLarge)
{
    const std::optional<double> value = numericEntry(text);
    if (!value)
        return notANumberMessage();
    if (*value > max || *value < 0)
        return tooLarge;
    return {};
}

} // namespace

QString KilometresEntryError(const QString &text)
{
    return rangeError(text, 2500, QStringLiteral(" 公里数必须小于等于2500"));
}

QString MetresEntryError(const QString &text)
{
    return rangeError(text, 999, QStringLiteral(" 米数必须小于1000"));
}

int MileageEntryValue(const QString &text)
{
    return wholeNumberOf(numericEntry(text).value_or(0));
}

int64_t MileageTarget(int km, int m)
{
    return (int64_t(km) * 1000 + m) * 10;
}

MileageFindStep FindMileage(const RecordingSlot &slot, int64_t target, int cursor)
{
    const std::vector<MileageEntry> &samples = slot.MileageTable;
    MileageFindStep step;
    step.cursor = cursor;
    if (samples.size() <= 2)
        return step;
    const int64_t last = int64_t(samples.size()) - 2;
    for (int64_t k = std::max(cursor, 0); k <= last; ++k) {
        const int64_t a = samples[size_t(k)][MileageField::Mileage];
        const int64_t b = samples[size_t(k) + 1][MileageField::Mileage];
        if ((a <= target && target <= b) || (a >= target && target >= b)) {
            step.outcome = MileageFindStep::Outcome::Found;
            step.viewStart = int32_t(samples[size_t(k)][MileageField::Position] - 200);
            step.cursor = int(k + 1);
            return step;
        }
    }
    step.outcome = MileageFindStep::Outcome::End;
    step.cursor = 0;
    return step;
}

} // namespace brantview
