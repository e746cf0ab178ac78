#pragma once
// The frame of one open recording: the display style and probe positions it is
// drawn with, the two distance tools, and what the last frame drawn left behind
// (scales, row, speed and time texts, the two bitmaps, display lists and caches).
// The recording only holds the file; a slot owns one frame, and an export draws
// into a copy so the slot's picture stays as it was.

#include "AScanBackdrop.h"
#include "BScanLists.h"
#include "DisplayStyle.h"
#include "EchoPositionCache.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>

class mystdfile;

// Echoes of the row the A-scan panel shows: up to four (start, end) per channel
// and the lost-wave flag. Kept between frames: a row without a proper head leaves it.
struct TAScanEchoes {
    std::array<std::array<std::array<int16_t, 2>, 4>, 9> echo{};
    std::array<int, 9> count{};
    bool lostWave = false;
};

// The two distance tools drawn over the B-scan. Points are image pixels from the
// start of the sub-file (Start, End) and the paint-box points clicked (…XY).
struct DistanceTools {
    // First tool: a cross at each of two clicked points and the line between.
    bool CountDis = false;
    QPoint CountDisStart, CountDisStartXY, CountDisEnd, CountDisEndXY;
    int32_t CountDisPoint = 0;
    // Second tool: cross hairs through two points and the measured result.
    bool CountDisPro = false;
    QPoint CountDisProStart, CountDisProStartXY, CountDisProEnd, CountDisProEndXY;
    bool CountDisProCompleted = false;

    bool operator==(const DistanceTools &) const = default;
};

class StdFrame {
public:
    // --- what the frame is drawn with ---
    DisplayStyle style;
    std::array<int32_t, 9> probepara_p{};  // probe start point per channel, mm
    DistanceTools tools;

    // --- what the last frame left ---
    double HScale = 1.0;  // pixels per depth unit
    double WScale = 1.0;  // pixels per millimetre along the rail
    int32_t CurPlayPos = 0;
    int32_t ScanSpeed = 0;   // raw speed of the last speed record drawn
    QString InstantTime;     // time of day of the last record drawn, HH:MM
    QImage std_ABitMap, std_BBitMap;
    TAScanEchoes AScanEchoes;
    TBScanLists BScanLists;
    EchoPositionCache EchoPositions;
    AScanBackdrop AScanStatic;

    // A sub-file was made current: row 0, its start time, the first distance tool off.
    void startSubFile(const mystdfile &file);

    // Draws the B-scan of `file` at row CurPos into std_BBitMap (MapWidth x MapHeight)
    // and the A-scan panel into std_ABitMap. Throws StdDataError on data that cannot
    // be drawn; see drawFailureText.
    void DrawBitMap(const mystdfile &file, int MapWidth, int MapHeight, int AMapWidth, int AMapHeight, int CurPos);
};
