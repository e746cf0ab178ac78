#include "PositionBar.h"

#include <algorithm>

void PositionBar::setPosition(int position)
{
    const int clamped = std::clamp(position, m_minimum, m_maximum);
    if (clamped == m_position)
        return;
    m_position = clamped;
    if (m_position > m_selectionEnd)
        m_selectionEnd = m_position;
}

void PositionBar::setRange(int minimum, int maximum)
{
    // A sub-file shorter than the rows kept back at its end gives maximum < minimum;
    // the bar then allows only its minimum.
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}
