#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace common {

QString formatFloat(float value)
{
    char buffer[64];
    const float magnitude = std::fabs(value);
    const bool ordinary = magnitude == 0.0f || (magnitude >= 1e-4f && magnitude < 1e15f);
    const auto format = ordinary ? std::chars_format::fixed : std::chars_format::general;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString zeroPadded(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char(' ')).replace(QLatin1Char(' '), QLatin1Char('0'));
}

} // namespace common

namespace common {

namespace {

bool isDigitPlace(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

// The pattern split into literal runs and digit places, quotes and escapes resolved.
struct PatternItem {
    QChar place;  // '0', '#', '.', or null for a literal
    QString literal;
    bool bare = false;  // a literal written without quote or escape ('%' and ',' act then)
};

std::vector<PatternItem> splitPattern(QStringView pattern)
{
    std::vector<PatternItem> items;
    bool pointSeen = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            items.push_back({QChar(), QString(pattern[++i])});
        } else if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            items.push_back({QChar(), pattern.mid(i + 1, stop - i - 1).toString()});
            i = stop;
        } else if (isDigitPlace(c) || (c == QLatin1Char('.') && !pointSeen)) {
            pointSeen = pointSeen || c == QLatin1Char('.');
            items.push_back({c, QString()});
        } else {
            items.push_back({QChar(), QString(c), true});
        }
    }
    return items;
}

bool isBare(const PatternItem &item, QChar c)
{
    return item.bare && item.literal == c;
}

// A bare ',' between two integer digit places asks for thousands separators; it is
// no literal then.
bool takeThousandsSeparators(std::vector<PatternItem> &items)
{
    bool thousands = false;
    for (size_t i = 1; i + 1 < items.size(); ++i) {
        if (items[i].place == QLatin1Char('.'))
            break;
        if (isBare(items[i], QLatin1Char(',')) && isDigitPlace(items[i - 1].place) && isDigitPlace(items[i + 1].place)) {
            items.erase(items.begin() + qsizetype(i));
            thousands = true;
            --i;
        }
    }
    return thousands;
}

// The integer digits grouped by three: at least as many digits as there are places
// from the leftmost '0' place on.
QString groupedDigits(QString digits, const std::vector<PatternItem> &items, size_t point)
{
    int forced = 0;
    bool zeroSeen = false;
    for (size_t i = 0; i < point; ++i) {
        zeroSeen = zeroSeen || items[i].place == QLatin1Char('0');
        if (zeroSeen && isDigitPlace(items[i].place))
            ++forced;
    }
    digits = digits.rightJustified(forced, QLatin1Char('0'));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

} // namespace

QString formatPattern(double value, QStringView pattern)
{
    std::vector<PatternItem> items = splitPattern(pattern);
    const bool thousands = takeThousandsSeparators(items);
    if (std::any_of(items.begin(), items.end(), [](const PatternItem &item) { return isBare(item, QLatin1Char('%')); }))
        value *= 100;
    size_t point = items.size();
    int integerPlaces = 0;
    int fractionPlaces = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].place == QLatin1Char('.'))
            point = i;
        else if (!items[i].place.isNull())
            (point == items.size() ? integerPlaces : fractionPlaces) += 1;
    }

    const double scale = std::pow(10.0, fractionPlaces);
    const double scaled = std::round(std::fabs(value) * scale);
    const bool negative = value < 0 && scaled != 0;
    const double whole = std::floor(scaled / scale);
    QString integerDigits = whole == 0 ? QString() : QString::number(whole, 'f', 0);
    const QString fractionDigits =
        fractionPlaces == 0 ? QString()
                            : QString::number(scaled - whole * scale, 'f', 0).rightJustified(fractionPlaces, '0');

    // Fraction: trailing zeros under trailing '#' places are dropped.
    std::vector<bool> fractionShown(size_t(fractionPlaces), true);
    {
        int k = fractionPlaces - 1;
        for (size_t i = items.size(); i-- > point + 1 && k >= 0;) {
            if (items[i].place.isNull())
                continue;
            if (items[i].place != QLatin1Char('#') || fractionDigits[k] != QLatin1Char('0'))
                break;
            fractionShown[size_t(k--)] = false;
        }
    }

    QString out;
    if (negative)
        out += QLatin1Char('-');
    int integerPlace = 0;
    int fractionPlace = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const PatternItem &item = items[i];
        if (item.place.isNull()) {
            out += item.literal;
        } else if (item.place == QLatin1Char('.')) {
            out += QLatin1Char('.');
        } else if (i < point && thousands) {
            if (integerPlace++ == 0)
                out += groupedDigits(integerDigits, items, point);
        } else if (i < point) {
            // Place j from the left takes the digit that lies integerPlaces − j from the right.
            const int fromRight = integerPlaces - integerPlace++;
            const qsizetype digits = integerDigits.size();
            if (fromRight == integerPlaces && digits > integerPlaces)
                out += integerDigits.left(digits - integerPlaces + 1);
            else if (fromRight <= digits)
                out += integerDigits[digits - fromRight];
            else if (item.place == QLatin1Char('0'))
                out += QLatin1Char('0');
        } else {
            const int k = fractionPlace++;
            if (fractionShown[size_t(k)])
                out += fractionDigits[k];
        }
    }
    return out;
}

QString formatDateTimePattern(const QDateTime &at, QStringView pattern)
{
    const QDate date = at.date();
    const QTime time = at.time();
    const bool twelveHour = pattern.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    auto number = [](int value, qsizetype width) { return QString::number(value).rightJustified(width, '0'); };

    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == lower)
            ++run;
        if (pattern.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        if (lower == QLatin1Char('y')) {
            out += run >= 4 ? number(date.year(), 4) : number(date.year() % 100, 2);
        } else if (lower == QLatin1Char('m') && afterHour) {
            out += number(time.minute(), qMin(run, qsizetype(2)));
        } else if (lower == QLatin1Char('m')) {
            out += number(date.month(), qMin(run, qsizetype(2)));
        } else if (lower == QLatin1Char('d')) {
            out += number(date.day(), qMin(run, qsizetype(2)));
        } else if (lower == QLatin1Char('h')) {
            int hour = time.hour();
            if (twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += number(hour, qMin(run, qsizetype(2)));
        } else if (lower == QLatin1Char('n')) {
            out += number(time.minute(), qMin(run, qsizetype(2)));
        } else if (lower == QLatin1Char('s')) {
            out += number(time.second(), qMin(run, qsizetype(2)));
        } else {
            out += pattern.mid(i, run);
            i += run;
            continue;
        }
        afterHour = lower == QLatin1Char('h');
        i += run;
    }
    return out;
}

} // namespace common
