#pragma once
// Runs without a user, for the smoke test: OSTRELPLAY_AUTOPLAY=1 presses "播放"
// once the window is up; OSTRELPLAY_SCREENSHOT=file.png saves a picture of the
// main window a few seconds later, prints where slot 1's B-scan lies in it as
// JSON on standard output, and ends the program.

class Tfrm_main;

void startUnattendedRun(Tfrm_main &window);
