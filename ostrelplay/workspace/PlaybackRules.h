#pragma once
// How play moves a slot's row: the empty-row skip of smart play, the advance of
// one worker pass, the single steps and the sub-file switch at the ends. Pure
// functions of the recording and the bar, so the worker, the buttons and the
// tests share them.

#include "recording/STDDataOperation.h"

#include <atomic>

// A row without echo packets: its head's m_Data1 is 0. Rows outside the sub-file are not empty.
bool isEmptyRow(const mystdfile &file, int row);

// From `position`, the first row ahead that is not empty, at most `maximum`.
// Stops early (returning where it got) when `keepGoing` turns false.
int skipEmptyRowsForward(const mystdfile &file, int position, int maximum,
                         const std::atomic<bool> *keepGoing = nullptr);
// From `position`, the first row behind that is not empty, at least `minimum`.
int skipEmptyRowsBackward(const mystdfile &file, int position, int minimum);

struct PlaySettings {
    bool smartPlay = true;
    int smartplayMode = 0;   // 0 "跳半个屏播放", 1 "连续播放"
    int smartplayTime = 500; // ms of dwell after a half-screen jump
    int bShowWidth = 3000;
    int speed = 8;           // speed bar value
};

// One advance of a worker pass: the new row, and how long to dwell after it.
struct Advance {
    int position = 0;
    int dwellMs = 0;
};
Advance workerAdvance(const mystdfile &file, int position, int maximum, const PlaySettings &play,
                      const std::atomic<bool> *playing = nullptr);

// "前进" and "后退" for one slot: a quarter of the B-scan window of `windowWidth` mm.
// `syncPlay` decides the backward skip's rule.
int stepForward(const mystdfile &file, int position, int maximum, bool smartPlay, int windowWidth);
int stepBack(const mystdfile &file, int position, int minimum, bool smartPlay, bool syncPlay, int windowWidth);

// What the status timer does at the ends of a sub-file.
enum class SubFileChange { None, Next, Previous };
SubFileChange subFileChangeAt(int position, int minimum, int maximum, int currentSubFile, int subFileCount);
