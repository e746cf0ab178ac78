#include "SideLists.h"

#include "TextValue.h"

#include "common/ConfigFiles.h"
#include "common/FileError.h"
#include "common/TextDecoding.h"

#include <algorithm>

namespace brantview {

namespace {

// An entry for each line that is not blank, made from the line without its line end;
// nothing when the file cannot be read.
template <typename Entry>
std::vector<Entry> readLines(const QString &path, Entry (*entryOf)(QStringView line))
{
    QString text;
    try {
        text = common::readTextFile(path, QStringLiteral("文件"));
    } catch (const common::FileError &) {
        return {};
    }
    std::vector<Entry> entries;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > start && text[end - 1] == u'\r')
            --end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        start = next;
        if (!line.trimmed().isEmpty())
            entries.push_back(entryOf(line));
    }
    return entries;
}

WorkNumberEntry workNumberEntry(QStringView line)
{
    return WorkNumberEntry{leadingNumber(line), line.toString()};
}

LineNameEntry lineNameEntry(QStringView line)
{
    const QStringView text = line.trimmed();
    const auto blank = std::find_if(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
    return LineNameEntry{text.first(blank - text.begin()).toString(), text.toString()};
}

} // namespace

QString workNumbersFilePath()
{
    return common::configFilePath(QStringLiteral("WK.TXT"));
}

QString lineNamesFilePath()
{
    return common::configFilePath(QStringLiteral("XB.TXT"));
}

WorkNumberList LoadWorkNumbers(const QString &path)
{
    return readLines(path, &workNumberEntry);
}

LineNameList LoadLineNames(const QString &path)
{
    return readLines(path, &lineNameEntry);
}

std::optional<QString> LookupWorkNumber(const WorkNumberList &list, int64_t number)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto &entry) { return entry.key == number; });
    return found == list.end() ? std::nullopt : std::optional<QString>(found->text);
}

std::optional<QString> LookupLineName(const LineNameList &list, const QString &code)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto &entry) { return entry.key == code; });
    return found == list.end() ? std::nullopt : std::optional<QString>(found->text);
}

} // namespace brantview
