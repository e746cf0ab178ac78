#include "NumericEntry.h"

#include <QRegularExpression>

#include <cmath>

namespace brantview {

std::optional<double> numericEntry(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?\s*$)"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int wholeNumberOf(double value)
{
    return int(std::nearbyint(value));
}

} // namespace brantview
