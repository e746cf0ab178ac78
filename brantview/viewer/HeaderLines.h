#pragma once
// The texts of the B-scan headers, line by line, before any drawing: the full header
// of the single-slot view and the one-line header of each slot in the two-slot view,
// each in the older form or the form of firmware 700 and above.

#include "HeaderValues.h"
#include "recording/BrantSettings.h"

#include <QString>

#include <vector>

namespace brantview {

// A probe channel's text on a header line, drawn with a bar in the channel's colour.
struct ChannelPiece {
    int channel = 0;
    QString text;
};

enum class ChannelBar {
    Underline,  // under the text, from its start to its end
    Short,      // a short bar after the text
};

struct HeaderLine {
    QString text;                        // font 1
    std::vector<ChannelPiece> channels;  // font 1, after `text`
    ChannelBar bar = ChannelBar::Underline;
    QString title;  // font 0, last on the line

    static HeaderLine of(const QString &text)
    {
        HeaderLine line;
        line.text = text;
        return line;
    }
    // The whole line as one text, channel pieces one space apart.
    QString plain() const;
};

// The full header: the older lines below firmware 700, the newer ones from 700 on.
// Its third line names the channels, its last ends with the title.
std::vector<HeaderLine> FullHeaderLines(const HeaderValues &values, const BrantSettings &settings);
std::vector<HeaderLine> FullHeaderLinesOlder(const HeaderValues &values, const BrantSettings &settings);
std::vector<HeaderLine> FullHeaderLines700(const HeaderValues &values, const BrantSettings &settings);

// The one-line header, by firmware as the full one.
HeaderLine LineHeader(const HeaderValues &values, const BrantSettings &settings);
HeaderLine LineHeaderOlder(const HeaderValues &values, const BrantSettings &settings);
HeaderLine LineHeader700(const HeaderValues &values);

}  // namespace brantview
