#include "OpenRecording.h"

#include "ParamsInEffect.h"

namespace brantview {

bool OpenRecording(RecordingSlots &panes, int slot, const OpenRecordingHooks &hooks)
{
    const auto now = [&] { return hooks.now ? hooks.now() : QDateTime::currentDateTime(); };
    RecordingSlot &pane = panes.Slots[size_t(slot)];
    // Marks that cannot be written stop the open: replacing the pane would lose them.
    if (pane.isStream())
        FinishReviewMarks(pane, now(), hooks.askOperatorName);
    if (hooks.loadLists)
        hooks.loadLists();
    if (hooks.closeDependentWindows)
        hooks.closeDependentWindows();
    const QString path = hooks.chooseFile ? hooks.chooseFile() : QString();
    if (path.isEmpty())
        return false;

    RecordingSlot loaded = LoadRecordingFile(path, slot == 0, now(), hooks.progress);
    if (loaded.isStream()) {
        SetInitialView(loaded);
        AddReviewMark(loaded, ReviewMarkKind::BrowseStart, loaded.OpenedAt, hooks.askOperatorName);
    }
    pane = std::move(loaded);
    if (slot == 1)
        panes.SecondLoaded = true;
    panes.CurrentSlot = slot;
    return true;
}

} // namespace brantview
