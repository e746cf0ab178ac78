#pragma once
// Review marks: adding them to a slot, writing them into the recording's trailer
// (the first time into a reviewed copy beside it), the browse marks of a session,
// the fish-scale pairing table and deleting a mark.

#include "RecordingSlot.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace brantview {

// Asked once per recording, at the first saving: the operator's name ("请输入姓名").
// Empty when the user cancels.
using AskOperatorName = std::function<QString()>;

// Adds a mark of `kind` (1..8 the operator's, 200 browse start, 201 browse end) at
// CurrentPost with the current parameters, made at `now`. An operator's mark is
// written into the file at once; it is refused (false) when its post already
// carries two marks. Throws BrantFileError when the file cannot be written; the
// mark then stays in memory for the next saving.
bool AddReviewMark(RecordingSlot &slot, int kind, const QDateTime &now, const AskOperatorName &askName);

// Writes the trailer: in place when the file has one, otherwise into a reviewed
// copy that then becomes the slot's file. Throws BrantFileError on failure, with
// the slot and every file as they were.
void SaveReviewMarks(RecordingSlot &slot, const AskOperatorName &askName);

// When the slot holds more than its browse-start mark: adds the browse-end mark and
// saves. Called before the slot is replaced and at exit; true when it saved.
bool FinishReviewMarks(RecordingSlot &slot, const QDateTime &now, const AskOperatorName &askName);

// Removes the operator's mark at `index`; browse marks stay. True when removed;
// the next saving writes the shorter trailer.
bool DeleteReviewMark(RecordingSlot &slot, int index);

// The name of the reviewed copy: the file's name up to its first ".", the trimmed
// operator name, the long date and the time of opening, ".dat".
QString ReviewedCopyName(const QString &fileName, const QByteArray &replayerName, const QDateTime &openedAt);

// The eight stored bytes of a typed name (GB18030, whole characters, space-padded),
// and the text of stored bytes.
QByteArray replayerNameBytes(const QString &typed);
QString replayerNameText(const QByteArray &bytes);

// The window caption of a stream's slot.
QString streamCaption(const RecordingSlot &slot);

struct FishScaleRow {
    QString key;  // "&H" + the post position as eight hexadecimal digits
    int kind = 0; // 3 start, 4 end
};
std::vector<FishScaleRow> BuildFishScaleTable(const RecordingSlot &slot);

} // namespace brantview
