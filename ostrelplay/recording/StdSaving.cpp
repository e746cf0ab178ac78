#include "STDDataOperation.h"

#include "StdWriter.h"
#include "common/AtomicFile.h"
#include "common/NativePaths.h"
#include "common/TailRewrite.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>

namespace {

// The parameter block as stored in the file: probe start points as they were read.
TSYSTEMPARA fileForm(const TSYSTEMPARA &held)
{
    TSYSTEMPARA stored = held;
    for (int32_t &point : stored.m_StartPoint)
        point = int32_t(uint32_t(point) - 100u);
    return stored;
}

} // namespace

void mystdfile::AddMark(char16_t Cmd, int32_t Pos)
{
    if (Pos < 0 || std_CurFile < 0 || std_CurFile >= std_filecount)
        return;
    std_mark[std_CurFile].push_back(TREMARK{Cmd, Pos});
    std_markcount[std_CurFile] = int32_t(std_mark[std_CurFile].size());
    std_FileSaved = false;
}

void mystdfile::SaveStdFile(const QString &FilePath, bool FastSave)
{
    if (FastSave)
        writeFastSave(FilePath);
    else
        writeWholeFile(FilePath);
    std_FileSaved = true;
}

// The mark section, the trailer and the count: everything behind the sub-file blocks.
QByteArray mystdfile::tailBytes(const std::vector<WIN32FINDDATA> &trailer, int64_t *trailerOffset) const
{
    QByteArray tail;
    QBuffer out(&tail);
    out.open(QIODevice::WriteOnly);
    StdWriter::writeMarkSection(out, std_mark);
    if (trailerOffset)
        *trailerOffset = tail.size();
    StdWriter::writeTrailer(out, trailer);
    return tail;
}

// Under the writer's lock: true when `onDisk` already ends in `tail`. Throws when the
// recording's own file is no longer what was read or last saved: another program
// wrote it, and writing now would lose what it wrote.
bool mystdfile::diskHoldsTail(QFile &onDisk, const QString &FilePath, const QByteArray &tail) const
{
    const int64_t size = onDisk.size();
    const bool changed = FilePath == std_FilePath
        ? size != std_markPos + m_diskTail.size() || !onDisk.seek(std_markPos) || onDisk.read(size - std_markPos) != m_diskTail
        : size < std_markPos;
    if (changed)
        throw StdFileError(QStringLiteral("文件 %1 在打开后已被改动，回放标记未保存").arg(FilePath));
    return size == std_markPos + tail.size() && onDisk.seek(std_markPos) && onDisk.read(tail.size()) == tail;
}

// Marks and trailer go behind the sub-file blocks of the recording's own file. The
// file is rewritten beside itself and replaced in one step, or, where it cannot be
// replaced, its tail is rewritten in place with the old one kept for recovery; a
// crash or a full disk leaves the recording as it was either way.
void mystdfile::writeFastSave(const QString &FilePath)
{
    int64_t trailerOffset = 0;
    const QByteArray tail = tailBytes(std_win32finddata, &trailerOffset);
    const bool ownFile = FilePath == std_FilePath;
    // Marks are only ever added, so a shorter file would mean lost data.
    if (ownFile && tail.size() < m_diskTail.size())
        throw StdFileError(QStringLiteral("保存后的文件 %1 会比原文件短，回放标记未保存").arg(FilePath));

    asStdFileError([&] {
        if (!common::canReplace(FilePath)) {
            common::TailRewrite rewrite(FilePath);
            if (!diskHoldsTail(rewrite.file(), FilePath, tail))
                rewrite.write(std_markPos, tail);
            return;
        }
        common::AtomicFile out(FilePath);
        QFile original;
        if (!common::openFile(original, FilePath, QIODevice::ReadOnly))
            throw StdFileError(QStringLiteral("无法打开文件 %1：%2").arg(FilePath, original.errorString()));
        if (diskHoldsTail(original, FilePath, tail) || !original.seek(0))
            return;
        common::copyInto(out, original, FilePath, std_markPos);
        out.write(tail);
        out.commit();
    });
    if (ownFile) {
        m_diskTail = tail;
        std_trailerStart = std_markPos + trailerOffset;
    }
}

