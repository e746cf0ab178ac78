#include "STDDataOperation.h"

#include "StdText.h"
#include "common/ByteReader.h"
#include "common/NumberFormat.h"
#include "common/ReadWholeFile.h"
#include "common/TailRewrite.h"
#include "ChannelGeometry.h"


namespace {

const DefaultRecordingSettings kDefaultSettings;

QString damaged(const QString &what)
{
    return QStringLiteral("文件已损坏，无法打开：%1").arg(what);
}

// Counts packets of the event kinds and turns raw echo codes 0..9 into '0'..'9'.
int32_t normaliseAndCount(TPACKET *packets, int64_t count)
{
    static const auto eventKinds = [] {
        std::array<uint8_t, 128> table{};
        for (int c = 0; c < 128; ++c)
            table[c] = StdFormat::isEventRecord(char16_t(c)) ? 1 : 0;
        return table;
    }();
    int32_t events = 0;
    for (int64_t i = 0; i < count; ++i) {
        const char16_t c = packets[i].m_Cmd;
        if (c < 10)
            packets[i].m_Cmd = char16_t(c + 48);
        else if (c < 128)
            events += eventKinds[c];
    }
    return events;
}

void normalise(TPACKET *packets, int64_t count)
{
    for (int64_t i = 0; i < count; ++i)
        if (packets[i].m_Cmd < 10)
            packets[i].m_Cmd = char16_t(packets[i].m_Cmd + 48);
}

} // namespace

mystdfile::mystdfile(const RecordingSettings *settings) : m_settings(settings)
{
}

const RecordingSettings &mystdfile::settings() const
{
    return m_settings ? *m_settings : kDefaultSettings;
}

