// The magnifier's keys and mouse: the enlargement stays between 2x and 8x, Esc and
// a click end it, and it paints its cross also where the screen gives no picture.

#include "MagnifierWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

using magnify::MagnifierWindow;

namespace {

void key(QWidget &widget, int code)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

void wheel(QWidget &widget, int delta)
{
    const QPointF pos(10, 10);
    QWheelEvent event(pos, widget.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
}

void click(QWidget &widget)
{
    const QPointF pos(10, 10);
    QMouseEvent event(QEvent::MouseButtonPress, pos, widget.mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace

TEST(MagnifierWindow, ZoomStepsStayWithinTwoToEight)
{
    struct Case {
        const char *name;
        int start;
        std::function<void(QWidget &)> act;
        int expected;
    };
    const Case cases[] = {
        {"plus", 3, [](QWidget &w) { key(w, Qt::Key_Plus); }, 4},
        {"plus without shift", 3, [](QWidget &w) { key(w, Qt::Key_Equal); }, 4},
        {"minus", 3, [](QWidget &w) { key(w, Qt::Key_Minus); }, 2},
        {"plus at the top", 8, [](QWidget &w) { key(w, Qt::Key_Plus); }, 8},
        {"minus at the bottom", 2, [](QWidget &w) { key(w, Qt::Key_Minus); }, 2},
        {"wheel up two notches", 3, [](QWidget &w) { wheel(w, 240); }, 5},
        {"wheel down far", 3, [](QWidget &w) { wheel(w, -120 * 10); }, 2},
        {"half notches add up", 3, [](QWidget &w) { wheel(w, 60), wheel(w, 30), wheel(w, 30); }, 4},
        {"a half notch does nothing", 3, [](QWidget &w) { wheel(w, 60); }, 3},
        {"start above the range", 20, [](QWidget &) {}, 8},
        {"start below the range", 0, [](QWidget &) {}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MagnifierWindow window(c.start);
        c.act(window);
        EXPECT_EQ(window.zoom(), c.expected);
    }
}

TEST(MagnifierWindow, EscOrClickEndsIt)
{
    const std::pair<const char *, std::function<void(QWidget &)>> cases[] = {
        {"Esc", [](QWidget &w) { key(w, Qt::Key_Escape); }},
        {"click", [](QWidget &w) { click(w); }},
    };
    for (const auto &[name, act] : cases) {
        SCOPED_TRACE(name);
        MagnifierWindow window;
        window.show();
        ASSERT_TRUE(window.isVisible());
        act(window);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(MagnifierWindow, PaintsTheCrossWithoutAScreenPicture)
{
    MagnifierWindow window;
    window.move(600, 500);
    window.show();
    // The pointer away from the window, so a grab is tried; the offscreen screen has no picture.
    QCursor::setPos(20, 20);
    window.refresh();
    const QImage image = window.grab().toImage();
    const QPoint centre(window.width() / 2, window.height() / 2);
    EXPECT_EQ(image.pixelColor(centre + QPoint(5, 0)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(centre + QPoint(0, -5)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 5), window.palette().window().color());
}
