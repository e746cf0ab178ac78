#include "STDDataOperation.h"

#include "StdWriter.h"
#include "common/AtomicFile.h"

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

// Marks and trailer go behind the sub-file blocks of the recording's own file.
// The file is rewritten beside itself and replaced in one step, so a crash or a
// full disk leaves the old recording intact.
void mystdfile::writeFastSave(const QString &FilePath)
{
    QByteArray tail;
    QBuffer tailOut(&tail);
    tailOut.open(QIODevice::WriteOnly);
    StdWriter::writeMarkSection(tailOut, std_mark);
    const int64_t trailerStart = std_markPos + tail.size();
    StdWriter::writeTrailer(tailOut, std_win32finddata);

    QFile original(FilePath);
    if (!original.open(QIODevice::ReadOnly))
        throw StdFileError(QStringLiteral("无法打开文件 %1：%2").arg(FilePath, original.errorString()));
    const int64_t size = original.size();
    const bool ownFile = FilePath == std_FilePath;
    if ((ownFile && size != m_fileSize) || size < std_markPos)
        throw StdFileError(QStringLiteral("文件 %1 在打开后已被改动，回放标记未保存").arg(FilePath));

    if (size == std_markPos + tail.size() && original.seek(std_markPos) && original.read(tail.size()) == tail) {
        std_trailerStart = trailerStart;
        return;
    }
    if (!original.seek(0))
        throw StdFileError(QStringLiteral("读取文件 %1 失败：%2").arg(FilePath, original.errorString()));

    asStdFileError([&] {
        common::AtomicFile out(FilePath);
        constexpr int64_t chunk = 4 << 20;
        for (int64_t done = 0; done < std_markPos;) {
            const QByteArray part = original.read(std::min(chunk, std_markPos - done));
            if (part.isEmpty())
                throw StdFileError(QStringLiteral("读取文件 %1 失败：%2").arg(FilePath, original.errorString()));
            out.write(part);
            done += part.size();
        }
        out.write(tail);
        out.commit();
    });
    if (ownFile) {
        m_fileSize = std_markPos + tail.size();
        std_trailerStart = trailerStart;
    }
}

void mystdfile::writeWholeFile(const QString &FilePath)
{
    std::vector<WIN32FINDDATA> trailer = std_win32finddata;
    std::vector<int64_t> positions(std_position.size());
    int64_t markPos = 0, trailerStart = 0, size = 0;
    asStdFileError([&] {
        common::AtomicFile file(FilePath);
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
        StdWriter::writeMarkSection(out, std_mark);
        trailerStart = out.pos();
        StdWriter::writeTrailer(out, trailer);
        size = out.pos();
        file.commit();
    });

    // Saved over its own file: later fast saves continue from what is on disk now.
    if (FilePath == std_FilePath) {
        std_win32finddata = std::move(trailer);
        std_position = std::move(positions);
        std_markPos = markPos;
        std_trailerStart = trailerStart;
        m_fileSize = size;
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
