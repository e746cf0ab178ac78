#include "EchoCanvas.h"

namespace brantview::synth {

EchoCanvas::EchoCanvas(int log2Size) : m_slots(size_t(1) << log2Size), m_mask((int64_t(1) << log2Size) - 1) {}

void EchoCanvas::moveFloorTo(int64_t position)
{
    if (position - m_floor >= size()) {
        for (EchoSlot &slot : m_slots) {
            slot.count = 0;
            slot.flags = 0;
        }
        m_floor = position;
        return;
    }
    while (m_floor < position)
        advance();
}

}  // namespace brantview::synth
