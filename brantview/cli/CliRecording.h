#pragma once
// Loading a file for one command, and the JSON forms of the slot's tables.

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include "common/cli/CliArgs.h"

#include <QJsonArray>
#include <QString>

namespace brantview {

// The largest picture side the commands draw.
constexpr int MaxPictureSide = 16000;

// The file loaded into pane `slot` (0 or 1) as opening it there does.
RecordingSlot loadForCommand(const QString &path, int slot = 0);
// As loadForCommand into the first pane, refusing an A-scan record.
RecordingSlot loadStream(const QString &path);

template <typename Entry>
QJsonArray jsonTable(const std::vector<Entry> &table)
{
    QJsonArray rows;
    for (const Entry &entry : table) {
        QJsonArray row;
        for (const auto value : entry)
            row.append(qint64(value));
        rows.append(row);
    }
    return rows;
}

QJsonArray jsonReviewMarks(const std::vector<ReviewMark> &marks);

// Sets up a slot's view as a fresh load does, then moves it to the position the
// option `name` gives, if given.
void placeView(RecordingSlot &slot, const common::cli::CliArgs &options, const QString &name);

// The settings of the "parm.dat" that --parm names, or the defaults without it; a
// missing or damaged file is refused with its message.
BrantSettings settingsOption(const common::cli::CliArgs &options);

// Reads option `name` as a position (Steps).
int32_t positionOption(const QString &name, const QString &text);

} // namespace brantview
