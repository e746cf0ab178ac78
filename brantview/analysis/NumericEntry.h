#pragma once
// A number typed into a search window's text box, read as the instrument's program
// read such entries: blanks around it, a sign, decimals and an exponent are allowed
// ("12", " 12 ", "+1.5", "1e3"); anything else, an empty box included, is no number.

#include <QString>

#include <optional>

namespace brantview {

// The value of `text`, or nothing when it is not a finite decimal number.
std::optional<double> numericEntry(const QString &text);

// A checked entry used as a whole number: rounded to the nearest, halves to even.
int wholeNumberOf(double value);

// The refusal every search window shows for a text that is not a number.
inline QString notANumberMessage()
{
    return QStringLiteral("请输入有效数字.");
}

// The title of the refusal boxes.
inline QString entryErrorTitle()
{
    return QStringLiteral("Error");
}

} // namespace brantview
