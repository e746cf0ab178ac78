#include "FormJD.h"

#include "viewer/ViewKeys.h"
#include "viewer/ViewPointer.h"

#include "common/gui/PaintBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace brantview;

namespace {

int twipsToPixels(double twips, double dpi)
{
    return int(std::lround(twips / 20 * dpi / 72));
}

} // namespace

FormJD::FormJD(Host host, CalibrationRun run, QWidget *parent)
    : QDialog(parent), popUp([](QMenu &menu, QPoint at) { menu.exec(at); }),
      tell([this](const QString &message) {
          QMessageBox box(QMessageBox::Information, windowTitle(), message, QMessageBox::Ok, this);
          box.exec();
      }),
      magnifyProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/magnify")), m_host(std::move(host)),
      m_waveform(m_host.slot, std::move(run)), m_drawWidth(m_host.state.DrawWidth)
{
    setObjectName(QStringLiteral("FormJD"));
    setWindowTitle(QStringLiteral("校对波形"));
    setModal(true);

    Option_show[0] = new QRadioButton(QStringLiteral("精"));
    Option_show[1] = new QRadioButton(QStringLiteral("拼"));
    Option_show[0]->setObjectName(QStringLiteral("Option_show0"));
    Option_show[1]->setObjectName(QStringLiteral("Option_show1"));
    Magnify = new QPushButton(QStringLiteral("放大镜"));
    Magnify->setObjectName(QStringLiteral("Magnify"));
    m_view = new PaintBox([this](QPainter &painter) { m_view->drawPicture(painter, QPoint(0, 0), m_image); });
    m_view->setObjectName(QStringLiteral("picture"));
    m_view->setMinimumSize(400, 240);
    HScroll_Pos = new QScrollBar(Qt::Horizontal);
    HScroll_Pos->setObjectName(QStringLiteral("HScroll_Pos"));
    // The window previews every key: no control takes the focus from it.
    for (QWidget *w : std::initializer_list<QWidget *>{Option_show[0], Option_show[1], Magnify, HScroll_Pos, m_view})
        w->setFocusPolicy(Qt::NoFocus);

    auto *controls = new QHBoxLayout;
    controls->addWidget(Option_show[0]);
    controls->addWidget(Option_show[1]);
    controls->addWidget(Magnify);
    controls->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(controls);
    column->addWidget(m_view, 1);
    column->addWidget(HScroll_Pos);

    mnuPos = new QMenu(this);
    mnuPos->setObjectName(QStringLiteral("mnuPos"));
    mnuPos1 = mnuPos->addAction(QStringLiteral("起点"));
    mnuPos2 = mnuPos->addAction(QStringLiteral("终点"));
    mnuPos_Flag = mnuPos->addAction(QStringLiteral("清除标记"));
    mnuPos1->setObjectName(QStringLiteral("mnuPos1"));
    mnuPos2->setObjectName(QStringLiteral("mnuPos2"));
    mnuPos_Flag->setObjectName(QStringLiteral("mnuPos_Flag"));

    // Opening: the display fonts back to their defaults, the splice switch on.
    ResetDisplayFonts(m_host.settings);
    m_host.state.SpliceOn = true;
    Option_show[m_host.state.SpliceOn ? 1 : 0]->setChecked(true);
    if (m_host.spliceChanged)
        m_host.spliceChanged();
    const CalibrationScroll &scroll = m_waveform.scroll();
    HScroll_Pos->setPageStep(1);
    HScroll_Pos->setRange(scroll.Min, scroll.Max);
    HScroll_Pos->setValue(scroll.Value);
    placeOnOpening();

    connect(Option_show[0], &QRadioButton::clicked, this, [this] { Option_show_Click(false); });
    connect(Option_show[1], &QRadioButton::clicked, this, [this] { Option_show_Click(true); });
    connect(Magnify, &QPushButton::clicked, this, &FormJD::Magnify_Click);
    connect(HScroll_Pos, &QScrollBar::valueChanged, this, &FormJD::HScroll_Pos_Change);
    connect(mnuPos1, &QAction::triggered, this, &FormJD::mnuPos1_Click);
    connect(mnuPos2, &QAction::triggered, this, &FormJD::mnuPos2_Click);
    connect(mnuPos_Flag, &QAction::triggered, this, &FormJD::mnuPos_Flag_Click);
    connect(m_view, &PaintBox::mouseDown, this, [this](QPoint pos, Qt::MouseButton b) {
        const int code = b == Qt::LeftButton ? PointerButton::Left
            : b == Qt::RightButton           ? PointerButton::Right
            : b == Qt::MiddleButton          ? PointerButton::Middle
                                             : 0;
        Form_MouseDown(code, pos.x() * pointsPerPixel());
    });
    connect(m_view, &PaintBox::mouseMove, this, [this](QPoint pos) { Form_MouseMove(pos.x() * pointsPerPixel()); });
    connect(m_view, &PaintBox::mouseUp, this, [this](Qt::MouseButton) { Form_MouseUp(); });
}

