#pragma once
// The parameter window's lines: version, user, inspection record, gains with
// their compensation curves and the gates of the recording's current sub-file.

#include "recording/STDDataOperation.h"

#include <QString>
#include <QStringList>

// "文件1参数与曲线" for slot 0.
QString paraWindowTitle(int slot);

// The lines in the order the window lists them, from the current parameter block.
QStringList paraLines(const mystdfile &file);
