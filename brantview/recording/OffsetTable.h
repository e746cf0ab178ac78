#pragma once
// "MoveArray.txt" in the program folder: the channel offsets of each instrument by
// its serial number, in four selectable groups. One row a line, 37 fields of list
// format: the serial key, then group g (1..4) in fields 9g − 8 .. 9g, channels 0..8.

#include "BrantSettings.h"
#include "ListFormat.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace brantview {

struct OffsetRow {
    int64_t SerialKey = 0;
    std::array<ChannelValues, 4> Groups{};  // groups 1..4 at 0..3
};

struct OffsetTable {
    std::vector<OffsetRow> Rows;
    // The rows differ from the file: set by a new row or a stored offset, cleared by a save.
    bool Unsaved = false;
    // The file could not be read and was refused whole. It is kept as it is until the
    // user changes an offset: only that change replaces it.
    bool FileDamaged = false;
};

struct LoadedOffsetTable {
    OffsetTable table;
    ListFileState state = ListFileState::Missing;
    QString message;  // Damaged: what is wrong, naming the file, line and field
};

// The offsets of a serial key met for the first time, in all four groups.
inline constexpr ChannelValues DefaultChannelOffsets{-176, -97, -277, -5, -242, -307, -251, -31, -132};

QString offsetTableFilePath();

// Reads the table; never writes. A missing file gives an empty table. A damaged file
// gives an empty table marked FileDamaged and the message: no row of it is used,
// so rows read before the damage are not mixed with what follows. Offsets beyond
// −500..500 are held within that range.
LoadedOffsetTable LoadOffsetTable(const QString &path);

// Writes every row and clears Unsaved and FileDamaged; throws BrantFileError and
// leaves the old file as it was when it cannot be written.
void SaveOffsetTable(const QString &path, OffsetTable &table);

// The table holds changes that may replace the file: what the colour window's close
// asks before it saves.
bool OffsetSaveDue(const OffsetTable &table);

// For a slot with serial key `serialKey` and selection `selection` (0..4): a known key
// with selection 1..4 sets `offsets` to that group, selection 0 leaves them. An unknown
// key appends one row with the default offsets in all four groups and sets `offsets`
// to them. Returns true when the table must be saved now (a new row and a file that
// may be replaced).
bool SelectChannelOffsets(OffsetTable &table, int64_t serialKey, int selection, ChannelValues &offsets);

// With selection 1..4, copies `offsets` into that group of the key's row. The user's
// change also releases a damaged file for replacement.
void StoreChannelOffsets(OffsetTable &table, int64_t serialKey, int selection, const ChannelValues &offsets);

} // namespace brantview
