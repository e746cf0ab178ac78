// "GPS探伤路线图" and "灵敏度全程变化曲线" on the offscreen platform: captions and
// options, the height following the width, the geometry kept through parm.dat, the
// car and LinedB following the view, and both windows opened from the main window.

#include "FormGPS.h"
#include "FormdB.h"
#include "frmMain.h"

#include "recording/ParmFile.h"
#include "synth/StreamSynth.h"
#include "viewer/ViewCanvas.h"

#include "TestFiles.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// Fixes 1000 Steps apart over 1000 × 500 "metres": x grows by 250, y by 125 a fix.
std::vector<GpsEntry> diagonal()
{
    std::vector<GpsEntry> table;
    for (int k = 0; k <= 4; ++k)
        table.push_back({k * 1000, 9000000 + 250 * k, 4000000 + 125 * k});
    return table;
}

} // namespace

TEST(GpsWindow, OpensWhereParmDatSaysWithTheRouteInProportion)
{
    BrantSettings settings;
    settings.GpsWindowLeft = 1500;
    settings.GpsWindowTop = 750;
    settings.GpsWindowWidth = 6750;  // 450 pixels
    FormGPS form(BuildGpsTrack(diagonal()), 0, settings, {});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("GPS探伤路线图"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.pos(), QPoint(100, 50));
    EXPECT_EQ(form.size(), QSize(450, 220));  // (450 − 50) × 500 / 1000 + 20
    form.show();
    EXPECT_EQ(form.size(), QSize(450, 220));
    EXPECT_EQ(form.picture().pixel(40, 210), qRgb(255, 255, 255));  // the first fix, bottom left
    EXPECT_EQ(form.picture().pixel(440, 10), qRgb(255, 255, 255));  // the last, top right
}

TEST(GpsWindow, HeightFollowsTheWidthAndTheCarFollowsTheView)
{
    BrantSettings settings;
    settings.GpsWindowWidth = 6750;
    FormGPS form(BuildGpsTrack(diagonal()), 0, settings, {});
    form.show();
    form.placeCar(-10000);
    EXPECT_EQ(form.carCentre(), QPoint(40, 210));
    form.placeCar(99999);
    EXPECT_EQ(form.carCentre(), QPoint(440, 10));

    form.resize(850, 220);  // wider: taller in proportion, and the car keeps its fix
    EXPECT_EQ(form.size(), QSize(850, 420));
    EXPECT_EQ(form.carCentre(), QPoint(840, 10));
    EXPECT_EQ(form.picture().pixel(840, 10), qRgb(255, 255, 255));
    form.resize(850, 600);  // the height alone is undone
    EXPECT_EQ(form.size(), QSize(850, 420));
}

TEST(GpsWindow, GeometrySurvivesARestartThroughParmDat)
{
    TestFiles::TestDir dir;
    const QString parm = dir.path(QStringLiteral("parm.dat"));
    BrantSettings settings;
    int saves = 0;
    {
        auto *form = new FormGPS(BuildGpsTrack(diagonal()), 0, settings, [&] {
            SaveSettings(parm, settings);
            ++saves;
        });
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        form->move(200, 120);
        form->resize(650, 100);
        form->close();
    }
    EXPECT_EQ(saves, 1);
    const LoadedSettings loaded = LoadSettings(parm);
    ASSERT_EQ(loaded.state, ListFileState::Loaded) << loaded.message.toStdString();
    EXPECT_FLOAT_EQ(loaded.settings.GpsWindowWidth, 650 * 15);
    EXPECT_FLOAT_EQ(loaded.settings.GpsWindowHeight, 320 * 15);

    BrantSettings restarted = loaded.settings;
    FormGPS again(BuildGpsTrack(diagonal()), 0, restarted, {});
    EXPECT_EQ(again.size(), QSize(650, 320));
    EXPECT_EQ(again.pos(), QPoint(int(loaded.settings.GpsWindowLeft / 15), int(loaded.settings.GpsWindowTop / 15)));
}

