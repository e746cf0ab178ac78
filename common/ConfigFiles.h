#pragma once
// Where the programs keep their own files ("setting.ini", "replaylog.ini",
// "probefile.ini"): beside the executable when its folder is writable (a build
// tree, a portable copy); otherwise, as for an installed program, in the user's
// configuration folder. A file shipped beside an installed program is copied
// there on first use, so the user's copy is read first and the shipped one only
// gives its start.

#include <QString>

namespace common {

QString configFilePath(const QString &name);
// The same decision for given folders; `userConfigDir` is created when it is used.
QString configFilePath(const QString &name, const QString &executableDir, const QString &userConfigDir);

} // namespace common
