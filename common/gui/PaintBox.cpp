#include "PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

PaintBox::PaintBox(Painter paint, QWidget *parent)
    : QWidget(parent), m_paint(std::move(paint))
{
    setMouseTracking(true);
}

void PaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_paint(painter);
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
