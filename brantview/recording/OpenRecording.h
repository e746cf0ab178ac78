#pragma once
// Opening a file into one of the two panes: pending review marks of the pane are
// saved first, then the chosen file is loaded into a new slot that replaces the
// pane's only when it loaded, and the browse-start mark is set.

#include "RecordingLoader.h"
#include "ReviewMarks.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace brantview {

// What the window supplies: the file dialog, the operator-name box, the progress
// bar, the side lists, the windows that must be rebuilt from the new data, and the
// clock. Any may be empty.
struct OpenRecordingHooks {
    std::function<void()> loadLists;
    std::function<void()> closeDependentWindows;
    std::function<QString()> chooseFile;  // empty: cancelled
    AskOperatorName askOperatorName;
    LoadProgress progress;
    std::function<QDateTime()> now;
};

// False when the dialog was cancelled. Throws BrantFileError when the pending marks
// cannot be saved (the pane then keeps its recording and marks) or the file cannot
// be loaded (the pane keeps its recording).
bool OpenRecording(RecordingSlots &panes, int slot, const OpenRecordingHooks &hooks);

} // namespace brantview
