#include "ListFormat.h"

#include "RecordingErrors.h"

#include "common/AtomicFile.h"
#include "common/NumberFormat.h"

#include <charconv>
#include <cmath>

namespace brantview {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// [+-] digits [. digits] [E [+-] digits], with at least one digit before the exponent.
bool isDecimalNumber(QStringView text)
{
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

bool isInteger(QStringView text)
{
    qsizetype i = text.startsWith(u'+') || text.startsWith(u'-') ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return false;
    return true;
}

// The number's text for std::from_chars, which takes no leading '+'.
QByteArray charsOf(const QString &number)
{
    QByteArray chars = number.toLatin1();
    if (chars.startsWith('+'))
        chars.remove(0, 1);
    return chars;
}

template <typename T>
std::optional<T> parse(const QByteArray &chars)
{
    T value{};
    const auto [end, error] = std::from_chars(chars.constData(), chars.constData() + chars.size(), value);
    if (error != std::errc() || end != chars.constData() + chars.size())
        return std::nullopt;
    return value;
}

// A field's text as a message quotes it: a long one is cut, so that a line of garbage
// gives a message that still fits a message box.
QString quoted(QStringView text)
{
    constexpr qsizetype Shown = 40;
    return QStringLiteral("“%1”").arg(text.size() > Shown ? text.first(Shown).toString() + u'…' : text.toString());
}

ListField malformed(const QString &reason)
{
    return ListField{ListField::Kind::Malformed, reason, false};
}

ListField unquotedField(const QString &raw)
{
    if (raw.isEmpty())
        return ListField{};
    if (raw.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return ListField{ListField::Kind::Boolean, QString(), true};
    if (raw.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        return ListField{ListField::Kind::Boolean, QString(), false};
    if (isDecimalNumber(raw))
        return ListField{ListField::Kind::Number, raw, false};
    return malformed(quoted(raw) + QStringLiteral("不是数字、带引号的文字、#TRUE# 或 #FALSE#"));
}

} // namespace

std::optional<int64_t> integerValue(const ListField &field)
{
    if (field.kind != ListField::Kind::Number)
        return std::nullopt;
    const QByteArray chars = charsOf(field.text);
    if (isInteger(field.text))
        if (const std::optional<int64_t> exact = parse<int64_t>(chars))
            return exact;
    const std::optional<double> value = parse<double>(chars);
    // 2^63 is the first double beyond int64_t; the default rounding mode rounds halves to even.
    if (!value || !(std::fabs(*value) < 9223372036854775808.0))
        return std::nullopt;
    return int64_t(std::nearbyint(*value));
}

std::optional<float> singleValue(const ListField &field)
{
    if (field.kind != ListField::Kind::Number)
        return std::nullopt;
    return parse<float>(charsOf(field.text));
}

QString describeField(const ListField &field)
{
    switch (field.kind) {
    case ListField::Kind::Empty: return QStringLiteral("空项");
    case ListField::Kind::Number: return QStringLiteral("数字") + quoted(field.text);
    case ListField::Kind::String: return QStringLiteral("文字") + quoted(field.text);
    case ListField::Kind::Boolean: return field.boolean ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    case ListField::Kind::Malformed: return field.text;
    }
    return {};
}

ListReader::ListReader(QString text) : m_text(std::move(text)) {}

bool ListReader::nextLine()
{
    if (m_next >= m_text.size())
        return false;
    const qsizetype start = m_next;
    const qsizetype newline = m_text.indexOf(u'\n', start);
    m_lineEnd = newline < 0 ? m_text.size() : newline;
    m_next = newline < 0 ? m_text.size() : newline + 1;
    if (m_lineEnd > start && m_text[m_lineEnd - 1] == u'\r')
        --m_lineEnd;
    ++m_lineNumber;
    m_fieldNumber = 0;
    m_pos = -1;
    for (qsizetype i = start; i < m_lineEnd; ++i)
        if (!isBlank(m_text[i])) {
            m_pos = start;
            break;
        }
    return true;
}

// Searching the current line only keeps a read linear in the text.
qsizetype ListReader::findInLine(char16_t c, qsizetype from) const
{
    const qsizetype found = QStringView(m_text).sliced(from, m_lineEnd - from).indexOf(QChar(c));
    return found < 0 ? -1 : from + found;
}

ListField ListReader::nextField()
{
    ++m_fieldNumber;
    qsizetype i = m_pos;
    while (i < m_lineEnd && isBlank(m_text[i]))
        ++i;
    ListField field;
    qsizetype comma = -1;
    if (i < m_lineEnd && m_text[i] == u'"') {
        const qsizetype close = findInLine(u'"', i + 1);
        if (close < 0) {
            m_pos = -1;
            return malformed(QStringLiteral("引号没有结束"));
        }
        field = ListField{ListField::Kind::String, m_text.sliced(i + 1, close - i - 1), false};
        qsizetype after = close + 1;
        while (after < m_lineEnd && isBlank(m_text[after]))
            ++after;
        comma = findInLine(u',', after);
        const qsizetype fieldEnd = comma < 0 ? m_lineEnd : comma;
        if (after != fieldEnd)
            field = malformed(QStringLiteral("引号后面还有文字")
                              + quoted(QStringView(m_text).sliced(after, fieldEnd - after)));
    } else {
        comma = findInLine(u',', i);
        const qsizetype fieldEnd = comma < 0 ? m_lineEnd : comma;
        field = unquotedField(m_text.sliced(i, fieldEnd - i).trimmed());
    }
    m_pos = comma < 0 ? -1 : comma + 1;
    return field;
}

void ListWriter::startField()
{
    if (m_lineHasField)
        m_text += u',';
    m_lineHasField = true;
}

void ListWriter::integer(int64_t value)
{
    startField();
    m_text += QString::number(value);
}

void ListWriter::single(float value)
{
    startField();
    m_text += common::formatFloat(value);
}

void ListWriter::boolean(bool value)
{
    startField();
    m_text += value ? QLatin1String("#TRUE#") : QLatin1String("#FALSE#");
}

void ListWriter::string(const QString &value)
{
    startField();
    QString text = value;
    text.replace(u'"', u'\'');
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    m_text += u'"';
    m_text += text;
    m_text += u'"';
}

void ListWriter::empty()
{
    startField();
}

void ListWriter::endLine()
{
    m_text += u'\n';
    m_lineHasField = false;
}

void writeListFile(const QString &path, const QString &text)
{
    asBrantFileError([&] { common::writeFileAtomically(path, text.toUtf8(), QIODevice::Text); });
}

} // namespace brantview
