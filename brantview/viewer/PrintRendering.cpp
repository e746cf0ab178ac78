#include "PrintRendering.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

int pixelsOf(double points, double dpi)
{
    return std::max(int(std::lround(points * dpi / 72.0)), 1);
}

} // namespace

BrantSettings PrintColours(BrantSettings settings)
{
    settings.BackColour = White;
    settings.ForeColour = Black;
    settings.ChannelColour.fill(Black);
    return settings;
}

RedrawReport RedrawForPrint(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings,
                            ViewState &state, const ViewSources &sources)
{
    // The caller's flag returns on any exit.
    const QScopedValueRollback printing(state.PrintFlag, true);
    return Redraw(canvas, panes, PrintColours(settings), state, sources);
}

QImage PrintPicture(RecordingSlots &panes, const BrantSettings &settings, ViewState &state, const ViewSources &sources,
                    double dpi)
{
    QImage picture(pixelsOf(state.R, dpi), pixelsOf(state.viewHeight, dpi), QImage::Format_RGB32);
    {
        ViewCanvas canvas(picture, dpi);  // its painter ends before the picture is handed on
        RedrawForPrint(canvas, panes, settings, state, sources);
    }
    return picture;
}

} // namespace brantview
