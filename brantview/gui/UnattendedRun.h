#pragma once
// Runs without a user, for the smoke test: BRANTVIEW_SCREENSHOT=file.png steps the
// view, plays it a moment, saves a picture of the window, prints what the view
// showed as JSON on standard output, and closes the window as a user would.

class frmMain;

void startUnattendedRun(frmMain &window);
