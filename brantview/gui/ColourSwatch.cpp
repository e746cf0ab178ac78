#include "ColourSwatch.h"

#include "recording/BrantSettings.h"
#include "viewer/ViewCanvas.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionFocusRect>

using namespace brantview;

ColourChooser colourDialogChooser(QWidget *parent)
{
    return [parent](int32_t current) -> std::optional<int32_t> {
        const QColor chosen = QColorDialog::getColor(colourOf(current), parent);
        if (!chosen.isValid())
            return std::nullopt;
        return packedColour(chosen.red(), chosen.green(), chosen.blue());
    };
}

ColourSwatch::ColourSwatch(int32_t colour, QWidget *parent) : QAbstractButton(parent), m_colour(colour)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourSwatch::setColour(int32_t colour)
{
    m_colour = colour;
    update();
}

QSize ColourSwatch::sizeHint() const
{
    const int height = fontMetrics().height() + 8;
    return {height * 3, height};
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect patch = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(patch, colourOf(m_colour));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(patch);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
