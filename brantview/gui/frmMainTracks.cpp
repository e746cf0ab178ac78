// frmMain's GPS route and gain curve windows. Each is built from the pane that is
// current when it opens and follows that pane's view; opening another file closes
// both, so that they are built again from the new data.

#include "frmMain.h"

#include "FormGPS.h"
#include "FormdB.h"

using namespace brantview;

void frmMain::mnuGPS_Click()
{
    if (!m_formGPS) {
        const int slot = m_panes.CurrentSlot;
        m_formGPS = new FormGPS(BuildGpsTrack(m_panes.Slots[size_t(slot)].GpsTable), slot, m_settings,
                                [this] { saveSettings(); }, this);
        m_formGPS->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_formGPS->show();
    m_formGPS->raise();
    followViewInTrackWindows();
}

void frmMain::mnudBMap_Click()
{
    if (!m_formdB) {
        const int slot = m_panes.CurrentSlot;
        m_formdB = new FormdB(GainDataOf(m_panes.Slots[size_t(slot)]), slot, m_settings, this);
        m_formdB->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_formdB->show();
    m_formdB->raise();
    followViewInTrackWindows();
}

void frmMain::followViewInTrackWindows()
{
    if (m_aScanMode)
        return;
    if (GpsWindowOpen())
        m_formGPS->placeCar(m_panes.Slots[size_t(m_formGPS->slot())].ViewStart);
    if (GainWindowOpen())
        m_formdB->showViewStart(m_panes.Slots[size_t(m_formdB->slot())].ViewStart);
}

void frmMain::closeTrackWindows()
{
    if (m_formGPS)
        m_formGPS->close();
    if (m_formdB)
        m_formdB->close();
}

bool frmMain::GpsWindowOpen() const
{
    return m_formGPS && m_formGPS->isVisible();
}

bool frmMain::GainWindowOpen() const
{
    return m_formdB && m_formdB->isVisible();
}
