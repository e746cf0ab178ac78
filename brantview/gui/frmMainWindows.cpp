// frmMain's settings windows and picture commands: each window edits the settings in
// place and calls back, and the main window writes "parm.dat" and draws again.

#include "frmMain.h"

#include "FormColor.h"
#include "FormColor_A.h"
#include "FormMlist.h"
#include "FormSpeed.h"
#include "FormStyle.h"
#include "Form_Find.h"
#include "Form_MarkFind.h"
#include "Form_line.h"
#include "Form_mg.h"
#include "PictureCommands.h"

#include "recording/ParamsInEffect.h"
#include "viewer/PrintRendering.h"

#include <QAction>

using namespace brantview;

void frmMain::settingsChanged()
{
    saveSettings();
    Redraw();
}

OffsetTarget frmMain::offsetTarget() const
{
    const int slot = m_panes.CurrentSlot;
    const ParamEntry *params = ParamsInEffect(m_panes.Slots[size_t(slot)]);
    return {slot, params ? paramBlockOf(*params).serialKey() : 0, m_state.OffsetSelection[size_t(slot)]};
}

void frmMain::connectWindows()
{
    auto action = [this](const char *name) { return findChild<QAction *>(QString::fromLatin1(name)); };
    auto ready = [&](const char *name) {
        QAction *a = action(name);
        a->setProperty("ready", true);
        a->setEnabled(true);
        return a;
    };
    connect(ready("mnuStyle"), &QAction::triggered, this, [this] {
        FormStyle window(m_settings, [this] { settingsChanged(); }, this);
        window.exec();
    });
    connect(ready("mnuColor"), &QAction::triggered, this, [this] {
        if (m_aScanMode) {
            FormColor_A window(m_settings, [this] { settingsChanged(); }, this);
            window.exec();
            return;
        }
        if (!m_formColor) {
            m_formColor = new FormColor(m_settings, m_offsets, offsetTableFilePath(), offsetTarget(), m_state.SpliceOn,
                                        [this] { settingsChanged(); }, this);
            m_formColor->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_formColor->show();
        m_formColor->raise();
    });
    connect(ready("mnuLineSet"), &QAction::triggered, this, [this] {
        Form_line window(m_settings, [this] { settingsChanged(); }, this);
        window.exec();
    });
    connect(ready("mnuPicture"), &QAction::triggered, this, [this] { savePicture(this, m_image); });
    connect(ready("mnuPrint"), &QAction::triggered, this, [this] {
        printPicture(this, [this](QImage &picture, double dpi) {
            picture = PrintPicture(m_panes, m_settings, m_state, m_sources, dpi);
        });
    });
    connect(ready("mnuFilePageSetup"), &QAction::triggered, this, [this] { pageSetup(this); });
    connect(ready("munMlist"), &QAction::triggered, this, &frmMain::showMarkList);
    connect(ready("mnuFind"), &QAction::triggered, this, [this] {
        if (!m_formFind) {
            m_formFind = new Form_Find(*this);
            m_formFind->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_formFind->show();
        m_formFind->raise();
    });
    connect(ready("mnuFindMark"), &QAction::triggered, this, [this] {
        if (!m_formMarkFind) {
            m_formMarkFind = new Form_MarkFind(*this);
            m_formMarkFind->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_formMarkFind->show();
        m_formMarkFind->raise();
    });
    connect(ready("mnuReport"), &QAction::triggered, this, [this] {
        Form_mg window(ShownFirmwareVersion(m_panes.current()), this);
        window.exec();
    });
    connect(ready("mnuSpeed"), &QAction::triggered, this, [this] {
        if (!m_formSpeed) {
            m_formSpeed = new FormSpeed([this]() -> const RecordingSlot & { return m_panes.current(); },
                                        [this](int32_t viewStart) { moveView(viewStart); }, this);
            m_formSpeed->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_formSpeed->show();
        m_formSpeed->raise();
    });
    connect(ready("mnuAdisplay"), &QAction::triggered, this, [this] { openEchoTrace(false); });
    connect(ready("mnuAdisplay2"), &QAction::triggered, this, [this] { openEchoTrace(true); });
    connect(ready("mnuGPS"), &QAction::triggered, this, &frmMain::mnuGPS_Click);
    connect(ready("mnudBMap"), &QAction::triggered, this, &frmMain::mnudBMap_Click);
    wordReport = wordReportDefaults(this);
    connect(ready("mnuWord"), &QAction::triggered, this, &frmMain::mnuWord_Click);
}

void frmMain::showMarkList()
{
    if (!m_formMlist) {
        m_formMlist = new FormMlist(m_panes, m_sources, [this] { Redraw(); }, this);
        m_formMlist->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_formMlist->Form_Load(m_panes.CurrentSlot);
    m_formMlist->show();
    m_formMlist->raise();
    m_formMlist->activateWindow();
}

void frmMain::reviewMarksChanged()
{
    if (m_formMlist)
        m_formMlist->BuildMarkList();
}

void frmMain::publishMarkCounts(int slot)
{
    if (m_formMarkFind)
        m_formMarkFind->showCounts(m_panes.Slots[size_t(slot)]);
}

void frmMain::offsetsChangedElsewhere()
{
    if (m_formColor) {
        m_formColor->setOffsetTarget(offsetTarget());
        m_formColor->setOffsetsEnabled(m_state.SpliceOn);
    }
}
