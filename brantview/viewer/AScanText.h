#pragma once
// The recording data of one A-scan frame as the record display prints it: a title in
// font 0, then seven lines of a label (font 1) and its value.

#include "recording/BrantFormat.h"

#include <QString>
#include <QStringList>

#include <array>

namespace brantview {

struct AScanTextLine {
    QString label;  // printed with font 1's bold setting
    QString value;  // printed with font 0's bold setting
};

struct AScanTextBlock {
    QString title;
    std::array<AScanTextLine, 7> lines;

    // The title, then each label followed by its value.
    QStringList joined() const;
};

// `frameIndex` counts from 0, the first frame of the file.
AScanTextBlock AScanFrameText(const AScanFrame &frame, int frameIndex);

// "yyyy年m月d日"; empty when the date bytes are no date.
QString AScanDateText(const AScanFrame &frame);
// "h:m:s AM/PM"; empty when the time bytes are no time of day.
QString AScanTimeText(const AScanFrame &frame);
// `ChannelName` of the frame's channel; empty for a channel number naming no channel.
QString AScanChannelText(const AScanFrame &frame);
// `TraceRange` of the frame's channel followed by "毫米"; empty when it has none.
QString AScanRangeText(const AScanFrame &frame);
// The line kind with a comma, the track or line number ("号股"/"号线") and the side.
QString AScanLineText(const AScanFrame &frame);
// The line text, then kilometre post, rail number and the distance from the reference end.
QString AScanPositionText(const AScanFrame &frame);

}  // namespace brantview
