// The paint box is opaque: its picture as it is, the rest of the box in the
// window colour, nothing of what lay under it.

#include "common/gui/PaintBox.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TEST(PaintBox, DrawsThePictureAsItIsAndFillsTheRest)
{
    QImage picture(60, 30, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 8, 200));
    PaintBox *box = nullptr;
    PaintBox owner([&](QPainter &p) { box->drawPicture(p, QPoint(-10, 5), picture); });
    box = &owner;
    box->resize(100, 50);
    const QColor window = box->palette().window().color();
    const QImage shown = box->grab().toImage();

    EXPECT_EQ(QColor(shown.pixel(0, 5)), QColor(picture.pixel(10, 0)));
    EXPECT_EQ(QColor(shown.pixel(49, 34)), QColor(picture.pixel(59, 29)));
    for (const QPoint outside : {QPoint(0, 0), QPoint(50, 10), QPoint(99, 49), QPoint(20, 35)})
        EXPECT_EQ(QColor(shown.pixel(outside)), window) << outside.x() << "," << outside.y();
    EXPECT_TRUE(box->testAttribute(Qt::WA_OpaquePaintEvent));
}

} // namespace
