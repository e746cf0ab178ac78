#include "MagnifierWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>

namespace magnify {

namespace {

constexpr int refreshMs = 40;
constexpr int wheelNotch = 120;
constexpr int crossArm = 10;

}  // namespace

MagnifierWindow::MagnifierWindow(int zoom, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("放大镜"));
    resize(400, 300);
    setZoom(zoom);
    m_refreshTimer.setInterval(refreshMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &MagnifierWindow::refresh);
    m_refreshTimer.start();
}

void MagnifierWindow::setZoom(int zoom)
{
    m_zoom = std::clamp(zoom, minZoom, maxZoom);
    update();
}

void MagnifierWindow::refresh()
{
    const QPoint pointer = QCursor::pos();
    // Over its own window the magnifier would show itself within itself.
    if (frameGeometry().contains(pointer))
        return;
    QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        return;
    // An odd number of screen pixels each way, the pointer's in the middle, enough to
    // fill the window at the smallest factor: a picture kept while the pointer is over
    // the window (where the wheel is turned) still fills it after zooming out.
    const int halfColumns = width() / (2 * minZoom) + 1;
    const int halfRows = height() / (2 * minZoom) + 1;
    const QRect wanted(pointer.x() - halfColumns, pointer.y() - halfRows, 2 * halfColumns + 1, 2 * halfRows + 1);
    // Near the screen's edge only the part on the screen is grabbed; the rest stays background.
    const QRect screenArea = screen->geometry();
    const QRect grabbed = wanted & screenArea;
    m_picture = screen->grabWindow(0, grabbed.x() - screenArea.x(), grabbed.y() - screenArea.y(), grabbed.width(),
                                   grabbed.height());
    m_pointerInPicture = pointer - grabbed.topLeft();
    update();
}

void MagnifierWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QPoint centre(width() / 2, height() / 2);
    if (!m_picture.isNull()) {
        // The pointer's pixel, enlarged, covers the window's centre; no smoothing, so
        // each screen pixel stays a sharp square.
        const QPoint origin = centre - m_pointerInPicture * m_zoom - QPoint(m_zoom / 2, m_zoom / 2);
        const QSize size = m_picture.deviceIndependentSize().toSize() * m_zoom;
        painter.drawPixmap(QRect(origin, size), m_picture);
    }
    painter.setPen(QPen(Qt::red, 1));
    painter.drawLine(centre.x() - crossArm, centre.y(), centre.x() + crossArm, centre.y());
    painter.drawLine(centre.x(), centre.y() - crossArm, centre.x(), centre.y() + crossArm);
}

void MagnifierWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape: close(); break;
    // "=" is the "+" key without Shift.
    case Qt::Key_Plus:
    case Qt::Key_Equal: setZoom(m_zoom + 1); break;
    case Qt::Key_Minus: setZoom(m_zoom - 1); break;
    default: QWidget::keyPressEvent(event);
    }
}

void MagnifierWindow::wheelEvent(QWheelEvent *event)
{
    // Fine-grained wheels and touchpads send parts of a notch; each whole notch is one step.
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / wheelNotch;
    m_wheelRest -= steps * wheelNotch;
    setZoom(m_zoom + steps);
    event->accept();
}

void MagnifierWindow::mousePressEvent(QMouseEvent *)
{
    close();
}

}  // namespace magnify
