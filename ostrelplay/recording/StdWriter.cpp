#include "StdWriter.h"

#include "StdErrors.h"
#include "StdFormat.h"

#include <QFileDevice>
#include <algorithm>
#include <cstring>

namespace StdWriter {

void writeBytes(QIODevice &out, const void *data, int64_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const qint64 n = out.write(p, size);
        if (n <= 0) {
            const auto *file = qobject_cast<QFileDevice *>(&out);
            throw StdFileError(QStringLiteral("写入文件失败：%1")
                                   .arg(file ? file->fileName() + QStringLiteral("：") + out.errorString()
                                             : out.errorString()));
        }
        p += n;
        size -= n;
    }
}

static void writePackets(QIODevice &out, std::span<const TPACKET> packets, bool rawEchoCodes)
{
    if (!rawEchoCodes) {
        writeBytes(out, packets.data(), int64_t(packets.size()) * 6);
        return;
    }
    constexpr size_t chunk = 1 << 16;
    std::vector<TPACKET> buffer(std::min(chunk, packets.size()));
    for (size_t at = 0; at < packets.size(); at += chunk) {
        const size_t n = std::min(chunk, packets.size() - at);
        std::memcpy(buffer.data(), packets.data() + at, n * sizeof(TPACKET));
        for (size_t i = 0; i < n; ++i) {
            const char16_t c = buffer[i].m_Cmd;
            if (StdFormat::isEchoCode(c))
                buffer[i].m_Cmd = char16_t(c - u'0');
        }
        writeBytes(out, buffer.data(), int64_t(n) * 6);
    }
}

int64_t writeSubFileBlock(QIODevice &out, const SubFileBlock &block, bool rawEchoCodes)
{
    writeBytes(out, block.para, sizeof(TSYSTEMPARA));
    int64_t written = sizeof(TSYSTEMPARA);
    if (StdFormat::hasReservedBytes(*block.para)) {
        const char zeros[4] = {};
        writeBytes(out, zeros, 4);
        written += 4;
    }
    writeBytes(out, &block.counts, sizeof block.counts);
    writeBytes(out, block.rowIndex.data(), int64_t(block.rowIndex.size()));
    writeBytes(out, block.backRowIndex.data(), int64_t(block.backRowIndex.size()));
    writePackets(out, block.packets, rawEchoCodes);
    writePackets(out, block.backPackets, rawEchoCodes);
    return written + int64_t(sizeof block.counts) + int64_t(block.rowIndex.size() + block.backRowIndex.size())
        + 6 * int64_t(block.packets.size() + block.backPackets.size());
}

void writeMarkSection(QIODevice &out, const std::vector<std::vector<TREMARK>> &marks)
{
    for (const auto &list : marks) {
        const int32_t count = static_cast<int32_t>(list.size());
        writeBytes(out, &count, 4);
        writeBytes(out, list.data(), int64_t(list.size()) * int64_t(sizeof(TREMARK)));
    }
}

void writeTrailer(QIODevice &out, std::span<const WIN32FINDDATA> records)
{
    writeBytes(out, records.data(), int64_t(records.size()) * int64_t(sizeof(WIN32FINDDATA)));
    const int32_t count = static_cast<int32_t>(records.size());
    writeBytes(out, &count, 4);
}

} // namespace StdWriter
