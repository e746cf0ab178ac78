#include "OffsetTable.h"

#include "ListFormat.h"

#include "common/ConfigFiles.h"
#include "common/FileError.h"
#include "common/NativePaths.h"
#include "common/TextDecoding.h"

#include <algorithm>
#include <optional>

namespace brantview {

namespace {

constexpr int FieldCount = 37;

// The row read from the current line, or the reason it cannot be read.
std::optional<OffsetRow> readRow(ListReader &reader, QString &problem)
{
    const auto fieldProblem = [&](const QString &what) {
        problem = QStringLiteral("第 %1 行第 %2 项：%3").arg(reader.lineNumber()).arg(reader.fieldNumber()).arg(what);
        return std::nullopt;
    };
    OffsetRow row;
    for (int k = 0; k < FieldCount; ++k) {
        if (reader.atLineEnd()) {
            problem = QStringLiteral("第 %1 行只有 %2 项，应有 %3 项").arg(reader.lineNumber()).arg(k).arg(FieldCount);
            return std::nullopt;
        }
        const ListField field = reader.nextField();
        const std::optional<int64_t> value = integerValue(field);
        if (!value)
            return fieldProblem(field.kind == ListField::Kind::Malformed
                                    ? field.text
                                    : QStringLiteral("应为整数，却是%1").arg(describeField(field)));
        if (k == 0)
            row.SerialKey = *value;
        else
            row.Groups[size_t((k - 1) / 9)][size_t((k - 1) % 9)] = int32_t(
                std::clamp<int64_t>(*value, SettingRanges::ChannelOffset.min, SettingRanges::ChannelOffset.max));
    }
    if (!reader.atLineEnd()) {
        int extra = 0;
        while (!reader.atLineEnd()) {
            reader.nextField();
            ++extra;
        }
        problem = QStringLiteral("第 %1 行多出 %2 项，应有 %3 项").arg(reader.lineNumber()).arg(extra).arg(FieldCount);
        return std::nullopt;
    }
    return row;
}

OffsetRow *findRow(OffsetTable &table, int64_t serialKey)
{
    const auto found = std::find_if(table.Rows.begin(), table.Rows.end(),
                                    [&](const OffsetRow &row) { return row.SerialKey == serialKey; });
    return found == table.Rows.end() ? nullptr : &*found;
}

bool isGroup(int selection)
{
    return selection >= 1 && selection <= 4;
}

} // namespace

QString offsetTableFilePath()
{
    return common::configFilePath(QStringLiteral("MoveArray.txt"));
}

LoadedOffsetTable LoadOffsetTable(const QString &path)
{
    LoadedOffsetTable loaded;
    if (!common::fileExists(path))
        return loaded;
    const auto damaged = [&](const QString &problem) {
        loaded.table = OffsetTable{{}, false, true};
        loaded.state = ListFileState::Damaged;
        loaded.message = QStringLiteral("拼图位置文件 %1 有误，没有使用：%2\n在调整拼图位置之前，这个文件保持原样。")
                             .arg(common::displayName(path), problem);
        return loaded;
    };
    QString text;
    try {
        text = common::readTextFile(path, QStringLiteral("拼图位置文件"));
    } catch (const common::FileError &e) {
        return damaged(e.text());
    }
    ListReader reader(std::move(text));
    while (reader.nextLine()) {
        if (reader.atLineEnd())
            continue;
        QString problem;
        std::optional<OffsetRow> row = readRow(reader, problem);
        if (!row)
            return damaged(problem);
        loaded.table.Rows.push_back(*row);
    }
    loaded.state = ListFileState::Loaded;
    return loaded;
}

void SaveOffsetTable(const QString &path, OffsetTable &table)
{
    ListWriter writer;
    for (const OffsetRow &row : table.Rows) {
        writer.integer(row.SerialKey);
        for (const ChannelValues &group : row.Groups)
            for (const int32_t offset : group)
                writer.integer(offset);
        writer.endLine();
    }
    writeListFile(path, writer.text());
    table.Unsaved = false;
    table.FileDamaged = false;
}

bool OffsetSaveDue(const OffsetTable &table)
{
    return table.Unsaved && !table.FileDamaged;
}

bool SelectChannelOffsets(OffsetTable &table, int64_t serialKey, int selection, ChannelValues &offsets)
{
    if (const OffsetRow *row = findRow(table, serialKey)) {
        if (isGroup(selection))
            offsets = row->Groups[size_t(selection - 1)];
        return false;
    }
    OffsetRow row;
    row.SerialKey = serialKey;
    row.Groups.fill(DefaultChannelOffsets);
    table.Rows.push_back(row);
    table.Unsaved = true;
    offsets = DefaultChannelOffsets;
    return OffsetSaveDue(table);
}

void StoreChannelOffsets(OffsetTable &table, int64_t serialKey, int selection, const ChannelValues &offsets)
{
    OffsetRow *row = findRow(table, serialKey);
    if (!row || !isGroup(selection))
        return;
    row->Groups[size_t(selection - 1)] = offsets;
    table.Unsaved = true;
    table.FileDamaged = false;
}

} // namespace brantview
