#include "EventRows.h"

#include "workspace/Workspace.h"

#include <algorithm>

namespace {

constexpr int MileageLookAhead = 1000;
constexpr int LightFlawSpan = 50;  // rows within which light flaws count as one alarm

// Replaces close runs of "轻伤" rows by one "轻发伤" or "重伤" row, then drops
// the rows of the three light-flaw kinds whose box is not ticked.
void groupLightFlaws(std::vector<EventRow> &rows, const EventKindTicks &ticks)
{
    const auto &captions = eventKindCaptions();
    const QString &light = captions[LightFlawKind];
    size_t x = 0;
    while (x < rows.size()) {
        if (rows[x].event == light) {
            const int base = rows[x].position;
            int n = 0;
            for (size_t k = x; k < std::min(x + 3, rows.size()); ++k)
                if (rows[k].event == light && rows[k].position - base < LightFlawSpan)
                    ++n;
            const int kind = n == 1 ? LightFlawKind : n == 2 ? DoubleLightFlawKind : HeavyFlawKind;
            if (n > 1) {
                rows[x].event = captions[kind];
                rows.erase(rows.begin() + std::ptrdiff_t(x) + 1, rows.begin() + std::ptrdiff_t(x) + n);
            }
            if (!ticks[kind]) {
                rows.erase(rows.begin() + std::ptrdiff_t(x));
                continue;
            }
        }
        ++x;
    }
}

} // namespace

const std::array<QString, EventKindCount> &eventKindCaptions()
{
    static const std::array<QString, EventKindCount> captions = {
        QStringLiteral("打点"),     QStringLiteral("轻伤"),     QStringLiteral("放过"),   QStringLiteral("道岔"),
        QStringLiteral("导线孔"),   QStringLiteral("关注"),     QStringLiteral("下道"),   QStringLiteral("倒车"),
        QStringLiteral("前进"),     QStringLiteral("起点"),     QStringLiteral("终点"),   QStringLiteral("焊筋接头"),
        QStringLiteral("里程校正"), QStringLiteral("增益调整"), QStringLiteral("操作者"), QStringLiteral("轨型切换"),
        QStringLiteral("轻发伤"),   QStringLiteral("重伤"),
    };
    return captions;
}

int eventKindIndex(char16_t code)
{
    if (code >= u'A' && code <= u'L')
        return code - u'A';
    if (code >= u'a' && code <= u'i')
        return 13;
    switch (code) {
    case u'V': return 12;
    case u'U': return 14;
    case u'N': return 15;
    default: return -1;
    }
}

EventMileage::EventMileage(const mystdfile &file, int subFile) : m_file(file), m_subFile(subFile) {}

QString EventMileage::textFor(int row)
{
    if (m_subFile < 0 || m_subFile >= m_file.std_filecount)
        return {};
    // Row 0 is never looked at: the instrument writes no mileage there.
    const int64_t first = std::max<int64_t>(row, 1);
    const int64_t last = std::min<int64_t>(int64_t(row) + MileageLookAhead,
                                           int64_t(m_file.std_packetindexs[size_t(m_subFile)].size()) - 1);
    if (first < m_askedFrom) {
        m_readTo = m_foundRow = -1;  // asked for an earlier row: what was read says nothing of it
    }
    m_askedFrom = first;
    // The first mileage at or after an earlier row, and not before this one, is this one's too.
    if (m_foundRow >= first)
        return m_foundRow <= last ? m_foundText : QString();

    const auto &packets = m_file.std_packets[size_t(m_subFile)];
    for (int64_t r = std::max(first, m_readTo + 1); r <= last; ++r) {
        const StdFormat::RowPackets span = m_file.rowPackets(m_subFile, r);
        for (int64_t p = span.recordBegin; p < span.recordEnd; ++p) {
            const TPACKET &packet = packets[size_t(p)];
            if (packet.m_Cmd == u'M') {
                m_readTo = m_foundRow = r;
                m_foundText = QString::number(packet.m_Data1) + QStringLiteral("km,") + QString::number(packet.m_Data2)
                              + QLatin1Char('m');
                return m_foundText;
            }
        }
    }
    m_readTo = std::max(m_readTo, last);
    m_foundRow = -1;
    return {};
}

QString eventMileageText(const mystdfile &file, int subFile, int row)
{
    return EventMileage(file, subFile).textFor(row);
}

std::vector<EventRow> eventRows(const mystdfile &file, const EventKindTicks &ticks)
{
    std::vector<EventRow> rows;
    for (int i = 0; i < file.std_filecount; ++i) {
        const auto &packets = file.std_packets[size_t(i)];
        const auto &index = file.std_RecordIndex[size_t(i)];
        const size_t count = std::min(index.size(), size_t(std::max(0, file.std_RecordCount[size_t(i)])));
        int n = 0;
        EventMileage mileage(file, i);
        for (size_t j = 0; j < count; ++j) {
            const QPoint event = index[j];
            if (event.y() < 0 || size_t(event.y()) >= packets.size())
                continue;
            const char16_t code = packets[size_t(event.y())].m_Cmd;
            const int kind = eventKindIndex(code);
            // Light flaws are always taken: their box filters after the grouping.
            if (kind < 0 || (!ticks[size_t(kind)] && kind != LightFlawKind))
                continue;
            ++n;
            rows.push_back({QString::number(i + 1) + QStringLiteral("->") + QString::number(n),
                            eventKindCaptions()[size_t(kind)], mileage.textFor(event.x()), event.x()});
        }
    }
    groupLightFlaws(rows, ticks);
    return rows;
}

int captionSubFile(const QString &caption)
{
    const qsizetype arrow = caption.indexOf(QStringLiteral("->"));
    if (arrow <= 0)
        return -1;
    bool ok = false;
    const int number = caption.left(arrow).toInt(&ok);
    return ok && number >= 1 ? number - 1 : -1;
}

bool selectSubFile(Workspace &workspace, int slot, int subFile)
{
    const FileSlot &s = workspace.slot(slot);
    if (!s.hasRecording() || subFile < 0 || subFile >= s.Recording->std_filecount)
        return false;
    if (s.comboIndex != subFile)
        workspace.cbbChange(slot, subFile);
    return true;
}

bool jumpToRow(Workspace &workspace, int slot, int subFile, int row)
{
    if (!selectSubFile(workspace, slot, subFile))
        return false;
    workspace.setPosition(slot, row);
    return true;
}
