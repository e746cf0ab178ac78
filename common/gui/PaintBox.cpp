#include "PaintBox.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QPainter>

PaintBox::PaintBox(Painter paint, QWidget *parent)
    : QWidget(parent), m_paint(std::move(paint))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    m_paint(painter);
}

void PaintBox::drawPicture(QPainter &painter, QPoint at, const QImage &picture) const
{
    const QRect shown = QRect(at, picture.size()).intersected(rect());
    if (!shown.isEmpty())
        painter.drawImage(shown.topLeft(), picture, shown.translated(-at));
    for (const QRect &rest : QRegion(rect()).subtracted(shown))
        painter.fillRect(rest, palette().window());
}

void PaintBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit mouseDown(event->position().toPoint(), event->button());
}

void PaintBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_leftPressed) {
        m_leftPressed = false;
        if (rect().contains(pos))
            emit clicked();
    }
    emit mouseUp(event->button());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    // The press that completes a double-click is no click of its own.
    m_leftPressed = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(pos);
    emit mouseDown(pos, event->button());
}
