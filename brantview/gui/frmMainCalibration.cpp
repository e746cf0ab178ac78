// frmMain's side of the calibration waveform window: the picked point shown, the
// window run modally on the run of that point, the view redrawn after it.

#include "FormJD.h"
#include "frmMain.h"

#include <QRadioButton>
#include <QSlider>

using namespace brantview;

void frmMain::ShowJDdata()
{
    // The picked point's white dot.
    Redraw();
    if (m_state.LastCalibrationRun.empty())
        return;
    const int slot = m_panes.CurrentSlot;
    FormJD::Host host{m_panes.Slots[size_t(slot)],
                      slot,
                      m_settings,
                      m_state,
                      [this] { Redraw(); },
                      [this] { saveSettings(); },
                      [this] { offsetsChangedElsewhere(); },
                      [this] { return Slider1->value(); }};
    m_calibrationWindowOpen = true;
    {
        FormJD form(host, m_state.LastCalibrationRun, this);
        if (runCalibrationWindow)
            runCalibrationWindow(form);
        else
            form.exec();
    }
    m_calibrationWindowOpen = false;
    // The window may have switched splicing: the main window's options show it.
    Option_show[m_state.SpliceOn ? 1 : 0]->setChecked(true);
    Redraw();
}