void mystdfile::LoadStdFile(const QString &FilePath)
{
    // A save of marks in place that was cut short is undone before anything is read.
    const bool restored = asStdFileError([&] { return common::restoreInterruptedTail(FilePath); });
    common::FileBuffer bytes = asStdFileError([&] { return common::readWholeFile(FilePath); });
    const int64_t size = int64_t(bytes.size());
    if (size < 4)
        throw StdFileError(damaged(QStringLiteral("文件长度只有 %1 字节").arg(size)));
    common::ByteReader whole(bytes.data(), bytes.size(), FilePath);
    whole.seek(size_t(size - 4));
    const int32_t count = whole.read<int32_t>();
    if (count <= 0)
        throw StdFileError(damaged(QStringLiteral("子文件数为 %1").arg(count)));
    if (count > (size - 4) / StdFormat::kFindDataSize)
        throw StdFileError(damaged(QStringLiteral("文件太短，容纳不下 %1 个子文件的目录").arg(count)));
    const int64_t trailerStart = size - 4 - StdFormat::kFindDataSize * count;

    whole.seek(size_t(trailerStart));
    std::vector<WIN32FINDDATA> findData = whole.readArray<WIN32FINDDATA>(size_t(count));
    // The sub-file blocks and the marks lie before the trailer.
    common::ByteReader data(bytes.data(), size_t(trailerStart), FilePath);

    std::vector<int64_t> positions(static_cast<size_t>(count));
    std::vector<TSYSTEMPARA> paras(static_cast<size_t>(count));
    std::vector<TSCANDATAINDEX> counts(static_cast<size_t>(count));
    std::vector<std::span<const TPacketIndex>> rowIndexes(static_cast<size_t>(count)), backRowIndexes(static_cast<size_t>(count));
    std::vector<std::span<const TPACKET>> packets(static_cast<size_t>(count)), backPackets(static_cast<size_t>(count));
    std::vector<int32_t> recordCounts(static_cast<size_t>(count));

    int64_t at = 0;
    for (int32_t k = 0; k < count; ++k) {
        const QString which = QStringLiteral("第 %1 个子文件").arg(k + 1);
        if (k > 0) {
            const int64_t start = positions[k - 1] + findData[k - 1].nFileSizeLow;
            // A block starting inside the one before it is read out of that one's data.
            if (start < at)
                throw StdFileError(damaged(which + QStringLiteral("的起始位置落在前一个子文件之内")));
            at = start;
        }
        positions[k] = at;
        if (at + StdFormat::kParaSize + StdFormat::kCountsSize > trailerStart)
            throw StdFileError(damaged(which + QStringLiteral("的起始位置超出数据区")));
        data.seek(size_t(at));
        paras[k] = data.read<TSYSTEMPARA>();
        if (StdFormat::hasReservedBytes(paras[k]))
            data.skip(StdFormat::kReservedSize);
        if (data.remaining() < size_t(StdFormat::kCountsSize))
            throw StdFileError(damaged(which + QStringLiteral("的计数超出数据区")));
        const TSCANDATAINDEX c = data.read<TSCANDATAINDEX>();
        if (c.m_PacketIndexCount < 0 || c.m_ImagePacketCount < 0 || c.m_BackPacketIndexCount < 0
            || c.m_BackImagePacketCount < 0)
            throw StdFileError(damaged(which + QStringLiteral("的计数为负数")));
        if (at + StdFormat::blockSize(paras[k], c) > trailerStart)
            throw StdFileError(damaged(which + QStringLiteral("的行数或包数超出文件长度")));
        counts[k] = c;

        // Row indexes and packets stay in the buffer; the packets are normalised in place.
        const auto rows = [&](int32_t n) {
            const char *first = data.take(sizeof(TPacketIndex) * size_t(n));
            return std::span{reinterpret_cast<const TPacketIndex *>(first), size_t(n)};
        };
        const auto packetsInPlace = [&](int32_t n) {
            auto *first = reinterpret_cast<TPACKET *>(bytes.data() + data.position());
            data.skip(sizeof(TPACKET) * size_t(n));
            return std::span{first, size_t(n)};
        };
        rowIndexes[k] = rows(c.m_PacketIndexCount);
        backRowIndexes[k] = rows(c.m_BackPacketIndexCount);
        const std::span<TPACKET> image = packetsInPlace(c.m_ImagePacketCount);
        recordCounts[k] = normaliseAndCount(image.data(), c.m_ImagePacketCount);
        packets[k] = image;
        const std::span<TPACKET> back = packetsInPlace(c.m_BackImagePacketCount);
        normalise(back.data(), c.m_BackImagePacketCount);
        backPackets[k] = back;
        at = int64_t(data.position());
    }
    const int64_t markPos = at;

    const bool replayed = markPos != trailerStart;
    std::vector<std::vector<TREMARK>> marks(static_cast<size_t>(count));
    if (replayed) {
        data.seek(size_t(markPos));
        for (int32_t k = 0; k < count; ++k) {
            if (data.remaining() < sizeof(int32_t))
                throw StdFileError(damaged(QStringLiteral("回放标记区不完整")));
            const int32_t n = data.read<int32_t>();
            if (n < 0 || size_t(n) > data.remaining() / sizeof(TREMARK))
                throw StdFileError(damaged(QStringLiteral("第 %1 个子文件的标记数 %2 超出文件长度").arg(k + 1).arg(n)));
            marks[k] = data.readArray<TREMARK>(size_t(n));
        }
        // Marks read from anything but a whole mark section would be packet data.
        if (data.remaining() != 0)
            throw StdFileError(damaged(QStringLiteral("回放标记区与文件目录之间有 %1 字节无法识别").arg(data.remaining())));
    }

    // Everything fits: take it over.
    QStringList warnings;
    if (restored)
        warnings << QStringLiteral("上次保存回放标记时被中断，文件已恢复到保存前的样子。");
    if (StdFormat::versionNumber(paras.back()) < 140)
        warnings << QStringLiteral("警告：数据版本与软件版本不对应，继续播放可能产生错误，请将仪器升级到相应版本！");

    std_FilePath = FilePath;
    std_filecount = count;
    std_win32finddata = std::move(findData);
    std_position = std::move(positions);
    std_systemparas = std::move(paras);
    std_scandataindexs = std::move(counts);
    std_packetindexs = std::move(rowIndexes);
    std_backpacketindexs = std::move(backRowIndexes);
    std_packets = std::move(packets);
    std_backpackets = std::move(backPackets);
    std_RecordCount = std::move(recordCounts);
    m_diskTail = QByteArray(bytes.data() + markPos, qsizetype(size - markPos));
    m_fileBytes = std::move(bytes);
    std_trailerStart = trailerStart;
    std_markPos = markPos;
    std_Replayed = replayed;
    std_mark = std::move(marks);
    std_markcount.assign(size_t(count), 0);
    for (int32_t k = 0; k < count; ++k)
        std_markcount[k] = int32_t(std_mark[k].size());
    loadWarnings = warnings;

    CalEvent();

    // Probe start points are held 100 mm further along; wrapping keeps extreme
    // values reversible so the writers store exactly what was read.
    for (TSYSTEMPARA &para : std_systemparas)
        for (int32_t &point : para.m_StartPoint)
            point = int32_t(uint32_t(point) + 100u);

    std_packetindex = {};
    std_packet = {};
    std_FileSaved = true;
}

