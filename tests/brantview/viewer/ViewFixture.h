#pragma once
// A small recording built in code, drawn by Redraw onto a 1000 × 800 point view
// (72 dpi: one pixel per point) that keeps its dots and texts.

#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"
#include "viewer/Redraw.h"

#include "TestFiles.h"

#include <QImage>

#include <initializer_list>
#include <utility>

namespace viewtest {

using namespace brantview;

// Empty columns up to a step of the record that closes the next one (a step holds 9 bits).
inline int advanceTo(StreamWriter &w, int advance)
{
    for (; advance > 511; advance -= 511)
        w.record(0, 511, 0);
    return advance;
}

// One column `advance` Steps on: the records (code, data) with step 0, closed by a
// code-0 record.
inline void column(StreamWriter &w, int advance, std::initializer_list<std::pair<int, int>> records = {})
{
    const int last = advanceTo(w, advance);
    for (const auto &[code, data] : records)
        w.record(code, 0, data);
    w.record(0, last, 0);
}

inline void packetColumn(StreamWriter &w, int advance, int code, std::span<const uint8_t> bytes)
{
    const int last = advanceTo(w, advance);
    w.packet(code, bytes);
    w.record(0, last, 0);
}

inline RecordingSlot decode(const StreamWriter &w)
{
    return DecodeStreamBytes(w.bytes(), QStringLiteral("QC0001.D01"));
}

struct View {
    static constexpr int Width = 1000;

    QImage image{Width, 800, QImage::Format_RGB32};
    ViewCanvas canvas{image, 72, true};
    RecordingSlots panes;
    BrantSettings settings;
    ViewState state;
    ViewSources sources;

    View() { state.R = Width; }

    // Slot s holds the stream with its right edge at `viewStart`.
    void load(const StreamWriter &w, int32_t viewStart, int s = 0)
    {
        panes.Slots[size_t(s)] = decode(w);
        panes.Slots[size_t(s)].ViewStart = viewStart;
        if (s == 1)
            panes.SecondLoaded = true;
    }
    RedrawReport draw() { return Redraw(canvas, panes, settings, state, sources); }

    std::vector<DotItem> dotsIn(double top, double bottom) const
    {
        std::vector<DotItem> found;
        for (const DotItem &d : canvas.dots())
            if (d.y >= top && d.y <= bottom)
                found.push_back(d);
        return found;
    }
    std::vector<TextItem> textsStartingWith(const QString &prefix) const
    {
        std::vector<TextItem> found;
        for (const TextItem &t : canvas.texts())
            if (t.text.startsWith(prefix))
                found.push_back(t);
        return found;
    }
};

} // namespace viewtest
