#pragma once
// The screen copy of an off-screen bitmap: a plain surface that paints through a
// callback and reports the mouse as the handlers of a paint box expect it. A
// double-click reports the double-click first and then the mouse-down, and a
// release over the box after a left press reports a click before the release.
//
// The box is opaque: the toolkit paints nothing under it, and the callback covers
// the whole box (drawPicture fills what a picture leaves). A frame a hundred times
// a second then costs one copy of the picture and no background fill.

#include <QPoint>
#include <QWidget>

#include <functional>

class QImage;
class QPainter;

class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter &)>;
    explicit PaintBox(Painter paint, QWidget *parent = nullptr);

    // Draws `picture` with its top-left corner at `at`, as it is (no scaling), and
    // fills the rest of the box with the window colour.
    void drawPicture(QPainter &painter, QPoint at, const QImage &picture) const;

signals:
    void mouseDown(QPoint pos, Qt::MouseButton button);
    void mouseMove(QPoint pos);
    void mouseUp(Qt::MouseButton button);
    void clicked();
    void doubleClicked(QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Painter m_paint;
    bool m_leftPressed = false;
};
