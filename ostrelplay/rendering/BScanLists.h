#pragma once
// Display lists of one B-scan frame: gathered while the rows are walked, painted
// in one pass at the end. Kept on the recording between frames so their storage
// is reused and the last frame can be inspected.

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

struct TLineToDraw {
    int8_t Channel;
    QPoint PosS;
    QPoint PosE;
};

struct TSignToDraw {
    int8_t Sign;  // event code - 'A'
    QPoint Pos;   // top-left corner of the glyph
};

struct TTextToDraw {
    QString Text;
    QPoint Pos;  // top-left corner of the text
};

struct TBScanLists {
    std::array<std::vector<TLineToDraw>, 10> lines;  // channels 0..8 and lost wave
    std::vector<TSignToDraw> signs;
    std::vector<TTextToDraw> texts;

    void clear()
    {
        for (auto &list : lines)
            list.clear();
        signs.clear();
        texts.clear();
    }
};
