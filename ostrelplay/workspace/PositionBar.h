#pragma once
// A slot's position bar: the single store of its current row, with the range the
// row may take and the furthest row reached so far.

class PositionBar {
public:
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int position() const { return m_position; }
    int selectionEnd() const { return m_selectionEnd; }

    // Every write is clamped to [minimum, maximum]; passing the selection end raises it.
    void setPosition(int position);
    // A new range; the position is clamped into it.
    void setRange(int minimum, int maximum);
    void setSelectionEnd(int selectionEnd) { m_selectionEnd = selectionEnd; }

private:
    int m_minimum = 0;
    int m_maximum = 0;
    int m_position = 0;
    int m_selectionEnd = 0;
};
