// frmMain's A-scan mode: an A-scan record opened as "文件1" is shown frame by frame,
// the scroll bar choosing the frame (the last one first) and "点大小" the line width.

#include "frmMain.h"

#include "viewer/AScanScroll.h"
#include "viewer/AScanView.h"
#include "viewer/ViewCanvas.h"

#include "common/gui/PaintBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <cmath>

using namespace brantview;

namespace {

// The menus whose windows read a stream.
const char *const StreamOnlyMenus[] = {"mnuAdisplay", "mnuAdisplay2", "mnuGPS", "mnuFind", "mnuFindMark"};

} // namespace

std::vector<QWidget *> frmMain::streamOnlyControls() const
{
    return {Disp_Command, HScroll_Interval, Text2,          Command_dir,   Magnify,
            MForward,     Mbackward,        Text_HScroll[1], Option_show[0], Option_show[1]};
}

void frmMain::showStreamControls(bool shown)
{
    for (QWidget *w : streamOnlyControls()) {
        w->setVisible(shown);
        w->setEnabled(shown);
    }
    for (const char *name : StreamOnlyMenus)
        if (QAction *a = findChild<QAction *>(QString::fromLatin1(name)))
            a->setEnabled(shown && a->property("ready").toBool());
}

void frmMain::LoadAScanRecord()
{
    setAutoPlay(false);
    m_aScanMode = true;
    showStreamControls(false);
    Text3->show();
    Slider1->show();
    const int frames = int(m_panes.Slots[0].Frames.size());
    const int max = AScanScrollMax(frames);
    m_frame = AScanFirstShownFrame(frames);
    m_settingScroll = true;
    HScroll_Pos->setRange(0, max);
    HScroll_Pos->setValue(AScanValueOfFrame(max, m_frame));
    m_settingScroll = false;
    HScroll_Pos->setEnabled(true);
    Text_HScroll[0]->setText(QStringLiteral("记录浏览"));
    Text_dis->setText(QString::number(frames));
    {
        const QSignalBlocker block(Slider1);
        Slider1->setValue(m_settings.AScanPointSize);
    }
    setWindowTitle(QStringLiteral("A超探伤---") + m_panes.Slots[0].FileName);
    label1->hide();
    m_navigation->setVisible(true);
    Redraw();
}

void frmMain::leaveAScanMode()
{
    if (!m_aScanMode)
        return;
    m_aScanMode = false;
    showStreamControls(true);
}

void frmMain::DrawAScanView(ViewCanvas &canvas)
{
    const RecordingSlot &slot = m_panes.Slots[0];
    if (m_frame < 0 || m_frame >= int(slot.Frames.size()))
        return;
    // The A-scan record is drawn black on white; the stream's colours stay as the user set them.
    BrantSettings colours = m_settings;
    colours.BackColour = White;
    colours.ForeColour = Black;
    DrawAScanFrame(canvas, slot.Frames[size_t(m_frame)], m_frame, colours);
}

void frmMain::AScanScrollChange(int value)
{
    m_frame = AScanFrameOfValue(AScanScrollMax(int(m_panes.Slots[0].Frames.size())), value);
    Redraw();
}

void frmMain::AScanSliderChange(int value)
{
    m_settings.AScanPointSize = value;
    Redraw();
    saveSettings();
}
