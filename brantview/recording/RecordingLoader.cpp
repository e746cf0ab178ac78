#include "RecordingLoader.h"

#include "PacketCollector.h"
#include "Packets.h"
#include "RecordingErrors.h"
#include "common/NativePaths.h"
#include "common/ReadWholeFile.h"
#include "common/TailRewrite.h"

#include <array>
#include <cstring>
#include <limits>
#include <new>

namespace brantview {

namespace {

// Per code: a mask for its step value (all nine bits when it advances the position,
// none otherwise) and whether it needs the slow path (a data check, a packet byte,
// a mark, or no valid code at all).
constexpr uint16_t StepBits = 0x1FF;
constexpr uint16_t Special = 0x8000;

constexpr std::array<uint16_t, 128> codeInfo = [] {
    std::array<uint16_t, 128> info{};
    for (int code = 0; code < 128; ++code) {
        const bool special = !isValidRecord(code, 1) || code == Code::Mark || code == Code::SwitchMark
            || (code >= Code::Mileage && code <= Code::RailSetupExt) || code == Code::SwitchNumber
            || code == Code::TrackNumber || code == Code::Calibration;
        info[size_t(code)] = uint16_t((special ? Special : 0) | (advancesPosition(code) ? StepBits : 0));
    }
    return info;
}();

// Per-column "seen" bits: S(0..12) of the marks, then the curve and M marks.
constexpr uint32_t seenBit(int index) { return 1u << index; }
constexpr uint32_t CurveSeen = 1u << 13;
constexpr uint32_t MSeen = 1u << 14;

class StreamDecoder {
public:
    explicit StreamDecoder(RecordingSlot &slot) : m_slot(slot) {}

    // Decodes records [from, to), closing a column at `to` - 1 whatever its step when
    // `endsStream`; false when the end marker ended the records.
    bool decode(uint8_t *records, int64_t from, int64_t to, bool endsStream);
    int64_t markerIndex() const { return m_marker; }

private:
    unsigned special(uint8_t *r, unsigned advance);
    void endColumn();
    void take(PacketKind p, uint8_t data) { m_packets.take(p, data); }
    bool complete(PacketKind p) const { return m_packets.complete(p); }
    template <size_t Fields>
    TableEntry<Fields> rawEntry(PacketKind p) const
    {
        TableEntry<Fields> entry{};
        entry[0] = int32_t(m_position);
        for (size_t k = 1; k < Fields; ++k)
            entry[k] = m_packets.bytes(p)[k - 1];
        return entry;
    }