// Half the screen high and 50 points more, nearly as wide as the screen; at the
// bottom of the screen for the first pane, at the top for the second.
void FormJD::placeOnOpening()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const double dpi = screen->logicalDotsPerInchX();
    const int height = area.height() / 2 + twipsToPixels(1000, dpi);
    const int width = area.width() - twipsToPixels(200, dpi);
    const int top = m_host.slotIndex == 0 ? area.height() - height : 0;
    setGeometry(area.x() + twipsToPixels(100, dpi), area.y() + top, width, height);
}

double FormJD::pointsPerPixel() const
{
    return 72.0 / std::max(m_view->logicalDpiX(), 1);
}

double FormJD::Wj() const
{
    return m_view->width() * pointsPerPixel();
}

void FormJD::drawJDB()
{
    const QSize size = m_view->size();
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    {
        ViewCanvas canvas(m_image, m_view->logicalDpiX());
        m_drawn = brantview::drawJDB(canvas, m_waveform,
                                     {m_host.slot, m_host.slotIndex, m_host.settings, m_host.state, m_host.state.R,
                                      m_drawWidth});
    }
    m_view->update();
}

void FormJD::showScrollValue()
{
    const QSignalBlocker quiet(HScroll_Pos);
    HScroll_Pos->setValue(m_waveform.scroll().Value);
}

void FormJD::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    drawJDB();
}

void FormJD::HScroll_Pos_Change(int value)
{
    m_waveform.scrollTo(value);
    drawJDB();
}

void FormJD::keyPressEvent(QKeyEvent *event)
{
    const int shift = event->modifiers() == Qt::ControlModifier ? CtrlMask : 0;
    switch (event->key()) {
    case Qt::Key_BracketRight: Form_KeyDown(KeyCode::CloseBracket, shift); return;
    case Qt::Key_BracketLeft: Form_KeyDown(KeyCode::OpenBracket, shift); return;
    case Qt::Key_H: Form_KeyDown(KeyCode::H, shift); return;
    case Qt::Key_V: Form_KeyDown(KeyCode::V, shift); return;
    default: QDialog::keyPressEvent(event);
    }
}

void FormJD::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == KeyCode::CloseBracket || keyCode == KeyCode::OpenBracket) {
        if (m_waveform.scrollKey(keyCode)) {
            showScrollValue();
            drawJDB();
        }
        return;
    }
    if (shift != CtrlMask)
        return;
    if (keyCode == KeyCode::H) {
        m_host.settings.VS = m_host.settings.VS == 1 ? 2 : 1;
        m_host.saveSettings();
    } else if (keyCode == KeyCode::V) {
        m_host.state.SecondGroupShown = !m_host.state.SecondGroupShown;
    } else {
        return;
    }
    m_host.redrawMain();
    drawJDB();
}

void FormJD::Form_MouseDown(int button, double x)
{
    if (button == PointerButton::Left || button == PointerButton::Middle) {
        m_waveform.beginDrag(x);
        m_view->setCursor(Qt::SizeHorCursor);
    } else if (button == PointerButton::Right) {
        const MeasurePopupItems items = m_waveform.popupAt(x);
        mnuPos1->setEnabled(items.start);
        mnuPos2->setEnabled(items.end);
        mnuPos_Flag->setEnabled(items.clear);
        popUp(*mnuPos, QCursor::pos());
    }
}

void FormJD::Form_MouseMove(double x)
{
    if (!m_waveform.dragTo(x))
        return;
    showScrollValue();
    drawJDB();
}

void FormJD::Form_MouseUp()
{
    m_waveform.endDrag();
    m_view->unsetCursor();
}

void FormJD::mnuPos1_Click()
{
    m_waveform.setMeasureStart(Wj());
    drawJDB();
}

void FormJD::mnuPos2_Click()
{
    m_waveform.setMeasureEnd(Wj());
    drawJDB();
}

void FormJD::mnuPos_Flag_Click()
{
    m_waveform.clearMeasure();
    drawJDB();
}

void FormJD::Option_show_Click(bool splice)
{
    m_host.state.SpliceOn = splice;
    if (m_host.spliceChanged)
        m_host.spliceChanged();
    m_host.redrawMain();
    drawJDB();
}

void FormJD::Magnify_Click()
{
    m_drawWidth = 1;
    drawJDB();
    QProcess magnifier;
    magnifier.start(magnifyProgram, {});
    if (!magnifier.waitForStarted()) {
        tell(QStringLiteral("找不到放大镜程序：%1").arg(magnifyProgram));
    } else {
        while (!magnifier.waitForFinished(50))
            QCoreApplication::processEvents();
    }
    m_drawWidth = m_host.pointSize();
    drawJDB();
}
