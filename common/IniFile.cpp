#include "IniFile.h"

#include "AtomicFile.h"
#include "FileError.h"
#include "TextDecoding.h"

#include <QFile>

#include <optional>

namespace common {

namespace {

QString folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

// "[name]" -> "name"; any other line -> nothing.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// "key=value" -> "key"; comments and lines without '=' -> an empty string.
QString entryKey(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {};
    const QString key = line.left(equals).trimmed();
    return key.startsWith(QLatin1Char(';')) ? QString() : key;
}

QString entryValue(const QString &line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString oneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        m_text = decodeText(file.readAll());
        parse();
    }
}

void IniFile::parse()
{
    // The lines are views into m_text, which never changes: no copy per line.
    const QChar *text = m_text.constData();
    qsizetype start = 0;
    while (start < m_text.size()) {
        qsizetype end = m_text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        if (end > start && text[end - 1] == QLatin1Char('\r'))
            --end;
        const QString line = QString::fromRawData(text + start, end - start);
        start = next;
        if (const std::optional<QString> name = sectionName(line)) {
            if (!m_sectionIndex.contains(folded(*name)))  // the first of equal names is the one used
                m_sectionIndex.insert(folded(*name), m_sections.size());
            m_sections.push_back(Section{{line}});
            continue;
        }
        if (m_sections.empty()) {
            m_leadingLines.push_back(line);
            continue;
        }
        Section &section = m_sections.back();
        const QString key = entryKey(line);
        if (!key.isEmpty()) {
            std::pair entry{m_sections.size() - 1, folded(key)};
            if (!m_keyIndex.contains(entry))  // the first of equal keys is the one used
                m_keyIndex.insert(std::move(entry), qsizetype(section.lines.size()));
        }
        section.lines.push_back(line);
    }
}

qsizetype IniFile::lineCount() const
{
    qsizetype count = qsizetype(m_leadingLines.size());
    for (const Section &section : m_sections)
        count += qsizetype(section.lines.size());
    return count;
}

const QString *IniFile::findLine(const QString &section, const QString &key) const
{
    const auto found = m_sectionIndex.constFind(folded(section));
    if (found == m_sectionIndex.cend())
        return nullptr;
    const auto line = m_keyIndex.constFind(std::pair{found.value(), folded(key)});
    return line == m_keyIndex.cend() ? nullptr : &m_sections[found.value()].lines[size_t(line.value())];
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return findLine(section, key) != nullptr;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QString *line = findLine(section, key);
    return line ? entryValue(*line) : defaultValue;
}

int IniFile::readInt(const QString &section, const QString &key, int defaultValue) const
{
    const QString *line = findLine(section, key);
    if (!line)
        return defaultValue;
    bool ok = false;
    const int value = entryValue(*line).toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

size_t IniFile::sectionForWriting(const QString &section)
{
    const auto found = m_sectionIndex.constFind(folded(section));
    if (found != m_sectionIndex.cend())
        return found.value();
    m_sectionIndex.insert(folded(section), m_sections.size());
    m_sections.push_back(Section{{QLatin1Char('[') + section + QLatin1Char(']')}});
    return m_sections.size() - 1;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const size_t index = sectionForWriting(section);
    Section &s = m_sections[index];
    const QString line = key + QLatin1Char('=') + oneLine(value);
    const auto existing = m_keyIndex.constFind(std::pair{index, folded(key)});
    if (existing != m_keyIndex.cend()) {
        s.lines[size_t(existing.value())] = line;
        return;
    }
    // A new key goes behind the section's last line with text, so blank lines
    // that separate it from the next section stay in place. Only blank lines
    // follow it, so no stored key index moves.
    size_t at = s.lines.size();
    while (at > 1 && s.lines[at - 1].trimmed().isEmpty())
        --at;
    s.lines.insert(s.lines.begin() + qsizetype(at), line);
    m_keyIndex.insert(std::pair{index, folded(key)}, qsizetype(at));
}

void IniFile::writeInt(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeInt(section, key, value ? 1 : 0);
}

void IniFile::save() const
{
    QString text;
    const auto append = [&text](const std::vector<QString> &lines) {
        for (const QString &line : lines) {
            text += line;
            text += QLatin1Char('\n');
        }
    };
    append(m_leadingLines);
    for (const Section &section : m_sections)
        append(section.lines);

    try {
        writeFileAtomically(m_path, text.toUtf8(), QIODevice::Text);
    } catch (const FileError &e) {
        throw IniFileError(e.text());
    }
}

} // namespace common
