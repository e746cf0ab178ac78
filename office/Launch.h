#pragma once
#include <QString>

// Shows a saved workbook or document to the user in the desktop's default
// application, the way an office suite left visible and running would. Only the
// windows call it, after a save that succeeded; OFFICE_NO_LAUNCH=1 turns it off
// for tests. Throws OfficeError when the desktop cannot open the file.
void openWithDefaultApplication(const QString &path);
