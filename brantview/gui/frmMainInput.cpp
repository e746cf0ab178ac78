// frmMain's keys and pointer on the B-scan view: the core decides, the window
// carries out what it must show.

#include "frmMain.h"

#include "recording/ParmFile.h"
#include "viewer/ViewKeys.h"
#include "viewer/ViewPointer.h"

#include "common/gui/PaintBox.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace brantview;

namespace {

int keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F8)
        return KeyCode::F1 + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    switch (key) {
    case Qt::Key_Escape: return KeyCode::Escape;
    case Qt::Key_BracketLeft: return KeyCode::OpenBracket;
    case Qt::Key_BracketRight: return KeyCode::CloseBracket;
    case Qt::Key_Comma: return KeyCode::Comma;
    case Qt::Key_Period: return KeyCode::Period;
    default: return 0;
    }
}

} // namespace

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // The view takes its keys before any control of the window can, as a form that
    // previews its keys does; dialogs and menus keep theirs.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this && !QApplication::activePopupWidget()
        && bScanShown()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (const int code = keyCodeOf(*key)) {
            Form_KeyDown(code, shiftMaskOf(key->modifiers()));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_KeyDown(int keyCode, int shift)
{
    Disp_Command->setFocus();
    const KeyOutcome out = HandleViewKey(keyCode, shift, m_settings, m_state, m_panes,
                                         StepButtons{Mbackward->isEnabled(), MForward->isEnabled()});
    if (out.reviewMarkKind != 0) {
        addReviewMark(out.reviewMarkKind);
        return;
    }
    if (out.save)
        saveSettings();
    if (out.manualStep < 0)
        StepView(m_settings.ManualStep);
    else if (out.manualStep > 0)
        StepViewBack(m_settings.ManualStep);
    if (out.redraw)
        Redraw();
}

void frmMain::Form_MouseDown(int button, int shift, double x, double y)
{
    if (!bScanShown())
        return;
    const PressOutcome out = PointerDown(m_pointer, {m_settings, m_state, m_panes}, button, shift, x, y);
    if (out.stoppedAutoPlay) {
        setAutoPlay(false);
        return;
    }
    if (out.calibrationPicked) {
        ShowJDdata();
        return;
    }
    if (out.fileSet)
        SetUpView(m_panes.CurrentSlot, false);
    if (out.popup)
        showToolsPopup(*out.popup, QCursor::pos());
    if (out.grabPointer)
        m_view->setCursor(Qt::ClosedHandCursor);
}

void frmMain::Form_MouseMove(int button, int shift, double x, double y)
{
    if (!bScanShown())
        return;
    const MoveOutcome out = PointerMove(m_pointer, {m_settings, m_state, m_panes}, button, shift, x, y);
    if (out.readout) {
        label1->setVisible(!out.readout->isEmpty());
        if (!out.readout->isEmpty()) {
            label1->setText(*out.readout);
            label1->adjustSize();
            const double k = 1.0 / pointsPerPixel();
            label1->move(int((x - 30) * k), int((y + 15) * k));
        }
        return;
    }
    if (out.save)
        saveSettings();
    if (out.focusBackward)
        Mbackward->setFocus();
    if (out.scrollChanged)
        showScrollValue();
    if (out.redraw)
        Redraw();
}

void frmMain::Form_MouseUp(int button)
{
    if (PointerUp(m_pointer, button))
        m_view->unsetCursor();
}

void frmMain::Form_DblClick()
{
    if (!PointerDoubleClick(m_state, m_panes))
        return;
    Command_TB->setText(m_state.SyncOn ? QStringLiteral("同步") : QStringLiteral("异步"));
    Redraw();
}

void frmMain::showToolsPopup(const PopupItems &items, QPoint globalPos)
{
    for (QAction *a : popupOnlyItems()) {
        a->setVisible(true);
        a->setEnabled(true);
    }
    mnuPos2->setVisible(items.rangeEnd);
    mnuPos_Flag->setVisible(items.rangeEnd);
    mnuSave->setVisible(items.save);
    munMlist->setVisible(items.markList);
    // Items whose window is there.
    for (QAction *a : {mnuLineSet, munMlist})
        a->setEnabled(a->property("ready").toBool());
    mnuTools->exec(globalPos);
    for (QAction *a : popupOnlyItems()) {
        a->setVisible(false);
        a->setEnabled(false);
    }
}
