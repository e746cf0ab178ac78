#pragma once
// The screenshot export: the slot's B-scan with two caption lines below it, saved
// as a JPEG at quality 100 or as a bitmap.

#include "recording/STDDataOperation.h"

#include <QImage>
#include <QString>

// The proposed name of the screenshot and the report: the first 39 characters of the
// recording's file name (no folder), then the mileage of row `row` in brackets.
QString exportDefaultName(const mystdfile &file, int row);

// Line name, station, direction, rail side and operator, two spaces apart.
QString screenshotCaption(const TSYSTEMPARA &para);

// As wide as the pane and 50 pixels higher: the B-scan picture `bscan` at the top,
// the caption and the gain text GetdBPara below.
QImage screenshotPicture(const mystdfile &file, const QImage &bscan, int paneWidth, int paneHeight);

enum class ScreenshotFormat { Jpeg, Bitmap };

// The chosen name with ".jpg" or ".Bmp" appended, unless it already ends in that
// type's extension (in any case).
QString screenshotPath(const QString &chosenName, ScreenshotFormat format);

// Writes the picture under screenshotPath(chosenName, format) by replacing the file
// at once; returns that path. Throws StdFileError when it cannot be written.
QString saveScreenshot(const QImage &picture, const QString &chosenName, ScreenshotFormat format);
