#include "Overspeed.h"

#include "common/FileNames.h"
#include "rendering/BScanRenderer.h"
#include "recording/StdFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// The rows at the end of a sub-file the scan leaves out, and the row an open run's
// end mileage is read from, counted back from the end.
constexpr int64_t TailRows = 5;
constexpr int64_t OpenRunEndBack = 1000;

QString averageSpeedText(int64_t sum, int64_t count)
{
    // Hundredths of km/s are sum x SpeedFactor / count: one division, so an exact half
    // stays exact and nearbyint (default rounding mode) takes it to the even neighbour.
    const double hundredths = std::nearbyint(double(sum) * SpeedFactor / double(count));
    return QString::number(hundredths / 100.0, 'g', QLocale::FloatingPointShortest) + QStringLiteral("km/s");
}

class SubFileScan {
public:
    SubFileScan(const mystdfile &file, int subFile, OverspeedResult &result)
        : m_file(file), m_subFile(subFile), m_result(result)
    {
    }

    void speed(int64_t row, int32_t raw, int32_t threshold, int64_t minimumRows)
    {
        if (!m_open) {
            if (raw >= threshold)
                open(row, raw);
            return;
        }
        if (raw >= threshold) {
            m_sum += raw;
            ++m_count;
            return;
        }
        if (row - m_start > minimumRows)
            add(row, (row - m_start) / StdFormat::RowsPerMetre);
        m_open = false;
    }

    void finish(int64_t rowCount)
    {
        if (m_open)
            add(rowCount - OpenRunEndBack, (rowCount - m_start - TailRows) / StdFormat::RowsPerMetre);
        m_open = false;
    }

private:
    void open(int64_t row, int32_t raw)
    {
        m_open = true;
        m_start = row;
        m_sum = raw;
        m_count = 1;
    }

    void add(int64_t endRow, int64_t metres)
    {
        m_result.rows.push_back({QString::number(m_result.rows.size() + 1),
                                 m_file.GetMileageByPacketindex(m_subFile, int(m_start)),
                                 m_file.GetMileageByPacketindex(m_subFile, int(endRow)),
                                 QString::number(metres) + QLatin1Char('m'), averageSpeedText(m_sum, m_count)});
        m_result.totalMetres += metres;
    }

    const mystdfile &m_file;
    int m_subFile;
    OverspeedResult &m_result;
    bool m_open = false;
    int64_t m_start = 0;
    int64_t m_sum = 0;
    int64_t m_count = 0;
};

} // namespace

bool speedKeyAccepted(const QString &text, QChar key)
{
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (key == QLatin1Char('\b'))
        return true;
    return key == QLatin1Char('.') && !text.isEmpty() && !text.contains(QLatin1Char('.'));
}

int32_t rawSpeedThreshold(double speed)
{
    return int32_t(std::trunc(speed * 100.0 / SpeedFactor));
}

QString withXlsExtension(const QString &name)
{
    return common::withExtension(name, QStringLiteral(".xls"), Qt::CaseSensitive);
}

QString overspeedSubFileStatus(int subFile)
{
    return QStringLiteral("子文件 %1 统计中...").arg(subFile + 1);
}

QString overspeedTotalStatus(const OverspeedResult &result)
{
    return QString::number(result.rows.size()) + QStringLiteral("处超速共") + QString::number(result.totalMetres)
        + QStringLiteral("米");
}

OverspeedResult overspeedScan(const mystdfile &file, int32_t rawThreshold, int64_t minimumMetres,
                              const OverspeedProgress &progress)
{
    OverspeedResult result;
    const int64_t minimumRows = minimumMetres * StdFormat::RowsPerMetre;
    const int subFiles = std::min<int>(file.std_filecount, int(std::min(file.std_scandataindexs.size(), file.std_packets.size())));
    for (int i = 0; i < subFiles; ++i) {
        const int64_t rowCount = file.std_scandataindexs[size_t(i)].m_PacketIndexCount;
        if (rowCount < TailRows)
            continue;
        const int64_t last = rowCount - TailRows;
        if (progress.subFileStarted)
            progress.subFileStarted(i, last);
        const auto &packets = file.std_packets[size_t(i)];
        SubFileScan scan(file, i, result);
        int64_t position = 0;
        for (int64_t r = 0; r <= last; ++r) {
            const StdFormat::RowPackets span = file.rowPackets(i, r);
            for (int64_t p = span.recordBegin; p < span.recordEnd; ++p)
                if (packets[size_t(p)].m_Cmd == u'O')
                    scan.speed(r, packets[size_t(p)].m_Data1, rawThreshold, minimumRows);
            if (r > position + OverspeedProgressStep) {
                position += OverspeedProgressStep;
                if (progress.advanced)
                    progress.advanced(position);
            }
        }
        scan.finish(rowCount);
    }
    return result;
}
