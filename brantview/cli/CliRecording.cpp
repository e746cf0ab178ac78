#include "CliRecording.h"

#include "recording/ParamsInEffect.h"

#include "common/cli/CliArgs.h"
#include "recording/ParmFile.h"
#include "recording/RecordingErrors.h"
#include "recording/RecordingLoader.h"

#include <QDateTime>

namespace brantview {

RecordingSlot loadForCommand(const QString &path, int slot)
{
    return LoadRecordingFile(path, slot == 0, QDateTime::currentDateTime());
}

RecordingSlot loadStream(const QString &path)
{
    RecordingSlot slot = loadForCommand(path);
    if (!slot.isStream())
        throw BrantFileError(QStringLiteral("%1 是A超记录，不是B超记录").arg(path));
    return slot;
}

void placeView(RecordingSlot &slot, const common::cli::CliArgs &options, const QString &name)
{
    SetInitialView(slot);
    if (const std::optional<QString> text = options.value(name)) {
        slot.ViewStart = positionOption(name, *text);
        slot.CurrentColumn = CurrentColumnOf(slot);
    }
}

BrantSettings settingsOption(const common::cli::CliArgs &options)
{
    const std::optional<QString> path = options.value(QStringLiteral("parm"));
    if (!path)
        return {};
    const LoadedSettings loaded = LoadSettings(*path);
    if (loaded.state == ListFileState::Missing)
        throw BrantFileError(QStringLiteral("cannot read settings file %1").arg(*path));
    if (loaded.state == ListFileState::Damaged)
        throw BrantFileError(loaded.message);
    return loaded.settings;
}

QJsonArray jsonReviewMarks(const std::vector<ReviewMark> &marks)
{
    QJsonArray list;
    for (const ReviewMark &mark : marks) {
        QJsonArray bytes;
        for (int i = 0; i < ReviewMarkLength; ++i)
            bytes.append(mark.bytes()[i]);
        list.append(bytes);
    }
    return list;
}

int32_t positionOption(const QString &name, const QString &text)
{
    return common::cli::parseInt(QStringLiteral("--") + name, text);
}

} // namespace brantview
