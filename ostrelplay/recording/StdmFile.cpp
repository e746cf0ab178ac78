#include "StdmFile.h"


#include "StdErrors.h"
#include "StdFormat.h"
#include "StdText.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr int64_t kHeadSize = sizeof(TRECORDDATAINDEX) + sizeof(TSYSTEMPARA);

// Copies what the file holds of one record part; the rest stays zero.
template <typename T>
T readPart(const QByteArray &bytes, int64_t at)
{
    T part{};
    const int64_t available = std::clamp<int64_t>(bytes.size() - at, 0, sizeof(T));
    if (available > 0)
        std::memcpy(reinterpret_cast<char *>(&part), bytes.constData() + at, size_t(available));
    return part;
}

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
    const int from = int(double(gate.start) / 400.0 * StdmTraceColumns);
    const int to = int((double(gate.start) + gate.width) / 400.0 * StdmTraceColumns);
    return {std::max(from, 0), std::min(to, StdmTraceColumns - 1)};
}

// The largest 399 - trace value over all frames in the columns of the channel's gates.
int highestAmplitude(const TSYSTEMPARA &para, const TMOVIEDATA &movie)
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

    int d = 0;
    for (const GateSpan &gate : gates) {
        const auto [first, last] = gateColumns(gate);
        for (const TSTDMFRAME &frame : movie.m_Frames)
            for (int col = first; col <= last; ++col)
                d = std::max(d, 399 - frame.m_Trace[col]);
    }
    return d;
}

} // namespace

void mystdmfile::LoadStdmFile(const QString &FilePath)
{
    QFile file(FilePath);
    if (!file.open(QIODevice::ReadOnly))
        throw StdFileError(QStringLiteral("无法打开录像文件 %1：%2").arg(FilePath, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw StdFileError(QStringLiteral("读取录像文件 %1 失败：%2").arg(FilePath, file.errorString()));
    file.close();
    if (bytes.isEmpty())
        throw StdFileError(QStringLiteral("录像文件 %1 是空的，没有录像记录").arg(FilePath));

    // Where each record starts, found before anything is allocated for the records.
    std::vector<int64_t> starts;
    for (int64_t at = 0; at < bytes.size();) {
        if (bytes.size() - at < kHeadSize)
            throw StdFileError(QStringLiteral("录像文件已损坏：第 %1 个记录的记录头和参数不完整（文件在第 %2 字节处结束）")
                                   .arg(starts.size() + 1)
                                   .arg(bytes.size()));
        starts.push_back(at);
        const auto para = readPart<TSYSTEMPARA>(bytes, at + int64_t(sizeof(TRECORDDATAINDEX)));
        at += kHeadSize + reservedSize(para) + int64_t(sizeof(TMOVIEDATA));
    }

    std::vector<TRECORDDATAINDEX> indexes;
    std::vector<TSYSTEMPARA> paras;
    std::vector<TMOVIEDATA> movies;
    indexes.reserve(starts.size());
    paras.reserve(starts.size());
    movies.reserve(starts.size());
    for (const int64_t at : starts) {
        indexes.push_back(readPart<TRECORDDATAINDEX>(bytes, at));
        paras.push_back(readPart<TSYSTEMPARA>(bytes, at + int64_t(sizeof(TRECORDDATAINDEX))));
        movies.push_back(readPart<TMOVIEDATA>(bytes, at + kHeadSize + reservedSize(paras.back())));
    }

    stdm_filecount = int(starts.size());
    stdm_recordindexs = std::move(indexes);
    stdm_systemparas = std::move(paras);
    stdm_moviedatas = std::move(movies);
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
        stdm_db.append(known ? formatFloat(para.m_Gain[r][ch]) + QLatin1Char('+') + formatFloat(para.m_DeltaGain[r][ch])
                             : QString());
        const int d = highestAmplitude(para, stdm_moviedatas[size_t(i)]);
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
