#include "stdmform.h"

#include "common/gui/ListTable.h"
#include "common/gui/PaintBox.h"
#include "rendering/StdmRenderer.h"

#include "recording/StdErrors.h"
#include "workspace/PlayerSettings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int ClientWidth = 830;
constexpr int ClientHeight = 425;
constexpr int ListWidth = 200;
constexpr int PaintBoxWidth = 626;
constexpr int PaintBoxHeight = 400;
constexpr int LastFrame = StdmFrameCount - 1;
constexpr int FrameMilliseconds = 100;
const QString PlayCaption = QStringLiteral("播放");
const QString PauseCaption = QStringLiteral("暂停");
}

Tfrm_stdm::Tfrm_stdm(PlayerSettings &settings, QWidget *parent)
    : QWidget(parent, Qt::Window), m_settings(settings)
{
    setObjectName(QStringLiteral("frm_stdm"));
    setWindowTitle(QStringLiteral("录像播放"));

    lv_list = new ListTable({{QStringLiteral("文件"), 100},
                             {QStringLiteral("通道"), 100},
                             {QStringLiteral("灵敏度"), 100},
                             {QStringLiteral("最高波幅"), 100}},
                            this);
    lv_list->setObjectName(QStringLiteral("lv_list"));
    lv_list->setSelectionMode(QAbstractItemView::SingleSelection);
    lv_list->setFixedWidth(ListWidth);

    pb_stdm = new PaintBox([this](QPainter &p) { pb_stdm->drawPicture(p, QPoint(0, 0), m_file ? m_player.stdm_Bitmap : QImage()); },
                           this);
    pb_stdm->setObjectName(QStringLiteral("pb_stdm"));
    pb_stdm->setFixedSize(PaintBoxWidth, PaintBoxHeight);

    cbb_stdm = new QComboBox(this);
    cbb_stdm->setObjectName(QStringLiteral("cbb_stdm"));
    btn_stdm = new QPushButton(PlayCaption, this);
    btn_stdm->setObjectName(QStringLiteral("btn_stdm"));
    pgb_stdm = new QProgressBar(this);
    pgb_stdm->setObjectName(QStringLiteral("pgb_stdm"));
    pgb_stdm->setRange(0, LastFrame);
    pgb_stdm->setValue(0);
    pgb_stdm->setTextVisible(false);
    pgb_stdm->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(cbb_stdm);
    controls->addWidget(btn_stdm);
    controls->addWidget(pgb_stdm, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(pb_stdm);
    right->addLayout(controls);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lv_list);
    layout->addLayout(right);
    resize(ClientWidth, ClientHeight);

    tmr_stdm = new QTimer(this);
    tmr_stdm->setInterval(FrameMilliseconds);
    connect(tmr_stdm, &QTimer::timeout, this, &Tfrm_stdm::tmr_stdmTimer);
    connect(btn_stdm, &QPushButton::clicked, this, &Tfrm_stdm::btn_stdmClick);
    connect(cbb_stdm, &QComboBox::activated, this, &Tfrm_stdm::cbb_stdmChange);
}

Tfrm_stdm::~Tfrm_stdm() = default;

void Tfrm_stdm::openFile(const QString &path)
{
    try {
        OpenStdmFile(path);
    } catch (const StdFileError &e) {
        QMessageBox::warning(this, windowTitle(), e.text());
        return;
    }
    show();
    raise();
    activateWindow();
    if (!m_file->loadWarning.isEmpty())
        QMessageBox::warning(this, windowTitle(), m_file->loadWarning);
}

void Tfrm_stdm::OpenStdmFile(const QString &FilePath)
{
    // The new file is read completely before the one shown is let go.
    auto file = std::make_unique<mystdmfile>();
    file->LoadStdmFile(FilePath);
    m_file = std::move(file);
    m_player.InitStdmFile();
    m_dragging = false;
    btn_stdm->setText(PlayCaption);
    pgb_stdm->setValue(0);
    cbb_stdm->clear();
    cbb_stdm->addItems(stdmComboTexts(*m_file));
    cbb_stdm->setCurrentIndex(0);
    fillList();
}

void Tfrm_stdm::fillList()
{
    std::vector<QStringList> lines;
    for (const StdmListRow &row : stdmListRows(*m_file))
        lines.push_back({row.number, row.channel, row.db, row.amp});
    lv_list->setRows(lines);
}

void Tfrm_stdm::btn_stdmClick()
{
    if (!m_file)
        return;
    if (btn_stdm->text() == PlayCaption) {
        m_player.stdm_playing = true;
        btn_stdm->setText(PauseCaption);
    } else if (btn_stdm->text() == PauseCaption) {
        m_player.stdm_playing = false;
        btn_stdm->setText(PlayCaption);
    }
}

void Tfrm_stdm::cbb_stdmChange(int index)
{
    if (!m_file || index < 0)
        return;
    m_player.stdm_curfile = index;
    pgb_stdm->setValue(0);
}

int Tfrm_stdm::barPositionAt(int x) const
{
    return std::clamp(x * pgb_stdm->maximum() / std::max(pgb_stdm->width(), 1), 0, pgb_stdm->maximum());
}

void Tfrm_stdm::pgb_stdmMouseDown(int x)
{
    if (!m_file)
        return;
    pgb_stdm->setValue(barPositionAt(x));
    m_dragging = true;
}

void Tfrm_stdm::pgb_stdmMouseMove(int x)
{
    if (m_dragging)
        pgb_stdm->setValue(barPositionAt(x));
}

void Tfrm_stdm::pgb_stdmMouseUp()
{
    m_dragging = false;
}

void Tfrm_stdm::tmr_stdmTimer()
{
    if (!m_file)
        return;
    if (m_player.stdm_playing && !m_dragging)
        pgb_stdm->setValue(std::min(pgb_stdm->value() + 1, LastFrame));
    m_player.DrawStdmBitMap(*m_file, pgb_stdm->value(), stdmColours(m_settings.display));
    pb_stdm->update();
    if (pgb_stdm->value() != LastFrame || !m_player.stdm_playing)
        return;
    const int next = m_player.stdm_curfile + 1;
    if (next < m_file->stdm_filecount) {
        cbb_stdm->setCurrentIndex(next);
        m_player.stdm_curfile = next;
        pgb_stdm->setValue(0);
    } else {
        m_player.stdm_playing = false;
        btn_stdm->setText(PlayCaption);
    }
}

bool Tfrm_stdm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pgb_stdm) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            pgb_stdmMouseDown(int(static_cast<QMouseEvent *>(event)->position().x()));
            return true;
        case QEvent::MouseMove:
            pgb_stdmMouseMove(int(static_cast<QMouseEvent *>(event)->position().x()));
            return true;
        case QEvent::MouseButtonRelease:
            pgb_stdmMouseUp();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tfrm_stdm::showEvent(QShowEvent *event)
{
    tmr_stdm->start();
    QWidget::showEvent(event);
}

void Tfrm_stdm::hideEvent(QHideEvent *event)
{
    tmr_stdm->stop();
    QWidget::hideEvent(event);
}
