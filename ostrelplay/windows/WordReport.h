#pragma once
// The "报告" export: the inspection report template's first table filled with the
// line data, gains, mileage, speed and a copy of the B-scan, saved as a Word document.

#include "recording/STDDataOperation.h"
#include "rendering/StdFrame.h"

#include <QString>

// The document's name for the name chosen in the save dialog: ".doc" added when
// the name does not end in it (in any case).
QString reportPath(const QString &chosenName);

// The word processor's caption while the report is written.
QString reportCaption(const QString &outPath);

// Fills the template's table 1 from the sub-file shown and saves it under exactly
// outPath. The picture is the right two thirds of the B-scan of `frame` drawn again
// on a pane of paneWidth x paneHeight with the line width raised by 2, in a copy of
// the frame: the frame itself stays as it was.
// A template or fill error stops the filling and is returned as the text to show
// under "警告" (empty when none); the document is still saved as far as it was filled.
// Throws OfficeError when the document cannot be written.
QString exportReport(const mystdfile &file, const StdFrame &frame, int paneWidth, int paneHeight,
                     const QString &templatePath, const QString &outPath);
