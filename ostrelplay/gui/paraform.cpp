#include "paraform.h"

#include "windows/ParaLines.h"
#include "workspace/Workspace.h"

#include <QListWidget>
#include <QVBoxLayout>

Tfrm_para::Tfrm_para(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Window), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_para"));
    resize(636, 564);
    lst = new QListWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lst);
}

void Tfrm_para::btnParaClick(int slot)
{
    const FileSlot &fileSlot = m_workspace.slot(slot);
    if (!fileSlot.Opened || !fileSlot.hasRecording())
        return;
    setWindowTitle(paraWindowTitle(slot));
    lst->clear();
    lst->addItems(paraLines(*fileSlot.Recording));
    show();
    raise();
    activateWindow();
}
