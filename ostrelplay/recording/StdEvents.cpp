#include "STDDataOperation.h"

namespace {

TGainSet gainSetOf(const TSYSTEMPARA &para)
{
    TGainSet set;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c)
            set[r][c] = para.m_DeltaGain[r][c];
    return set;
}

} // namespace

void mystdfile::CalEvent()
{
    const size_t n = static_cast<size_t>(std_filecount);
    std_RecordIndex.assign(n, {});
    arr_RailTypeArea.assign(n, {});
    arr_RailType.assign(n, {});
    arr_GainArea.assign(n, {});
    arr_Gain.assign(n, {});

    for (size_t i = 0; i < n; ++i) {
        const TSYSTEMPARA &para = std_systemparas[i];
        const auto &index = std_packetindexs[i];
        const auto &packets = std_packets[i];
        auto &events = std_RecordIndex[i];
        auto &railAreas = arr_RailTypeArea[i];
        auto &railTypes = arr_RailType[i];
        auto &gainAreas = arr_GainArea[i];
        auto &gains = arr_Gain[i];

        // Sized by the loader's count; rows the loop skips leave (0, 0) entries.
        events.assign(size_t(std_RecordCount[i]), QPoint(0, 0));
        size_t filled = 0;
        railAreas.push_back(0);
        railTypes.push_back(para.m_RailType);
        gainAreas.push_back(0);
        gains.push_back(gainSetOf(para));
        const int r = StdFormat::railRow(para.m_RailType);

        const int32_t rows = std_scandataindexs[i].m_PacketIndexCount;
        // A row repeats the one before when its head does; a head that goes back
        // (a damaged index) would read packets again, so only rows whose head lies
        // beyond every head read so far are read: each packet once.
        int64_t lastHead = -1;
        for (int32_t k = 0; k < rows; ++k) {
            if (index[k] <= lastHead)
                continue;
            lastHead = index[k];
            const StdFormat::RowPackets row = StdFormat::rowPackets(packets, index[k]);
            for (int64_t p = row.recordBegin; p < row.recordEnd; ++p) {
                const TPACKET &packet = packets[p];
                const char16_t code = packet.m_Cmd;
                if (!StdFormat::isEventRecord(code))
                    continue;
                if (filled < events.size())
                    events[filled++] = QPoint(k, int(p));
                if (code == u'N') {
                    railAreas.push_back(k);
                    railTypes.push_back(int8_t(packet.m_Data1));
                } else if (code >= u'a' && code <= u'i') {
                    const int ch = code - u'a';
                    const float offset = float(packet.m_Data1 / 10.0 - para.m_Gain[r][ch]);
                    if (gainAreas.back() < k) {
                        gainAreas.push_back(k);
                        gains.push_back(gains.back());
                    }
                    gains.back()[r][ch] = offset;
                }
            }
        }
        gainAreas.push_back(rows - 1);
    }
}
