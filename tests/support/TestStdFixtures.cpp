#include "TestStdFixtures.h"

#include "recording/StdFormat.h"
#include "recording/StdText.h"

#include <QFile>

#include <cstring>
#include <stdexcept>

namespace StdTest {

TSYSTEMPARA minimalPara(const QString &version)
{
    TSYSTEMPARA para{};
    setStdText(para.m_Version, 20, version);
    for (float &range : para.m_Range)
        range = 250.0f;
    para.m_Date = 20170524;
    para.m_Time = 93005;
    return para;
}

SubFileImage minimalSubFile(const QString &version)
{
    SubFileImage sub;
    sub.para = minimalPara(version);
    return sub;
}

SubFileImage scanRun(const QString &version, int rows, int seed)
{
    SubFileImage sub = minimalSubFile(version);
    for (int k = 0; k < rows; ++k) {
        std::vector<TPACKET> echoes;
        for (int e = 0; e < (k + seed) % 4; ++e)
            echoes.push_back(makePacket(char16_t(u'0' + (k + e + seed) % 10), int16_t(10 + k), int16_t(20 + k)));
        std::vector<TPACKET> records;
        if (k % 5 == 2)
            records.push_back(makePacket(u'M', 12, int16_t(k)));
        if (k % 7 == 3)
            records.push_back(makePacket(u'B'));
        sub.addRow(echoes, records, k % 2 ? u'#' : u'@');
    }
    sub.backRowIndex = {0, 2};
    sub.backPackets = {makePacket(u'@', 1, 0), makePacket(u'3', 40, 41), makePacket(u'@', 0, 0)};
    sub.findData.dwFileAttributes = 0x20;
    sub.findData.ftCreationTime = {0x11110000u + uint32_t(seed), 0x01D2u};
    sub.findData.ftLastAccessTime = {0x22220000u + uint32_t(seed), 0x01D3u};
    sub.findData.ftLastWriteTime = {0x33330000u + uint32_t(seed), 0x01D4u};
    sub.findData.dwOID = 0x55u;
    setStdText(sub.findData.cFileName, 260, QStringLiteral("RUN%1.STD").arg(seed));
    return sub;
}

QString StdFileDir::write(const QString &name, const StdFileImage &image) const
{
    return TestDir::write(name, image.build());
}

std::unique_ptr<mystdfile> loadStd(const QString &path, const RecordingSettings *settings)
{
    auto file = std::make_unique<mystdfile>(settings);
    file->LoadStdFile(path);
    file->SwitchFile(0);
    return file;
}

int32_t int32At(const QByteArray &bytes, qsizetype offset)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, 4);
    return value;
}

void setInt32At(QByteArray &bytes, qsizetype offset, int32_t value)
{
    std::memcpy(bytes.data() + offset, &value, 4);
}

qsizetype countsOffset(const TSYSTEMPARA &para)
{
    return StdFormat::kParaSize + (StdFormat::hasReservedBytes(para) ? StdFormat::kReservedSize : 0);
}

qsizetype trailerOffset(const QByteArray &bytes)
{
    const int32_t count = int32At(bytes, bytes.size() - 4);
    return bytes.size() - 4 - qsizetype(count) * StdFormat::kFindDataSize;
}

std::vector<PacketValues> packetValues(std::span<const TPACKET> packets)
{
    std::vector<PacketValues> values;
    values.reserve(packets.size());
    for (const TPACKET &p : packets)
        values.push_back({int(p.m_Cmd), int(p.m_Data1), int(p.m_Data2)});
    return values;
}

std::vector<int32_t> indexValues(std::span<const TPacketIndex> index)
{
    return std::vector<int32_t>(index.begin(), index.end());
}

} // namespace StdTest