    RecordingSlot &m_slot;
    int64_t m_position = 0;    // P
    int64_t m_marker = -1;
    PacketCollector m_packets;
    uint32_t m_seen = 0;
    int m_trackByte = 0;
    int m_curve = 0;           // Q
    int m_markFlag = 0;        // M
};

bool StreamDecoder::decode(uint8_t *records, int64_t from, int64_t to, bool endsStream)
{
    // The loop keeps its state in locals: the column stores could otherwise alias the
    // members and force them through memory on every record.
    ColumnArray::Stored *const start = m_slot.Columns.next();
    ColumnArray::Stored *column = start;
    int64_t position = m_position;
    bool columnState = m_packets.pending() || m_seen != 0;
    const int64_t forcedClose = endsStream ? to - 1 : -1;
    bool more = true;
    for (int64_t i = from; i < to; ++i) {
        uint8_t *r = records + 3 * i;
        const unsigned info = codeInfo[r[0] >> 1];
        unsigned advance = (((r[0] & 1u) << 8) | r[1]) & info;
        if (info & Special) [[unlikely]] {
            if (r[0] == EndMarker[0] && r[1] == EndMarker[1] && r[2] == EndMarker[2]) {
                m_marker = i;
                more = false;
                break;
            }
            advance = special(r, advance);
            columnState = m_packets.pending() || m_seen != 0;
        }
        // Every record writes the column it would close; only a closing one keeps it.
        position += advance;
        *column = {int32_t(position), int32_t(i)};
        const bool closes = advance != 0 || i == forcedClose;
        column += closes;
        if (closes && columnState) [[unlikely]] {
            m_position = position;
            endColumn();
            columnState = false;
        }
    }
    m_position = position;
    m_slot.Columns.keep(size_t(column - start));
    // A step adds at most 511: checked once a batch, the position cannot wrap meanwhile.
    if (m_position > std::numeric_limits<int32_t>::max())
        throw BrantFileError(QStringLiteral("记录的位置超过 %1 步，超出本程序能处理的范围")
                                 .arg(std::numeric_limits<int32_t>::max()));
    return more;
}

unsigned StreamDecoder::special(uint8_t *r, unsigned advance)
{
    const int code = r[0] >> 1;
    const uint8_t data = r[2];
    if (!isValidRecord(code, data)) {
        r[0] = uint8_t((Code::Error << 1) | (r[0] & 1));
        r[2] = 0;
        ++m_slot.MarkCounts[MarkCountIndex::Error];
        return 0;
    }
    switch (code) {
    case Code::Mark: {
        const int k = data;
        if (k == MarkKind::Star || k == MarkKind::Triangle || k == MarkKind::M)
            m_markFlag = 1;
        if (k <= MarkKind::Restart) {
            if (!(m_seen & seenBit(k - 1))) {
                m_seen |= seenBit(k - 1);
                ++m_slot.MarkCounts[size_t(k - 1)];
            }
        } else if (k == MarkKind::ClockError || k == MarkKind::MemoryError) {
            ++m_slot.MarkCounts[size_t(k - 1)];
        } else if (k == MarkKind::M) {
            if (!(m_seen & MSeen)) {
                m_seen |= MSeen;
                ++m_slot.MarkCounts[size_t(k - 1)];
            }
        } else if (k <= MarkKind::CurveEnd) {
            if (!(m_seen & CurveSeen)) {
                m_seen |= CurveSeen;
                ++m_slot.CurveMarkCount;
            }
            m_curve = k == MarkKind::CurveUpper ? 1 : k == MarkKind::CurveLower ? 2 : 0;
        }
        break;
    }
    case Code::SwitchMark:
        if (!(m_seen & seenBit(MarkCountIndex::Switch))) {
            m_seen |= seenBit(MarkCountIndex::Switch);
            ++m_slot.MarkCounts[MarkCountIndex::Switch];
        }
        break;
    case Code::Mileage:
        take(MileageP, data);
        // The drawing reads the curve state from here.
        r[0] = uint8_t(Code::Mileage << 1);
        r[1] = uint8_t(m_curve);
        break;
    case Code::Gain: take(GainP, data); break;
    case Code::Gps: take(GpsP, data); break;
    case Code::Param: take(ParamP, data); break;
    case Code::RailSetup: take(RailSetupP, data); break;
    case Code::RailSetupExt: take(RailSetupExtP, data); break;
    case Code::SwitchNumber:
        if (!(m_seen & seenBit(MarkCountIndex::Switch)))
            take(SwitchP, data);
        break;
    case Code::TrackNumber:
        if (!(m_seen & seenBit(MarkCountIndex::Track))) {
            m_seen |= seenBit(MarkCountIndex::Track);
            ++m_slot.MarkCounts[MarkCountIndex::Track];
            m_trackByte = data;
        }
        break;
    case Code::Calibration:
        if (!(m_seen & seenBit(0)))
            take(CalibrationP, data);
        break;
    default:
        break;
    }
    return advance;
}

// The packets and track number the column completed, and the per-column state reset.
void StreamDecoder::endColumn()
{
    const int32_t p = int32_t(m_position);
    if (m_packets.pending()) {
        if (complete(MileageP)) {
            const MileagePacket packet =
                MileagePacket::parse(std::span<const uint8_t, PacketLength::Mileage>(m_packets.bytes(MileageP), PacketLength::Mileage));
            m_slot.MileageTable.push_back({p, int64_t(packet.mileage), packet.speed, m_curve, m_markFlag});
            m_markFlag = 0;
        }
        if (complete(GainP))
            m_slot.GainTable.push_back(rawEntry<12>(GainP));
        if (complete(GpsP)) {
            const GpsPacket gps = GpsPacket::parse(std::span<const uint8_t, PacketLength::Gps>(m_packets.bytes(GpsP), PacketLength::Gps));
            m_slot.GpsTable.push_back({p, gps.x(), gps.y()});
        }
        if (complete(ParamP))
            m_slot.ParamTable.push_back(rawEntry<47>(ParamP));
        if (complete(RailSetupP))
            m_slot.RailSetup55Table.push_back(rawEntry<25>(RailSetupP));
        if (complete(RailSetupExtP))
            m_slot.RailSetup56Table.push_back(rawEntry<30>(RailSetupExtP));
        if (complete(SwitchP)) {
            m_slot.SwitchTable.push_back(rawEntry<3>(SwitchP));
            ++m_slot.MarkCounts[MarkCountIndex::Switch];
        }
        if (complete(CalibrationP)) {
            m_slot.CalibrationTable.push_back(rawEntry<3>(CalibrationP));
            ++m_slot.MarkCounts[0];
        }
        m_packets.reset();
    }
    if (m_seen & seenBit(MarkCountIndex::Track))
        m_slot.TrackTable.push_back({p, m_trackByte});
    m_seen = 0;
}

void readTrailer(const uint8_t *file, int64_t length, int64_t marker, RecordingSlot &slot)
{
    const int64_t nameStart = marker + RecordLength;
    const int64_t nameEnd = std::min(length, nameStart + ReplayerNameLength);
    slot.ReplayerName = QByteArray(reinterpret_cast<const char *>(file + nameStart), qsizetype(nameEnd - nameStart));
    for (int64_t at = nameStart + ReplayerNameLength; at + ReviewMarkLength <= length; at += ReviewMarkLength) {
        ReviewMark mark;
        std::memcpy(&mark, file + at, ReviewMarkLength);
        slot.ReviewMarks.push_back(mark);
    }
}

} // namespace

void DecodeStream(common::FileBuffer buffer, int64_t length, RecordingSlot &slot, const LoadProgress &progress)
{
    const int64_t recordCount = length / RecordLength;
    if (recordCount > std::numeric_limits<int32_t>::max())
        throw BrantFileError(QStringLiteral("文件 %1 有 %2 字节，超出本程序能处理的大小").arg(slot.FileName).arg(length));
    slot.type = StreamTypeCode;
    slot.FileLength = length;
    slot.ParsedBytes = length;
    slot.RecordCount = int32_t(recordCount);
    try {
        // Every record may close a column; untouched room costs no memory.
        slot.Columns = ColumnArray(size_t(recordCount));
    } catch (const std::bad_alloc &) {
        throw BrantFileError(QStringLiteral("内存不足，无法打开文件 %1").arg(slot.FileName));
    }

    uint8_t *records = reinterpret_cast<uint8_t *>(buffer.data());
    StreamDecoder decoder(slot);
    int64_t decoded = recordCount;
    for (int64_t from = 0; from < recordCount; from += ProgressInterval) {
        if (progress && recordCount > 1)
            progress(int(100 * from / (recordCount - 1)));
        const int64_t to = std::min<int64_t>(from + ProgressInterval, recordCount);
        if (!decoder.decode(records, from, to, to == recordCount)) {
            decoded = decoder.markerIndex();
            slot.ParsedBytes = RecordLength * decoded;
            readTrailer(records, length, slot.ParsedBytes, slot);
            break;
        }
    }
    if (progress)
        progress(100);

    slot.DiskTrailer = QByteArray(reinterpret_cast<const char *>(records) + slot.ParsedBytes, qsizetype(length - slot.ParsedBytes));
    slot.HasTrailer = !slot.ReviewMarks.empty();
    if (!slot.HasTrailer)
        slot.ReplayerName.clear();
    slot.GainTable.shrink_to_fit();
    slot.MileageTable.shrink_to_fit();
    slot.GpsTable.shrink_to_fit();
    slot.ParamTable.shrink_to_fit();
    slot.RailSetup55Table.shrink_to_fit();
    slot.RailSetup56Table.shrink_to_fit();
    slot.SwitchTable.shrink_to_fit();
    slot.TrackTable.shrink_to_fit();
    slot.CalibrationTable.shrink_to_fit();
    slot.Records = RecordArray(std::move(buffer), size_t(decoded));
}

namespace {

void loadAScan(const common::FileBuffer &buffer, int64_t length, RecordingSlot &slot)
{
    const int64_t frames = length / AScanFrameLength;
    if (frames == 0)
        throw BrantFileError(EmptyOrWrongFileText);
    slot.type = AScanTypeCode;
    slot.FileLength = length;
    slot.ParsedBytes = length;
    slot.Frames.resize(size_t(frames));
    std::memcpy(slot.Frames.data(), buffer.data(), size_t(frames) * AScanFrameLength);
}

} // namespace

RecordingSlot LoadRecordingFile(const QString &path, bool firstPane, const QDateTime &openedAt, const LoadProgress &progress)
{
    const qint64 size = common::fileSize(path);
    if (size == 0)
        throw BrantFileError(EmptyOrWrongFileText);
    RecordingSlot slot;
    slot.FileName = path;
    slot.OpenedAt = openedAt;
    asBrantFileError([&] {
        // A save of review marks cut short by a crash is undone before anything reads the file.
        common::restoreInterruptedTail(path);
        common::FileBuffer buffer = common::readWholeFile(path, QStringLiteral("记录文件"));
        const int64_t length = int64_t(buffer.size());
        if (length == 0)
            throw BrantFileError(EmptyOrWrongFileText);
        if (firstPane && (uint8_t(buffer.data()[0]) & 0xF0) == 0x80)
            loadAScan(buffer, length, slot);
        else
            DecodeStream(std::move(buffer), length, slot, progress);
    });
    return slot;
}

RecordingSlot DecodeStreamBytes(const QByteArray &bytes, const QString &fileName)
{
    common::FileBuffer buffer(size_t(bytes.size()));
    std::memcpy(buffer.data(), bytes.constData(), size_t(bytes.size()));
    RecordingSlot slot;
    slot.FileName = fileName;
    DecodeStream(std::move(buffer), bytes.size(), slot);
    return slot;
}

} // namespace brantview