void mystdfile::writeWholeFile(const QString &FilePath)
{
    std::vector<WIN32FINDDATA> trailer = std_win32finddata;
    std::vector<int64_t> positions(std_position.size());
    int64_t markPos = 0;
    QByteArray tail;
    int64_t trailerOffset = 0;
    const bool ownFile = FilePath == std_FilePath;
    asStdFileError([&] {
        common::AtomicFile file(FilePath);
        if (ownFile) {
            QFile original;
            if (common::openFile(original, FilePath, QIODevice::ReadOnly))
                diskHoldsTail(original, FilePath, m_diskTail);
        }
        QIODevice &out = file.device();
        for (int32_t k = 0; k < std_filecount; ++k) {
            positions[k] = out.pos();
            const TSYSTEMPARA stored = fileForm(std_systemparas[k]);
            StdWriter::SubFileBlock block;
            block.para = &stored;
            block.counts = std_scandataindexs[k];
            block.rowIndex = std::as_bytes(std_packetindexs[k]);
            block.backRowIndex = std::as_bytes(std_backpacketindexs[k]);
            block.packets = std_packets[k];
            block.backPackets = std_backpackets[k];
            // Blocks are written back to back, so each record names the length written.
            trailer[k].nFileSizeLow = uint32_t(StdWriter::writeSubFileBlock(out, block, true));
        }
        markPos = out.pos();
        tail = tailBytes(trailer, &trailerOffset);
        file.write(tail);
        file.commit();
    });

    // Saved over its own file: later fast saves continue from what is on disk now.
    if (ownFile) {
        std_win32finddata = std::move(trailer);
        std_position = std::move(positions);
        std_markPos = markPos;
        std_trailerStart = markPos + trailerOffset;
        m_diskTail = tail;
    }
}

void mystdfile::assembleCut()
{
    const int64_t rows = int64_t(std_packetindex.size());
    const int64_t s = CutStartPos;
    const int64_t e = CutEndPos;
    if (s < 0 || e >= rows || s > e)
        throw StdFileError(QStringLiteral("剪切范围 %1 - %2 不在子文件的 %3 行之内").arg(s).arg(e).arg(rows));
    const int64_t first = std_packetindex[s];
    const StdFormat::RowPackets last = StdFormat::rowPackets(std_packet, std_packetindex[e]);
    if (first < 0 || !last.valid() || last.head < first)
        throw StdFileError(QStringLiteral("剪切范围内的数据有误，无法剪切"));

    // The last row keeps its echoes and records so that its head's counts hold.
    const int64_t end = last.recordEnd;
    cut_systempara = std_systempara;
    cut_scandataindex = {int32_t(e - s + 1), int32_t(end - first), 0, 0};
    cut_packetindex.resize(size_t(e - s + 1));
    for (int64_t j = 0; j <= e - s; ++j)
        cut_packetindex[j] = int32_t(std_packetindex[s + j] - first);
    cut_packet.assign(std_packet.begin() + first, std_packet.begin() + end);
    cut_win32finddata = std_win32finddata[std_CurFile];
    cut_filecount = 1;
}

void mystdfile::writeCut(const QString &FilePath)
{
    const TSYSTEMPARA stored = fileForm(cut_systempara);
    StdWriter::SubFileBlock block;
    block.para = &stored;
    block.counts = cut_scandataindex;
    block.rowIndex = std::as_bytes(std::span<const int32_t>(cut_packetindex));
    block.packets = cut_packet;
    asStdFileError([&] {
        common::AtomicFile out(FilePath);
        cut_win32finddata.nFileSizeLow = uint32_t(StdWriter::writeSubFileBlock(out.device(), block, false));
        StdWriter::writeTrailer(out.device(), std::span<const WIN32FINDDATA>(&cut_win32finddata, 1));
        out.commit();
    });
}

void mystdfile::SaveCutedStdFile(const QString &FilePath)
{
    assembleCut();
    writeCut(FilePath);
}

void mystdfile::SaveCutedMarkedlessStdFile(const QString &FilePath)
{
    assembleCut();

    // Drop the instrument's event records row by row; heads and row indexes follow.
    std::vector<uint8_t> dropped(cut_packet.size(), 0);
    for (size_t j = 0; j < cut_packetindex.size(); ++j) {
        const StdFormat::RowPackets row = StdFormat::rowPackets(cut_packet, cut_packetindex[j]);
        for (int64_t p = row.recordBegin; p < row.recordEnd; ++p) {
            if (!dropped[p] && StdFormat::isInstrumentEvent(cut_packet[p].m_Cmd)) {
                dropped[p] = 1;
                --cut_packet[row.head].m_Data2;
            }
        }
    }
    std::vector<int32_t> droppedBefore(cut_packet.size() + 1, 0);
    for (size_t p = 0; p < cut_packet.size(); ++p)
        droppedBefore[p + 1] = droppedBefore[p] + dropped[p];
    for (int32_t &entry : cut_packetindex)
        if (entry >= 0)
            entry -= droppedBefore[std::min<size_t>(size_t(entry), cut_packet.size())];
    size_t kept = 0;
    for (size_t p = 0; p < cut_packet.size(); ++p)
        if (!dropped[p])
            cut_packet[kept++] = cut_packet[p];
    cut_packet.resize(kept);
    cut_scandataindex.m_ImagePacketCount = int32_t(kept);

    writeCut(FilePath);
}