void mystdfile::SwitchFile(int FileN)
{
    if (FileN < 0 || FileN >= std_filecount)
        throw StdDataError(QStringLiteral("子文件 %1 不存在").arg(FileN + 1));
    std_systempara = std_systemparas[FileN];
    std_scandataindex = std_scandataindexs[FileN];
    std_packetindex = std_packetindexs[FileN];
    std_packet = std_packets[FileN];
    std_CurFile = FileN;

    std_bshowhide = settings().bandCollapse();
    resetStdHeigh();
    applyHelpLines();

    CurMark = 0;
    Cutting = false;
}

void mystdfile::applyHelpLines()
{
    HelpLine = settings().helpLineDepths(std_systempara.m_RailType);
}

void mystdfile::resetStdHeigh()
{
    std_OIMG_Height = ChannelGeometry::bandHeights(std_systempara.m_RailType, std_bshowhide);
    std_bshowhidevalue = ChannelGeometry::collapsedDepth(std_OIMG_Height, std_bshowhide);
}

TPos mystdfile::GetPos(int Channel, int Railtype, int Data1, int Data2, int StartPoint) const
{
    const float range = Channel >= 0 && Channel < 9 ? std_systempara.m_Range[Channel] : 0.0f;
    return ChannelGeometry::echoPosition(Channel, Railtype, Data1, Data2, StartPoint, range);
}

StdFormat::RowPackets mystdfile::rowPackets(int subFile, int64_t row) const
{
    if (subFile < 0 || subFile >= std_filecount)
        return {};
    const auto &index = std_packetindexs[subFile];
    if (row < 0 || row >= int64_t(index.size()))
        return {};
    return StdFormat::rowPackets(std_packets[subFile], index[row]);
}

StdFormat::RowPackets mystdfile::rowPackets(int64_t row) const
{
    if (row < 0 || row >= int64_t(std_packetindex.size()))
        return {};
    return StdFormat::rowPackets(std_packet, std_packetindex[row]);
}

QString subFileComboLine(const mystdfile &file, int k)
{
    const TSYSTEMPARA &p = file.std_systemparas.at(size_t(k));
    const QString two = QStringLiteral("  ");
    return QString::number(k + 1) + QLatin1Char('/') + QString::number(file.std_filecount) + QStringLiteral("     ")
        + stdText(p.m_LineNameChar, 10) + two + stdText(p.m_StationNameChar, 10) + two
        + StdFormat::lineTypeName(p.m_LineType) + two
        + (p.m_LeftRightLine == 0 ? QStringLiteral("左股") : QStringLiteral("右股")) + two
        + stdText(p.m_OperatorName, 10) + two + QStringLiteral("地段:") + QString::number(p.m_Area);
}
