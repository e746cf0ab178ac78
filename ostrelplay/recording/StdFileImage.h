#pragma once
// A .std recording composed in code, written through the one writer: the test
// fixtures and the sample generator describe sub-files row by row and build bytes.

#include "STDDataStruct.h"

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <optional>
#include <vector>

inline TPACKET makePacket(char16_t cmd, int16_t data1 = 0, int16_t data2 = 0)
{
    return TPACKET{cmd, data1, data2};
}

struct SubFileImage {
    TSYSTEMPARA para{};  // as stored in the file
    std::vector<int32_t> rowIndex;
    std::vector<int32_t> backRowIndex;
    std::vector<TPACKET> packets;
    std::vector<TPACKET> backPackets;
    WIN32FINDDATA findData{};  // nFileSizeLow is set by build()

    // Appends a row: a head packet counting the echoes and records, then both.
    void addRow(std::initializer_list<TPACKET> echoes, std::initializer_list<TPACKET> records = {},
                char16_t head = u'@');
    void addRow(const std::vector<TPACKET> &echoes, const std::vector<TPACKET> &records, char16_t head = u'@');
    // Names the last row again, as the instrument does when it stands still.
    void repeatLastRow();

    void setVersion(const QString &version);
};

struct StdFileImage {
    std::vector<SubFileImage> subFiles;
    std::optional<std::vector<std::vector<TREMARK>>> marks;  // the mark section, when present
    bool rawEchoCodes = false;                                // store echo codes as 0..9

    QByteArray build() const;
};
