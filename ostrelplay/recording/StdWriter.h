#pragma once
// The one writer of .std byte images: sub-file blocks, the mark section and the
// trailer. Used by the whole save, the fast save, the cuts and the file builder.

#include "STDDataStruct.h"

#include <QIODevice>
#include <cstddef>
#include <span>
#include <vector>

namespace StdWriter {

struct SubFileBlock {
    const TSYSTEMPARA *para = nullptr;  // exactly as it is to be stored
    TSCANDATAINDEX counts{};
    std::span<const std::byte> rowIndex;      // 4 bytes per row
    std::span<const std::byte> backRowIndex;  // 4 bytes per row
    std::span<const TPACKET> packets;
    std::span<const TPACKET> backPackets;
};

// Writes one block; with rawEchoCodes the echo codes '0'..'9' are stored as 0..9.
// Returns the bytes written. Throws StdFileError when the device refuses a write.
int64_t writeSubFileBlock(QIODevice &out, const SubFileBlock &block, bool rawEchoCodes);

// For each sub-file: its mark count and its marks.
void writeMarkSection(QIODevice &out, const std::vector<std::vector<TREMARK>> &marks);

// The trailer records followed by the sub-file count.
void writeTrailer(QIODevice &out, std::span<const WIN32FINDDATA> records);

void writeBytes(QIODevice &out, const void *data, int64_t size);

} // namespace StdWriter
