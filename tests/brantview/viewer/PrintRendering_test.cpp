// The print picture: black on white whatever colours the user chose, and the
// colours in effect untouched, so the next normal redraw is the one before.

#include "ViewFixture.h"

#include "recording/Packets.h"
#include "viewer/PrintRendering.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace viewtest;

namespace {

// Echoes on every first-group channel, a foreground dot (code 34), a mileage post;
// no instrument marks, which keep their own colours.
StreamWriter echoes()
{
    MileagePacket post;
    post.mileage = 5000;
    StreamWriter w;
    column(w, 600, {{1, 40}, {3, 40}, {5, 60}, {8, 60}, {11, 80}, {12, 40}, {18, 40}, {20, 40}, {22, 40}, {34, 0}});
    packetColumn(w, 20, Code::Mileage, post.bytes());
    column(w, 20, {{2, 30}, {4, 30}, {6, 50}, {9, 50}, {11, 90}, {32, 0}, {35, 0}});
    column(w, 10);
    return w;
}

// Colours nobody would print: a dark blue ground, yellow texts, the instrument's channels.
void chooseScreenColours(BrantSettings &settings)
{
    settings.BackColour = packedColour(0, 0, 96);
    settings.ForeColour = packedColour(255, 255, 0);
    settings.ChannelColour = InstrumentChannelColours(settings.ForeColour);
}

// Black, white and the greys of smoothed text edges between them: no colour at all.
template <typename Test>
int countPixels(const QImage &image, Test test)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        found += int(std::count_if(line, line + image.width(), test));
    }
    return found;
}

int colouredPixels(const QImage &image)
{
    return countPixels(image, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); });
}

int pixelsOf(const QImage &image, QRgb colour)
{
    return countPixels(image, [colour](QRgb p) { return (p | 0xFF000000) == colour; });
}

TEST(PrintRendering, ThePictureIsBlackOnWhiteAndTheColoursInEffectStay)
{
    for (const bool both : {false, true}) {
        View view;
        chooseScreenColours(view.settings);
        view.state.viewHeight = 800;
        view.load(echoes(), 500, 0);
        if (both)
            view.load(echoes(), 500, 1);
        view.state.Selected = SelectedCalibration{0, 0, 300, 200};
        view.draw();
        const QImage before = view.image.copy();
        EXPECT_GT(colouredPixels(before), 0);
        const BrantSettings chosen = view.settings;

        const QImage printed = PrintPicture(view.panes, view.settings, view.state, view.sources, 72);
        ASSERT_EQ(printed.size(), view.image.size());
        EXPECT_EQ(colouredPixels(printed), 0) << both;
        EXPECT_GT(pixelsOf(printed, qRgb(0, 0, 0)), 500) << both;
        EXPECT_GT(pixelsOf(printed, qRgb(255, 255, 255)), printed.width() * printed.height() / 2) << both;
        // The picked calibration point, white on the screen, is printed black.
        EXPECT_EQ(before.pixel(300, 200), qRgb(255, 255, 255));
        EXPECT_EQ(printed.pixel(300, 200), qRgb(0, 0, 0));

        EXPECT_EQ(view.settings, chosen);
        EXPECT_FALSE(view.state.PrintFlag);
        view.draw();
        EXPECT_EQ(view.image, before) << both;
    }
}

// The print picture keeps the view's layout at any resolution: the same points, more pixels.
TEST(PrintRendering, APrinterResolutionScalesThePicture)
{
    View view;
    view.state.viewHeight = 800;
    view.load(echoes(), 500);
    const RedrawReport screen = view.draw();
    const QImage printed = PrintPicture(view.panes, view.settings, view.state, view.sources, 144);
    EXPECT_EQ(printed.size(), QSize(2000, 1600));
    EXPECT_EQ(colouredPixels(printed), 0);

    QImage image(View::Width, 800, QImage::Format_RGB32);
    ViewCanvas canvas(image, 72, true);
    const RedrawReport print = RedrawForPrint(canvas, view.panes, view.settings, view.state, view.sources);
    ASSERT_EQ(print.slotReports.size(), 1u);
    EXPECT_EQ(print.slotReports[0].dotsPerChannel, screen.slotReports[0].dotsPerChannel);
    for (const DotItem &dot : canvas.dots())
        EXPECT_EQ(dot.colour, Black);
    for (const TextItem &text : canvas.texts())
        EXPECT_EQ(text.colour, Black) << text.text.toStdString();
}

} // namespace
