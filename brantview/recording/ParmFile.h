#pragma once
// "parm.dat" in the program folder: the display settings as twelve lines of list
// format, rewritten after every change of a setting and read at start-up.

#include "BrantSettings.h"
#include "ListFormat.h"

#include <QString>

namespace brantview {

struct LoadedSettings {
    BrantSettings settings;
    ListFileState state = ListFileState::Missing;
    // Damaged: what is wrong, naming the file and each line and field. The settings
    // hold their defaults there and the file's values everywhere else; the program
    // reports this once and leaves the file alone until a setting changes.
    QString message;
};

QString parmFilePath();

// Reads the settings; never writes. A missing file gives the defaults. A value beyond
// its control's range is held within it (not a damage); a value that cannot be read
// keeps its default while the rest of the file still counts.
LoadedSettings LoadSettings(const QString &path);

// Replaces the file in one step; throws BrantFileError and leaves the old file as it
// was when it cannot be written.
void SaveSettings(const QString &path, const BrantSettings &settings);

} // namespace brantview
