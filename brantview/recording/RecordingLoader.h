#pragma once
// Reading a Brantel file into a slot: an A-scan record as its frames, a stream
// decoded once into its records, columns and packet tables, counts and trailer.

#include "RecordingSlot.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace brantview {

// Called with 0..100 as the decoding goes on; a window lets its events run there.
using LoadProgress = std::function<void(int percent)>;

// Records between two progress reports.
inline constexpr int ProgressInterval = 30000;

// The file at `path` as a new slot. In the first pane a file whose first byte has
// the high nibble 8 is an A-scan record; everything else is a stream. Throws
// BrantFileError with a message for the user when the file is empty, cannot be
// read, or does not fit the supported range.
RecordingSlot LoadRecordingFile(const QString &path, bool firstPane, const QDateTime &openedAt,
                                const LoadProgress &progress = {});

// Decodes the stream held in `buffer` (the whole file, `length` bytes) into `slot`,
// whose tables are empty; the buffer becomes the slot's records.
void DecodeStream(common::FileBuffer buffer, int64_t length, RecordingSlot &slot, const LoadProgress &progress = {});

// A stream held in memory (a sample made in code) decoded as a slot named `fileName`.
RecordingSlot DecodeStreamBytes(const QByteArray &bytes, const QString &fileName);

} // namespace brantview
