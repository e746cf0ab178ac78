// gps: the route of "GPS探伤路线图": its extents, the drawing's height for a width, the
// car for a view, optionally drawn to a PNG as the window shows it.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/GpsTrack.h"
#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "viewer/ViewCanvas.h"

#include <QImage>
#include <QPainter>

using common::cli::CliArgs;
using common::cli::CliCommand;
using namespace brantview;

namespace {

constexpr int DefaultWidth = 400;   // the window's first width, 6000 twips at 96 dots per inch
constexpr int EmptyHeight = 300;    // a route without fixes has no proportions to keep
constexpr int CarSide = 12;

QImage drawRoute(const GpsRoute &route, QSize size, const std::optional<QPoint> &car)
{
    QImage image(size, QImage::Format_RGB32);
    {
        ViewCanvas canvas(image, 72);
        GPS_draw_line(canvas, route);
    }
    if (car) {
        QPainter painter(&image);
        painter.drawImage(car->x() - CarSide / 2, car->y() - CarSide / 2, CarPicture(CarSide));
    }
    return image;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("view-start")}, {QStringLiteral("width")}, {QStringLiteral("out")}});
    const QString path = options.file();
    const int width = options.intInRange(QStringLiteral("width"), DefaultWidth, GpsMarginLeft + GpsMarginRight + 1, MaxPictureSide);
    const std::optional<QString> out = options.value(QStringLiteral("out"));

    RecordingSlot slot = loadStream(path);
    placeView(slot, options, QStringLiteral("view-start"));
    const GpsRoute route = BuildGpsTrack(slot.GpsTable);
    const int height = GpsHeightForWidth(route, width, GpsMarginTop + GpsMarginBottom, MaxPictureSide)
                           .value_or(EmptyHeight);
    const QSize size(width, height);

    QJsonObject result{
        {QStringLiteral("file"), path},
        {QStringLiteral("FixCount"), qint64(route.GpsTrack.size())},
        {QStringLiteral("ViewStart"), slot.ViewStart},
        {QStringLiteral("width"), width},
        {QStringLiteral("height"), height},
    };
    const std::optional<size_t> fix = CarFixIndex(route, slot.ViewStart);
    std::optional<QPoint> car;
    if (route.empty()) {
        result.insert(QStringLiteral("message"), NoGpsFixesText);
    } else {
        result.insert(QStringLiteral("minimum"), QJsonArray{route.minimum.x, route.minimum.y});
        result.insert(QStringLiteral("GpsRangeX"), route.GpsRangeX);
        result.insert(QStringLiteral("GpsRangeY"), route.GpsRangeY);
        car = GpsPointOnDrawing(route, *fix, size);
        result.insert(QStringLiteral("car"), QJsonObject{{QStringLiteral("fix"), qint64(*fix)},
                                                          {QStringLiteral("position"), route.fixes[*fix][0]},
                                                          {QStringLiteral("x"), car->x()},
                                                          {QStringLiteral("y"), car->y()}});
    }
    if (out) {
        const QImage image = drawRoute(route, size, car);
        common::cli::writeOutputFiles({{*out, common::cli::pngBytes(image, *out)}});
        result.insert(QStringLiteral("out"), *out);
    }
    return result;
}

} // namespace

CliCommand gpsCommand()
{
    return {QStringLiteral("gps"), QStringLiteral("the GPS route of \"GPS探伤路线图\" and the car on it"),
            QStringLiteral(
                "Usage: brantview-cli gps FILE [--view-start P] [--width W] [--out PNG]\n"
                "Prints FixCount, the route's minimum [x, y] and extents GpsRangeX and GpsRangeY (x =\n"
                "longitude x 85000, y = latitude x 111000), the drawing's height for a width of W pixels\n"
                "(default 400; height = (W - 50) x GpsRangeY / GpsRangeX + 20, an extent of 0 counting\n"
                "as 1, held within 20 to 16000) and the car: the fix in effect 500 Steps into the view\n"
                "at P (default: the view a fresh load shows) and its pixel on the drawing.\n"
                "--out draws the route as the window does, white points on black with the car, to PNG.\n"),
            run};
}
