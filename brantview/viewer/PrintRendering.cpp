#include "PrintRendering.h"

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

// Sets the print flag for one scope; the flag the caller had returns on any exit.
class PrintFlagScope {
public:
    explicit PrintFlagScope(ViewState &state) : m_state(state), m_before(state.PrintFlag) { state.PrintFlag = true; }
    ~PrintFlagScope() { m_state.PrintFlag = m_before; }
    PrintFlagScope(const PrintFlagScope &) = delete;
    PrintFlagScope &operator=(const PrintFlagScope &) = delete;

private:
    ViewState &m_state;
    bool m_before;
};

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
    const PrintFlagScope printing(state);
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
