#pragma once
#include <QString>

// Shows a saved workbook or document to the user in the desktop's default
// application, the way an office suite left visible and running would.
// OFFICE_NO_LAUNCH=1 turns this off for tests and batch mode.
void openWithDefaultApplication(const QString &path);
