#include "StdFileImage.h"

#include "StdText.h"
#include "StdWriter.h"

#include <QBuffer>

void SubFileImage::addRow(std::initializer_list<TPACKET> echoes, std::initializer_list<TPACKET> records,
                          char16_t head)
{
    addRow(std::vector<TPACKET>(echoes), std::vector<TPACKET>(records), head);
}

void SubFileImage::addRow(const std::vector<TPACKET> &echoes, const std::vector<TPACKET> &records, char16_t head)
{
    rowIndex.push_back(static_cast<int32_t>(packets.size()));
    packets.push_back(makePacket(head, int16_t(echoes.size()), int16_t(records.size())));
    packets.insert(packets.end(), echoes.begin(), echoes.end());
    packets.insert(packets.end(), records.begin(), records.end());
}

void SubFileImage::repeatLastRow()
{
    rowIndex.push_back(rowIndex.back());
}

void SubFileImage::setVersion(const QString &version)
{
    setStdText(para.m_Version, 20, version);
}

QByteArray StdFileImage::build() const
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    std::vector<WIN32FINDDATA> trailer;
    for (const SubFileImage &sub : subFiles) {
        StdWriter::SubFileBlock block;
        block.para = &sub.para;
        block.counts = {int32_t(sub.rowIndex.size()), int32_t(sub.packets.size()), int32_t(sub.backRowIndex.size()),
                        int32_t(sub.backPackets.size())};
        block.rowIndex = std::as_bytes(std::span(sub.rowIndex));
        block.backRowIndex = std::as_bytes(std::span(sub.backRowIndex));
        block.packets = sub.packets;
        block.backPackets = sub.backPackets;
        WIN32FINDDATA record = sub.findData;
        record.nFileSizeLow = uint32_t(StdWriter::writeSubFileBlock(out, block, rawEchoCodes));
        trailer.push_back(record);
    }
    if (marks)
        StdWriter::writeMarkSection(out, *marks);
    StdWriter::writeTrailer(out, trailer);
    return bytes;
}
