#include "ascanform.h"

#include "common/gui/PaintBox.h"
#include "workspace/Workspace.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <QVBoxLayout>

namespace {
constexpr int ClientWidth = 734;
constexpr int ClientHeight = 311;
constexpr int PixelsPerRow = 10;
}

Tfrm_ascan::Tfrm_ascan(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_ws(workspace)
{
    setObjectName(QStringLiteral("frm_ascan"));
    setWindowTitle(QStringLiteral("A显"));
    pb_ascan = new PaintBox([this](QPainter &p) { paintPanel(p); }, this);
    pb_ascan->setObjectName(QStringLiteral("pb_ascan"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pb_ascan);
    resize(ClientWidth, ClientHeight);

    connect(pb_ascan, &PaintBox::mouseDown, this, &Tfrm_ascan::pb_ascanMouseDown);
    connect(pb_ascan, &PaintBox::mouseMove, this, &Tfrm_ascan::pb_ascanMouseMove);
    connect(pb_ascan, &PaintBox::mouseUp, this, &Tfrm_ascan::pb_ascanMouseUp);
}

void Tfrm_ascan::growTo(int panelWidth)
{
    const int extra = panelWidth - pb_ascan->width();
    if (extra <= 0)
        return;
    const QScreen *display = screen();
    const int widest = display ? display->availableGeometry().width() : width() + extra;
    resize(std::min(width() + extra, widest), height());
}

void Tfrm_ascan::paintPanel(QPainter &painter)
{
    // The panel of the last active slot, as the two slots drew one over the other.
    const QImage *panel = nullptr;
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        if (slot.Opened && slot.Active && slot.hasRecording())
            panel = &slot.Frame.std_ABitMap;
    }
    pb_ascan->drawPicture(painter, QPoint(0, 0), panel ? *panel : QImage());
}

void Tfrm_ascan::pb_ascanMouseDown(QPoint pos, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    m_dragging = true;
    m_dragStartX = pos.x();
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        if (slot.hasRecording())
            m_dragStartPositions[size_t(fileN)] = slot.bar.position();
    }
}

void Tfrm_ascan::pb_ascanMouseMove(QPoint pos)
{
    if (!m_dragging)
        return;
    const int rows = (pos.x() - m_dragStartX) / PixelsPerRow;
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        if (slot.hasRecording() && (m_ws.SyncPlay || slot.Active))
            m_ws.setPosition(fileN, m_dragStartPositions[size_t(fileN)] + rows);
    }
}

void Tfrm_ascan::pb_ascanMouseUp()
{
    m_dragging = false;
}
