#include "SegmentExport.h"

#include "FindTableEntry.h"
#include "RecordingErrors.h"
#include "StreamWriter.h"
#include "common/AtomicFile.h"
#include "common/NativePaths.h"
#include "common/TailRewrite.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace brantview {

namespace {

void recomputeLength(RangeMarks &range)
{
    range.RangeLengthMm = NominalStepMm * std::abs(double(range.RangeEnd) - double(range.RangeStart));
}

// One record per packet byte with step 0; the parameter block's last record carries
// step 255 so that it closes a column and the block counts when read back.
template <size_t Fields>
void writeEntry(StreamWriter &out, int code, const TableEntry<Fields> &entry, int lastStep)
{
    for (size_t k = 1; k < Fields; ++k)
        out.record(code, k + 1 == Fields ? lastStep : 0, entry[k]);
}

QByteArray headerRecords(const RecordingSlot &slot)
{
    StreamWriter out;
    if (const RailSetup55Entry *setup = entryInEffect(slot.RailSetup55Table, slot.ViewStart))
        writeEntry(out, Code::RailSetup, *setup, 0);
    if (const GainEntry *gain = entryInEffect(slot.GainTable, slot.ViewStart))
        writeEntry(out, Code::Gain, *gain, 0);
    if (const ParamEntry *params = entryInEffect(slot.ParamTable, slot.ViewStart))
        writeEntry(out, Code::Param, *params, 255);
    return out.bytes();
}

// The records of the columns from the one in effect at the smaller position while
// their positions stay below the larger, as the file holds them.
QByteArray rangeRecords(const RecordingSlot &slot, int32_t from, int32_t to)
{
    const int64_t low = std::min(from, to);
    const int64_t high = std::max(from, to);
    const std::optional<int> first = FindTableEntry(slot.Columns, low);
    if (!first)
        return {};
    size_t last = size_t(*first);
    while (last + 1 < slot.Columns.size() && slot.Columns[last + 1].position < high)
        ++last;
    const qint64 offset = qint64(RecordLength) * slot.Columns[size_t(*first)].first;
    const qint64 size = qint64(RecordLength) * (slot.Columns[last].last - slot.Columns[size_t(*first)].first + 1);

    QFile source;
    if (!common::openFile(source, slot.FileName, QIODevice::ReadOnly))
        throw BrantFileError(
            QStringLiteral("无法打开文件 %1：%2").arg(common::displayName(slot.FileName), source.errorString()));
    QByteArray bytes;
    if (source.seek(offset))
        bytes = source.read(size);
    if (bytes.size() != size)
        throw BrantFileError(QStringLiteral("读取文件 %1 失败：%2")
                                 .arg(common::displayName(slot.FileName),
                                      bytes.isEmpty() && source.error() != QFile::NoError ? source.errorString()
                                                                                          : QStringLiteral("文件在打开后变短了")));
    return bytes;
}

bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// A target takes segments when it is empty or a segment file: whole records, the
// first a code-55 record.
void checkTarget(QFile &target)
{
    const qint64 size = target.size();
    if (size % RecordLength != 0)
        throw BrantFileError(SegmentRefusedText);
    char first = 0;
    if (size > 0 && (!target.seek(0) || !target.getChar(&first) || uint8_t(first) != StreamTypeCode))
        throw BrantFileError(SegmentRefusedText);
}

} // namespace

void RangeMarks::setStart(int32_t position)
{
    RangeStart = position;
    if (RangeState == 0)
        RangeState = 1;
    else if (RangeState == 2)
        recomputeLength(*this);
}

void RangeMarks::setEnd(int32_t position)
{
    RangeState = 2;
    RangeEnd = position;
    recomputeLength(*this);
}

int32_t positionUnderPointer(const RecordingSlot &slot, int rightEdge, int pointerX)
{
    return slot.ViewStart + (rightEdge - pointerX);
}

int64_t ExportSegment(const RecordingSlot &slot, int32_t from, int32_t to, const QString &target)
{
    if (sameFile(target, slot.FileName))
        throw BrantFileError(SegmentRefusedText);
    const QByteArray segment = headerRecords(slot) + rangeRecords(slot, from, to);
    asBrantFileError([&] {
        if (common::fileExists(target) && !common::canReplace(target)) {
            common::TailRewrite rewrite(target);
            checkTarget(rewrite.file());
            rewrite.write(rewrite.file().size(), segment);
            return;
        }
        common::AtomicFile out(target);
        QFile existing;
        if (common::fileExists(target)) {
            if (!common::openFile(existing, target, QIODevice::ReadOnly))
                throw BrantFileError(
                    QStringLiteral("无法打开文件 %1：%2").arg(common::displayName(target), existing.errorString()));
            checkTarget(existing);
            existing.seek(0);
            common::copyInto(out, existing, target, existing.size());
        }
        out.write(segment);
        out.commit();
    });
    return segment.size();
}

} // namespace brantview
