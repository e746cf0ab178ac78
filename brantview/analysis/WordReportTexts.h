#pragma once
// The texts of the two Word reports: the B-scan report of a stream recording at its
// view and the A-scan report of one frame. Every value comes from the decoding the
// header and the A-scan record display use, so a report says what the view says.

#include "viewer/HeaderValues.h"

#include "recording/BrantFormat.h"

#include <QString>

#include <optional>
#include <vector>

namespace brantview {

struct ReportParagraph {
    QString text;
    int progress = 0;  // the progress shown once the paragraph is written
};

// A report's document: the caption shown while it is written, the title paragraph and
// the body paragraphs after it. The picture goes into the paragraph after the body,
// once the progress has reached `pictureProgress`.
struct ReportText {
    QString caption;
    ReportParagraph title;
    std::vector<ReportParagraph> body;
    int pictureProgress = 0;

    int pictureParagraph() const { return int(body.size()) + 2; }
};

// The header's mileage text: the slot's CurrentPost as "###0KM+##0.0M"; none while
// no post has been drawn (position and mileage both 0).
std::optional<QString> HeaderMileageText(const RecordingSlot &slot);

// The B-scan report's document name: the recording date, trolley side, line text,
// rail side and, when there is one, the mileage text, joined by "." and ending in
// ".doc". Characters no file name may hold become "_".
QString BScanReportFileName(const HeaderValues &values, const std::optional<QString> &mileageText);

ReportText BScanReportText(const HeaderValues &values);

// The line description of the A-scan report. A frame whose layout value (byte 10 bits
// 1..7) is 0 stores the line as one value, 100..105 for the line kinds; later frames
// as the display reads them.
QString AScanReportLineText(const AScanFrame &frame);

ReportText AScanReportText(const AScanFrame &frame);

}  // namespace brantview
