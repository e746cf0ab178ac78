#pragma once
// "A显": the A-scan panel of the active slot's current row, in a tool window kept
// on top. Dragging in it moves the replay position, ten pixels to a row.

#include <QWidget>

#include <array>

class PaintBox;
class Workspace;

class Tfrm_ascan : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_ascan(Workspace &workspace, QWidget *parent = nullptr);

    // Widens the window so that its panel is at least `panelWidth` wide (within the
    // screen); a wider window stays as it is.
    void growTo(int panelWidth);

    PaintBox *pb_ascan;

private:
    void paintPanel(QPainter &painter);
    void pb_ascanMouseDown(QPoint pos, Qt::MouseButton button);
    void pb_ascanMouseMove(QPoint pos);
    void pb_ascanMouseUp();

    Workspace &m_ws;
    bool m_dragging = false;
    int m_dragStartX = 0;
    std::array<int, 2> m_dragStartPositions{};
};
