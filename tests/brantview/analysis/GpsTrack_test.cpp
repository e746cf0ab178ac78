// The GPS route: extents and track, the height that keeps the proportions, the
// mapping of fixes onto the drawing (north up, halves to even), routes with an extent
// of 0 or no fixes, the drawing's pixels and where the car sits for a view.

#include "analysis/GpsTrack.h"

#include "viewer/ViewCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

std::vector<GpsEntry> fixes(const std::vector<std::array<int32_t, 2>> &xy, int32_t spacing = 1000)
{
    std::vector<GpsEntry> table;
    for (size_t k = 0; k < xy.size(); ++k)
        table.push_back({int32_t(k) * spacing, xy[k][0], xy[k][1]});
    return table;
}

QImage drawn(const GpsRoute &route, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    ViewCanvas canvas(image, 72);
    GPS_draw_line(canvas, route);
    return image;
}

bool isWhite(const QImage &image, QPoint p)
{
    return image.pixel(p) == qRgb(255, 255, 0xFF);
}

} // namespace

TEST(GpsTrack, ExtentsAndTrackAreTakenFromTheMinima)
{
    const GpsRoute route = BuildGpsTrack(fixes({{9000500, 3300200}, {9000100, 3300900}, {9000800, 3300000}}));
    EXPECT_EQ(route.GpsRangeX, 700);
    EXPECT_EQ(route.GpsRangeY, 900);
    ASSERT_EQ(route.GpsTrack.size(), 3u);
    EXPECT_EQ(route.GpsTrack[0], (GpsPoint{400, 200}));
    EXPECT_EQ(route.GpsTrack[1], (GpsPoint{0, 900}));
    EXPECT_EQ(route.GpsTrack[2], (GpsPoint{700, 0}));
}

TEST(GpsTrack, MappingPutsTheCornersInsideTheMarginsWithNorthUp)
{
    const GpsRoute route = BuildGpsTrack(fixes({{100, 100}, {1100, 600}, {600, 100}}));
    const QSize size(450, 270);  // inner 400 x 250
    EXPECT_EQ(GpsPointOnDrawing(route, 0, size), QPoint(40, 260));   // south-west: left and bottom margins
    EXPECT_EQ(GpsPointOnDrawing(route, 1, size), QPoint(440, 10));   // north-east: right and top margins
    EXPECT_EQ(GpsPointOnDrawing(route, 2, size), QPoint(240, 260));
}

TEST(GpsTrack, MappingRoundsHalvesToEven)
{
    // Inner width 5 over an extent of 4: 1.25, 2.5, 3.75 → 1, 2, 4; inner height 2 over 4: 0.5, 1.5 → 0, 2.
    const GpsRoute route = BuildGpsTrack(fixes({{0, 0}, {1, 1}, {2, 3}, {3, 4}, {4, 4}}));
    const QSize size(55, 22);
    EXPECT_EQ(GpsPointOnDrawing(route, 1, size), QPoint(41, 12));
    EXPECT_EQ(GpsPointOnDrawing(route, 2, size), QPoint(42, 10));
    EXPECT_EQ(GpsPointOnDrawing(route, 3, size), QPoint(44, 10));
}

TEST(GpsTrack, HeightFollowsTheWidthInProportion)
{
    const GpsRoute route = BuildGpsTrack(fixes({{0, 0}, {1000, 500}}));
    EXPECT_EQ(GpsHeightForWidth(route, 450, 0, 10000), 220);  // (450 − 50) × 500 / 1000 + 20
    EXPECT_EQ(GpsHeightForWidth(route, 850, 0, 10000), 420);  // wider is taller
    EXPECT_EQ(GpsHeightForWidth(route, 851, 0, 10000), 420);  // 420.5 rounds to even
    EXPECT_EQ(GpsHeightForWidth(route, 853, 0, 10000), 422);  // 421.5 rounds to even
    EXPECT_EQ(GpsHeightForWidth(route, 850, 0, 300), 300);    // held within the screen
    EXPECT_EQ(GpsHeightForWidth(route, 60, 80, 300), 80);
    EXPECT_EQ(GpsHeightForWidth(GpsRoute{}, 450, 0, 10000), std::nullopt);
}

TEST(GpsTrack, ExtentsOfZeroScaleByOne)
{
    struct Case {
        const char *name;
        std::vector<std::array<int32_t, 2>> xy;
        int32_t rangeX, rangeY;
        std::vector<QPoint> points;  // on 450 x 270
        int heightFor450;            // before the limits
    };
    const Case cases[] = {
        {"one fix", {{5000, 7000}}, 0, 0, {{40, 260}}, 20},
        {"along a parallel", {{100, 50}, {300, 50}, {500, 50}}, 400, 0, {{40, 260}, {240, 260}, {440, 260}}, 20},
        {"along a meridian", {{100, 50}, {100, 51}, {100, 53}}, 0, 3, {{40, 260}, {40, 177}, {40, 10}}, 1220},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const GpsRoute route = BuildGpsTrack(fixes(c.xy));
        EXPECT_EQ(route.GpsRangeX, c.rangeX);
        EXPECT_EQ(route.GpsRangeY, c.rangeY);
        for (size_t k = 0; k < c.points.size(); ++k)
            EXPECT_EQ(GpsPointOnDrawing(route, k, QSize(450, 270)), c.points[k]) << k;
        EXPECT_EQ(GpsHeightForWidth(route, 450, 0, 100000), c.heightFor450);
        const QImage image = drawn(route, QSize(450, 270));
        EXPECT_TRUE(isWhite(image, c.points.front()));
    }
}

TEST(GpsTrack, DrawingHasWhitePointsOfWidthTwoOnBlack)
{
    const GpsRoute route = BuildGpsTrack(fixes({{0, 0}, {400, 250}}));
    const QImage image = drawn(route, QSize(450, 270));
    for (const QPoint p : {QPoint(40, 260), QPoint(39, 259), QPoint(440, 10), QPoint(439, 9)})
        EXPECT_TRUE(isWhite(image, p)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(41, 261), QPoint(38, 260), QPoint(240, 135), QPoint(0, 0)})
        EXPECT_EQ(image.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
}

TEST(GpsTrack, RouteWithoutFixesSaysSo)
{
    const GpsRoute route = BuildGpsTrack({});
    EXPECT_TRUE(route.empty());
    EXPECT_EQ(CarPosition(route, 0, QSize(450, 270)), std::nullopt);
    QImage image(450, 270, QImage::Format_RGB32);
    ViewCanvas canvas(image, 72, true);
    GPS_draw_line(canvas, route);
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(canvas.texts()[0].text, NoGpsFixesText);
    EXPECT_TRUE(canvas.dots().empty());
}

TEST(GpsTrack, CarSitsOnTheFixInEffectFiveHundredStepsIntoTheView)
{
    // Fixes at 0, 1000, 2000, 3000.
    const GpsRoute route = BuildGpsTrack(fixes({{0, 0}, {100, 0}, {200, 100}, {300, 100}}));
    struct Case {
        int32_t viewStart;
        size_t fix;
    };
    const Case cases[] = {{-5000, 0}, {0, 0}, {499, 0}, {501, 1}, {1500, 1}, {1501, 2}, {2499, 2}, {2500, 3}, {90000, 3}};
    for (const Case &c : cases)
        EXPECT_EQ(CarFixIndex(route, c.viewStart), c.fix) << c.viewStart;
    EXPECT_EQ(CarPosition(route, 0, QSize(350, 120)), QPoint(40, 110));
    EXPECT_EQ(CarPosition(route, 90000, QSize(350, 120)), QPoint(340, 10));
}
