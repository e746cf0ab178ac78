#pragma once
// A window that shows the screen around the pointer enlarged and follows the pointer.

#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace magnify {

class MagnifierWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int minZoom = 2;
    static constexpr int maxZoom = 8;
    static constexpr int defaultZoom = 3;

    explicit MagnifierWindow(int zoom = defaultZoom, QWidget *parent = nullptr);

    int zoom() const { return m_zoom; }
    // Keeps the factor within minZoom..maxZoom.
    void setZoom(int zoom);

    // Grabs the screen around the pointer; the timer calls it while the window lives.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_zoom = defaultZoom;
    int m_wheelRest = 0;  // wheel movement short of a whole notch
    QTimer m_refreshTimer;
    QPixmap m_picture;          // empty where the platform grabs nothing
    QPoint m_pointerInPicture;  // the pointer's position within m_picture
};

}  // namespace magnify
