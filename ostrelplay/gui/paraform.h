#pragma once
// "参数与曲线": the parameter lines of a slot's recording in one list.

#include <QWidget>

class QListWidget;
class Workspace;

class Tfrm_para : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_para(Workspace &workspace, QWidget *parent = nullptr);

    // Button "参数曲线" of slot `slot`: shows the window filled, when the slot is open.
    void btnParaClick(int slot);

    QListWidget *lst;

private:
    Workspace &m_workspace;
};