TEST(GpsWindow, RouteWithoutFixesKeepsItsStoredSizeAndHasNoCar)
{
    BrantSettings settings;
    FormGPS form(BuildGpsTrack({}), 0, settings, {});
    EXPECT_EQ(form.size(), QSize(400, 300));  // 6000 x 4500 twips
    form.show();
    form.placeCar(0);
    EXPECT_EQ(form.carCentre(), std::nullopt);
    bool anyLight = false;
    for (int x = 40; x < 200 && !anyLight; ++x)
        for (int y = 10; y < 30 && !anyLight; ++y)
            anyLight = form.picture().pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_TRUE(anyLight);  // the text that says so
}

TEST(GainWindow, OptionsLinedBAndRedrawing)
{
    BrantSettings settings;
    std::vector<GainEntry> table;
    GainEntry entry{};
    entry[1] = 40;
    entry[10] = 12;
    table.push_back(entry);
    FormdB form(GainData{table, 4000}, 0, settings);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("灵敏度全程变化曲线"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    for (int k = 0; k < GainOptionCount; ++k) {
        auto *option = form.findChild<QRadioButton *>(QStringLiteral("OptiondB%1").arg(k));
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->text(), GainOptions()[size_t(k)].caption);
        EXPECT_EQ(option->isChecked(), k == 0);
    }
    form.resize(830, 360);
    form.show();
    const int bottom = 350;
    EXPECT_EQ(form.picture().pixel(400, bottom), colourOf(settings.ChannelColour[0]).rgb());

    form.findChild<QRadioButton *>(QStringLiteral("OptiondB9"))->click();
    EXPECT_EQ(form.selectedOption(), 9);
    EXPECT_EQ(form.plot().scale().lo, 12);
    EXPECT_EQ(form.picture().pixel(400, bottom), colourOf(settings.ChannelColour[5]).rgb());

    auto *line = form.findChild<QFrame *>(QStringLiteral("LinedB"));
    EXPECT_TRUE(line->isHidden());
    form.showViewStart(0);
    EXPECT_FALSE(line->isHidden());
    EXPECT_EQ(line->x(), 30);
    form.showViewStart(4000);
    EXPECT_EQ(line->x(), 830);
    form.resize(630, 360);  // narrower: the line keeps its place on the curve
    EXPECT_EQ(line->x(), 630);
    EXPECT_EQ(form.picture().width(), 630);
}

TEST(TrackWindowsInMainWindow, OpenFromTheMenusAndFollowTheView)
{
    TestFiles::TestDir dir;
    StreamSynthOptions options;
    options.length = 300;
    options.seed = 5;
    frmMain window;
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), synthesizeStream(options))));
    const RecordingSlot &slot = window.panes().current();
    ASSERT_GT(slot.GpsTable.size(), 10u);

    window.findChild<QAction *>(QStringLiteral("mnuGPS"))->trigger();
    window.findChild<QAction *>(QStringLiteral("mnudBMap"))->trigger();
    window.findChild<QAction *>(QStringLiteral("mnuGPS"))->trigger();
    ASSERT_EQ(window.findChildren<FormGPS *>().size(), 1);
    ASSERT_EQ(window.findChildren<FormdB *>().size(), 1);
    QPointer<FormGPS> gps = window.findChildren<FormGPS *>()[0];
    QPointer<FormdB> db = window.findChildren<FormdB *>()[0];
    auto *line = db->findChild<QFrame *>(QStringLiteral("LinedB"));

    const GpsRoute route = BuildGpsTrack(slot.GpsTable);
    const int32_t end = slot.Columns.back().position;
    window.moveView(end);
    EXPECT_EQ(gps->carCentre(), GpsPointOnDrawing(route, route.GpsTrack.size() - 1, gps->size()));
    EXPECT_EQ(line->x(), db->width());
    window.moveView(2000);
    EXPECT_EQ(gps->carCentre(), CarPosition(route, 2000, gps->size()));
    EXPECT_EQ(line->x(), db->plot().lineX(2000));

    // Another file closes both, to be built again from its data.
    window.OpenFile(1, dir.write(QStringLiteral("QC0002.D01"), synthesizeStream(options)));
    EXPECT_TRUE(!gps || !gps->isVisible());
    EXPECT_TRUE(!db || !db->isVisible());
}
