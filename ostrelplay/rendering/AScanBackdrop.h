#pragma once
// The unchanging part of the A-scan panel (grid, base lines, gates, gain texts),
// drawn again only when what it shows changes; frames copy it and add the echoes.

#include <QColor>
#include <QImage>
#include <QString>

#include <array>

class mystdfile;
struct DisplayStyle;

class AScanBackdrop {
public:
    // The backdrop for this recording's current state drawn in `style` at w x h; with
    // gain texts or without.
    const QImage &image(const mystdfile &file, const DisplayStyle &style, int w, int h, bool withGainTexts);

private:
    struct Key {
        int w = 0, h = 0;
        bool withGainTexts = false;
        int fontSize = 0;
        std::array<QRgb, 3> colours{};     // background, frame, text
        std::array<QRgb, 6> channelColours{};
        // Per channel 0..5: gate 1 start and drawn width, gate 2 start and drawn width, gate 3 drawn width.
        std::array<std::array<int32_t, 5>, 6> gates{};
        std::array<QString, 9> gainTexts;
        bool operator==(const Key &) const = default;
    };

    Key m_key;
    QImage m_image;
};
