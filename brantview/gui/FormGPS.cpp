#include "FormGPS.h"

#include "viewer/ViewCanvas.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace brantview;

namespace {

constexpr double TwipsPerPixel = 15.0;
constexpr int MinimumWidth = 100;
constexpr int MinimumHeight = 30;

int pixels(float twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

float twips(int pixels)
{
    return float(pixels * TwipsPerPixel);
}

} // namespace

FormGPS::FormGPS(GpsRoute route, int slot, BrantSettings &settings, std::function<void()> saveSettings,
                 QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_route(std::move(route)), m_slot(slot),
      m_settings(settings), m_saveSettings(std::move(saveSettings))
{
    setObjectName(QStringLiteral("FormGPS"));
    setWindowTitle(QStringLiteral("GPS探伤路线图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(MinimumWidth, MinimumHeight);

    Picture_Car = new QLabel(this);
    Picture_Car->setObjectName(QStringLiteral("Picture_Car"));
    Picture_Car->setPixmap(QPixmap::fromImage(CarPicture(CarSide)));
    Picture_Car->setFixedSize(CarSide, CarSide);
    Picture_Car->hide();

    move(pixels(m_settings.GpsWindowLeft), pixels(m_settings.GpsWindowTop));
    const int width = std::max(pixels(m_settings.GpsWindowWidth), MinimumWidth);
    resize(width, routeHeight(width).value_or(pixels(m_settings.GpsWindowHeight)));
    GPS_draw_line();
}

std::optional<int> FormGPS::routeHeight(int width) const
{
    int maxHeight = 16000;
    if (const QScreen *s = screen())
        maxHeight = std::max(s->availableGeometry().height() - (frameGeometry().height() - height()), MinimumHeight);
    return GpsHeightForWidth(m_route, width, MinimumHeight, maxHeight);
}

void FormGPS::GPS_draw_line()
{
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(1);
    {
        ViewCanvas canvas(m_image, 72 * ratio);
        brantview::GPS_draw_line(canvas, m_route);
    }
    update();
}

void FormGPS::placeCar(int32_t viewStart)
{
    m_viewStart = viewStart;
    const std::optional<QPoint> centre = CarPosition(m_route, viewStart, size());
    if (!centre) {
        Picture_Car->hide();
        return;
    }
    Picture_Car->move(centre->x() - CarSide / 2, centre->y() - CarSide / 2);
    Picture_Car->show();
}

std::optional<QPoint> FormGPS::carCentre() const
{
    if (Picture_Car->isHidden())
        return std::nullopt;
    return Picture_Car->pos() + QPoint(CarSide / 2, CarSide / 2);
}

void FormGPS::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

void FormGPS::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The width the user chose wins: the height follows it.
    // A window manager that refuses the height is asked once, not again and again.
    const std::optional<int> wanted = routeHeight(width());
    if (wanted && *wanted != height() && *wanted != m_askedHeight) {
        m_askedHeight = *wanted;
        resize(width(), *wanted);
        return;
    }
    m_askedHeight.reset();
    GPS_draw_line();
    if (m_viewStart)
        placeCar(*m_viewStart);
}

void FormGPS::closeEvent(QCloseEvent *event)
{
    const QPoint corner = frameGeometry().topLeft();
    m_settings.GpsWindowLeft = SettingRanges::GpsWindowPosition.clamp(twips(corner.x()));
    m_settings.GpsWindowTop = SettingRanges::GpsWindowPosition.clamp(twips(corner.y()));
    m_settings.GpsWindowWidth = SettingRanges::GpsWindowWidth.clamp(twips(width()));
    m_settings.GpsWindowHeight = SettingRanges::GpsWindowHeight.clamp(twips(height()));
    if (m_saveSettings)
        m_saveSettings();
    QWidget::closeEvent(event);
}
