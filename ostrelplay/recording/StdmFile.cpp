#include "StdmFile.h"


#include "StdErrors.h"
#include "StdFormat.h"
#include "common/ByteReader.h"
#include "common/Conversions.h"
#include "common/NumberFormat.h"
#include "common/ReadWholeFile.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int64_t kHeadSize = sizeof(TRECORDDATAINDEX) + sizeof(TSYSTEMPARA);

int64_t reservedSize(const TSYSTEMPARA &para)
{
    return StdFormat::hasReservedBytes(para) ? StdFormat::kReservedSize : 0;
}

struct GateSpan {
    int32_t start, width;
};

// Columns Trunc(S / 400 x 420) .. Trunc((S + W) / 400 x 420), kept within the trace;
// first > last when the gate covers none.
std::pair<int, int> gateColumns(const GateSpan &gate)
{
    const int from = common::saturatedToInt32(double(gate.start) / 400.0 * StdmTraceColumns);
    const int to = common::saturatedToInt32((double(gate.start) + gate.width) / 400.0 * StdmTraceColumns);
    return {std::max(from, 0), std::min(to, StdmTraceColumns - 1)};
}

// The largest 399 - trace value over all frames in the columns of the channel's gates.
int64_t highestAmplitude(const TSYSTEMPARA &para, const TMOVIEDATA &movie)
{
    const int ch = para.m_AutoAmpl;
    if (ch < 0 || ch >= StdFormat::ChannelCount)
        return 0;
    const int r = StdFormat::railRow(para.m_RailType);
    std::vector<GateSpan> gates{{para.m_Gate1Start[r][ch], para.m_Gate1Width[r][ch]}};
    if (ch == 3 || ch == 4 || ch == 5)
        gates.push_back({para.m_Gate2Start[r][ch], para.m_Gate2Width[r][ch]});
    if (ch == 5)
        gates.push_back({para.m_Gate3Start[r][ch], para.m_Gate3Width[r][ch]});

    // Traces of a damaged file can hold any value: the difference is taken in 64 bits.
    int64_t d = 0;
    for (const GateSpan &gate : gates) {
        const auto [first, last] = gateColumns(gate);
        for (const TSTDMFRAME &frame : movie.m_Frames)
            for (int col = first; col <= last; ++col)
                d = std::max(d, 399 - int64_t(frame.m_Trace[col]));
    }
    return d;
}

} // namespace

void mystdmfile::LoadStdmFile(const QString &FilePath)
{
    const common::FileBuffer file =
        asStdFileError([&] { return common::readWholeFile(FilePath, QStringLiteral("录像文件")); });
    if (file.size() == 0)
        throw StdFileError(QStringLiteral("录像文件 %1 是空的，没有录像记录").arg(FilePath));
    common::ByteReader reader(file.data(), file.size(), FilePath);
    // The last record may end early: its movie data reads as far as it goes, the rest zero.
    const auto skipUpTo = [&reader](size_t count) { reader.skip(std::min(count, reader.remaining())); };

    // Where each record starts, found before anything is allocated for the records.
    std::vector<size_t> starts;
    QString warning;
    while (reader.remaining() > 0) {
        if (reader.remaining() < size_t(kHeadSize)) {
            const QString broken = QStringLiteral("第 %1 个记录的记录头和参数不完整（文件在第 %2 字节处结束）")
                                       .arg(starts.size() + 1)
                                       .arg(file.size());
            if (starts.empty())
                throw StdFileError(QStringLiteral("录像文件已损坏：") + broken);
            warning = QStringLiteral("录像文件末尾已损坏：%1，只列出前 %2 个记录。").arg(broken).arg(starts.size());
            break;
        }
        starts.push_back(reader.position());
        reader.skip(sizeof(TRECORDDATAINDEX));
        const auto para = reader.read<TSYSTEMPARA>();
        skipUpTo(size_t(reservedSize(para)) + sizeof(TMOVIEDATA));
    }

    std::vector<TRECORDDATAINDEX> indexes;
    std::vector<TSYSTEMPARA> paras;
    std::vector<TMOVIEDATA> movies;
    indexes.reserve(starts.size());
    paras.reserve(starts.size());
    movies.reserve(starts.size());
    for (const size_t at : starts) {
        reader.seek(at);
        indexes.push_back(reader.read<TRECORDDATAINDEX>());
        paras.push_back(reader.read<TSYSTEMPARA>());
        skipUpTo(size_t(reservedSize(paras.back())));
        movies.push_back(reader.readZeroFilled<TMOVIEDATA>());
    }

    stdm_filecount = int(starts.size());
    stdm_recordindexs = std::move(indexes);
    stdm_systemparas = std::move(paras);
    stdm_moviedatas = std::move(movies);
    loadWarning = warning;
    getInfo();
}

void mystdmfile::getInfo()
{
    stdm_channel.clear();
    stdm_db.clear();
    stdm_amp.clear();
    for (int i = 0; i < stdm_filecount; ++i) {
        const TSYSTEMPARA &para = stdm_systemparas[size_t(i)];
        const int ch = para.m_AutoAmpl;
        const int r = StdFormat::railRow(para.m_RailType);
        stdm_channel.append(stdmChannelText(ch));
        const bool known = ch >= 0 && ch < StdFormat::ChannelCount;
        stdm_db.append(known ? common::formatFloat(para.m_Gain[r][ch]) + QLatin1Char('+') + common::formatFloat(para.m_DeltaGain[r][ch])
                             : QString());
        const int64_t d = highestAmplitude(para, stdm_moviedatas[size_t(i)]);
        stdm_amp.append(QString::asprintf("%.2f", double(d) / 399.0 * 100.0) + QLatin1Char('%'));
    }
}

QString stdmChannelText(int ch)
{
    if (ch >= 0 && ch <= 5)
        return QString::number(ch + 1);
    if (ch >= 6 && ch <= 8)
        return QString::number(ch - 5) + QLatin1Char('A');
    return {};
}

std::vector<StdmListRow> stdmListRows(const mystdmfile &file)
{
    std::vector<StdmListRow> rows;
    const qsizetype n = std::min<qsizetype>({file.stdm_channel.size(), file.stdm_db.size(), file.stdm_amp.size()});
    for (qsizetype i = 0; i < n; ++i)
        rows.push_back({QString::number(i + 1), file.stdm_channel[i], file.stdm_db[i], file.stdm_amp[i]});
    return rows;
}

QStringList stdmComboTexts(const mystdmfile &file)
{
    QStringList texts;
    for (int i = 0; i < file.stdm_filecount; ++i)
        texts.append(QStringLiteral("文件%1").arg(i + 1));
    return texts;
}

QByteArray stdmRecordImage(const TRECORDDATAINDEX &index, const TSYSTEMPARA &para, const TMOVIEDATA &movie)
{
    QByteArray bytes;
    bytes.append(reinterpret_cast<const char *>(&index), sizeof index);
    bytes.append(reinterpret_cast<const char *>(&para), sizeof para);
    bytes.append(QByteArray(reservedSize(para), '\0'));
    bytes.append(reinterpret_cast<const char *>(&movie), sizeof movie);
    return bytes;
}
