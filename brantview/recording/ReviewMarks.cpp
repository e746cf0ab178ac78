#include "ReviewMarks.h"

#include "RecordingErrors.h"
#include "StreamWriter.h"
#include "common/AtomicFile.h"
#include "common/NativePaths.h"
#include "common/TailRewrite.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace brantview {

namespace {

int marksAtPost(const RecordingSlot &slot, int32_t position)
{
    return int(std::count_if(slot.ReviewMarks.begin(), slot.ReviewMarks.end(),
                             [&](const ReviewMark &m) { return m.position() == position; }));
}

bool isOperatorKind(int kind)
{
    return kind >= ReviewMarkKind::Read && kind <= ReviewMarkKind::Watch4;
}

// Characters a file name part cannot hold safely: a typed name never makes a path.
QString fileNamePart(const QString &text)
{
    QString part = text;
    for (QChar &c : part)
        if (c.unicode() < 32 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'_';
    return part;
}

// The copy never replaces a file that is already there, another reviewed copy above all.
QString unusedName(const QString &name)
{
    if (!common::fileExists(name))
        return name;
    const QString stem = name.chopped(4);
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1-%2.dat").arg(stem).arg(n);
        if (!common::fileExists(candidate))
            return candidate;
    }
}

QByteArray readFrom(QFile &file, qint64 offset, qint64 size)
{
    if (!file.seek(offset))
        return {};
    return file.read(size);
}

void rewriteTrailer(RecordingSlot &slot, const QByteArray &tail)
{
    asBrantFileError([&] {
        common::TailRewrite rewrite(slot.FileName);
        QFile &file = rewrite.file();
        const qint64 expected = slot.ParsedBytes + slot.DiskTrailer.size();
        if (file.size() != expected || readFrom(file, slot.ParsedBytes, slot.DiskTrailer.size()) != slot.DiskTrailer)
            throw BrantFileError(
                QStringLiteral("文件 %1 在打开后已被改动，浏览标记未保存").arg(common::displayName(slot.FileName)));
        if (slot.DiskTrailer != tail)
            rewrite.write(slot.ParsedBytes, tail);
    });
}

void writeReviewedCopy(const QString &source, int64_t recordBytes, const QString &target, const QByteArray &tail)
{
    asBrantFileError([&] {
        QFile original;
        if (!common::openFile(original, source, QIODevice::ReadOnly))
            throw BrantFileError(QStringLiteral("无法打开文件 %1：%2").arg(common::displayName(source), original.errorString()));
        if (original.size() < recordBytes)
            throw BrantFileError(
                QStringLiteral("文件 %1 在打开后已被改动，浏览标记未保存").arg(common::displayName(source)));
        common::AtomicFile out(target);
        common::copyInto(out, original, source, recordBytes);
        out.write(tail);
        out.commit();
    });
}

} // namespace

QByteArray replayerNameBytes(const QString &typed)
{
    QStringEncoder encoder("GB18030");
    QByteArray bytes;
    const QString name = typed.trimmed();
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QByteArray character = encoder.encode(QStringView(name).mid(i, length));
        if (bytes.size() + character.size() > ReplayerNameLength)
            break;
        bytes += character;
        i += length;
    }
    return bytes.leftJustified(ReplayerNameLength, ' ');
}

QString replayerNameText(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QString ReviewedCopyName(const QString &fileName, const QByteArray &replayerName, const QDateTime &openedAt)
{
    const qsizetype nameStart = fileName.lastIndexOf(u'/') + 1;
    const qsizetype dot = fileName.indexOf(u'.', nameStart);
    // A name without a dot keeps all of it, so the copy stays in the same folder.
    const QString stem = dot >= 0 ? fileName.left(dot + 1) : fileName + u'.';
    return stem + fileNamePart(replayerNameText(replayerName).trimmed()) + u'.'
        + openedAt.date().toString(QStringLiteral("yyyy年M月d日")) + u'.' + openedAt.time().toString(QStringLiteral("HHmmss"))
        + QStringLiteral(".dat");
}

QString streamCaption(const RecordingSlot &slot)
{
    return QStringLiteral("B超探伤---") + common::displayName(slot.FileName);
}

void SaveReviewMarks(RecordingSlot &slot, const AskOperatorName &askName)
{
    if (slot.HasTrailer) {
        const QByteArray tail = trailerBytes(slot.ReplayerName, slot.ReviewMarks);
        rewriteTrailer(slot, tail);
        slot.DiskTrailer = tail;
        return;
    }
    const QByteArray name = replayerNameBytes(askName ? askName() : QString());
    const QByteArray tail = trailerBytes(name, slot.ReviewMarks);
    const int64_t recordBytes = RecordLength * (slot.ParsedBytes / RecordLength);
    const QString copy = unusedName(ReviewedCopyName(slot.FileName, name, slot.OpenedAt));
    writeReviewedCopy(slot.FileName, recordBytes, copy, tail);
    slot.ReplayerName = name;
    slot.ParsedBytes = recordBytes;
    slot.FileName = copy;
    slot.HasTrailer = true;
    slot.DiskTrailer = tail;
}

bool AddReviewMark(RecordingSlot &slot, int kind, const QDateTime &now, const AskOperatorName &askName)
{
    ReviewMark mark;
    if (isOperatorKind(kind)) {
        if (marksAtPost(slot, slot.CurrentPost.position) >= 2)
            return false;
        mark.setPost(slot.CurrentPost.position, slot.CurrentPost.mileageValue());
    } else if (kind == ReviewMarkKind::BrowseEnd) {
        mark.setViewingMinutes(int(std::clamp<int64_t>(slot.OpenedAt.secsTo(now) / 60, 0, 0xFFFF)));
    }
    mark.kind = uint8_t(kind);
    mark.setMadeAt(now);
    std::copy(slot.CurrentParams.begin(), slot.CurrentParams.end(), mark.params);
    slot.ReviewMarks.push_back(mark);
    if (isOperatorKind(kind))
        SaveReviewMarks(slot, askName);
    return true;
}

bool FinishReviewMarks(RecordingSlot &slot, const QDateTime &now, const AskOperatorName &askName)
{
    if (slot.ReviewMarkCount() <= 1)
        return false;
    AddReviewMark(slot, ReviewMarkKind::BrowseEnd, now, askName);
    try {
        SaveReviewMarks(slot, askName);
    } catch (...) {
        // A later attempt adds its own browse-end mark.
        slot.ReviewMarks.pop_back();
        throw;
    }
    return true;
}

bool DeleteReviewMark(RecordingSlot &slot, int index)
{
    if (index < 0 || index >= slot.ReviewMarkCount() || slot.ReviewMarks[size_t(index)].kind >= ReviewMarkKind::BrowseStart)
        return false;
    slot.ReviewMarks.erase(slot.ReviewMarks.begin() + index);
    return true;
}

std::vector<FishScaleRow> BuildFishScaleTable(const RecordingSlot &slot)
{
    std::vector<FishScaleRow> rows;
    for (const ReviewMark &mark : slot.ReviewMarks) {
        if (mark.kind != ReviewMarkKind::FishScaleStart && mark.kind != ReviewMarkKind::FishScaleEnd)
            continue;
        QString key = QStringLiteral("&H");
        for (int i = 3; i >= 0; --i)
            key += QStringLiteral("%1").arg(mark.postPosition[i], 2, 16, QLatin1Char('0')).toUpper();
        rows.push_back({key, mark.kind});
    }
    return rows;
}

} // namespace brantview
