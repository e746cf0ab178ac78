// frmMain's side of the echo trace window: opening it in "精" with the marker line
// `LineA` at the right edge of the current pane, following its marker in the view,
// and putting the display back when it closes.

#include "frmMain.h"

#include "A_form.h"

#include "viewer/Redraw.h"
#include "viewer/ViewCanvas.h"
#include "viewer/ViewLayout.h"

#include "common/gui/PaintBox.h"

#include <QFrame>
#include <QRadioButton>

#include <cmath>

using namespace brantview;

namespace {

constexpr int SingleViewTop = 30;

} // namespace

void frmMain::openEchoTrace(bool high)
{
    if (!bScanShown() || !m_panes.current().isStream())
        return;
    // Auto-play would move the view under the marker while the window is open.
    setAutoPlay(false);
    if (high)
        m_state.SecondGroupShown = true;
    const bool savedSplice = m_state.SpliceOn;
    Option_show[0]->setChecked(true);
    m_state.SpliceOn = false;
    offsetsChangedElsewhere();

    TraceHost host;
    host.slot = [this]() -> RecordingSlot & { return m_panes.current(); };
    host.slotNumber = m_panes.CurrentSlot;
    host.W = m_state.R;
    host.moveMarker = [this](int x) { placeLineA(x); };
    host.follow = [this](const MainViewFollow &follow) { followTrace(follow); };
    host.saveStepInterval = [this](int16_t interval) {
        m_settings.TraceStepInterval = interval;
        saveSettings();
    };
    QPalette line = LineA->palette();
    line.setColor(QPalette::WindowText, colourOf(m_settings.ForeColour));
    LineA->setPalette(line);
    LineA->setFrameShadow(QFrame::Plain);
    placeLineA(m_state.R);
    LineA->show();
    {
        A_form window(high, m_settings, std::move(host), this);
        Redraw();
        window.exec();
    }
    LineA->hide();
    Option_show[savedSplice ? 1 : 0]->setChecked(true);
    m_state.SpliceOn = savedSplice;
    offsetsChangedElsewhere();
    Redraw();
}

void frmMain::placeLineA(int x)
{
    // The current pane: below 30 in the single view, else from its top to the next one's.
    double top = SingleViewTop;
    double bottom = m_state.viewHeight;
    if (bothSlotsDrawn(m_state, m_panes)) {
        top = topMargin(m_settings, m_state.SecondGroupShown, m_panes.CurrentSlot);
        if (m_panes.CurrentSlot == 0)
            bottom = topMargin(m_settings, m_state.SecondGroupShown, 1);
    }
    const double k = 1.0 / pointsPerPixel();
    const int height = std::max(int(std::lround((bottom - top) * k)), 1);
    LineA->setGeometry(int(std::lround(x * k)) - 1, int(std::lround(top * k)), 3, height);
    LineA->raise();
}

void frmMain::followTrace(const MainViewFollow &follow)
{
    if (follow.fullRedraw) {
        Redraw(follow.currentLastPos);
        return;
    }
    if (!follow.column || m_image.isNull())
        return;
    {
        ViewCanvas canvas(m_image, m_view->logicalDpiX());
        DrawSingleColumn(canvas, m_panes, m_settings, m_state, m_panes.CurrentSlot, *follow.column);
    }
    m_view->update();
}
