#pragma once
// Draws the records of one column after another: echoes as dots, marks as glyphs,
// and the packets gathered byte by byte as the loader gathers them, each label drawn
// when its packet's last byte arrives.

#include "SlotDrawing.h"
#include "TrendRuns.h"

#include "recording/PacketCollector.h"

namespace brantview {

class ColumnRenderer {
public:
    explicit ColumnRenderer(SlotDrawing &view) : m_view(view) {}

    // Draws column `col` of the slot; then, while trend markers are on, updates the runs.
    void DrawColumn(int col);
    // After the last column.
    void finish();

private:
    void drawEcho(int code, int d, int32_t p);
    void takeByte(PacketKind kind, int data, int32_t p, int curve);
    void drawPacket(PacketKind kind, int32_t p, int curve);

    SlotDrawing &m_view;
    PacketCollector m_packets;
    TrendRuns m_trends;
};

} // namespace brantview
