#pragma once
// "GPS探伤路线图": the route of one recording as white points on black, scaled to the
// window, with Picture_Car on the fix in effect where the main view shows. Modeless and
// on top; its height follows its width so the route keeps its proportions, and its
// place and size are kept in parm.dat.

#include "analysis/GpsTrack.h"
#include "recording/BrantSettings.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

class FormGPS : public QWidget {
    Q_OBJECT
public:
    // `route` is built from pane `slot` at opening; `settings` holds the geometry,
    // stored at closing before `saveSettings` runs.
    FormGPS(brantview::GpsRoute route, int slot, brantview::BrantSettings &settings,
            std::function<void()> saveSettings, QWidget *parent = nullptr);

    int slot() const { return m_slot; }
    // Places Picture_Car for the main view at `viewStart` of the route's pane.
    void placeCar(int32_t viewStart);
    const QImage &picture() const { return m_image; }
    // Picture_Car's centre, nothing while it is hidden.
    std::optional<QPoint> carCentre() const;

    static constexpr int CarSide = 12;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void GPS_draw_line();
    std::optional<int> routeHeight(int width) const;

    brantview::GpsRoute m_route;
    int m_slot;
    brantview::BrantSettings &m_settings;
    std::function<void()> m_saveSettings;
    std::optional<int32_t> m_viewStart;
    std::optional<int> m_askedHeight;
    QImage m_image;
    QLabel *Picture_Car = nullptr;
};
