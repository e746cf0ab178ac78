#include "A_form.h"

#include "analysis/EchoTracePicture.h"
#include "analysis/TwipCanvas.h"
#include "recording/ParamsInEffect.h"
#include "viewer/ViewCanvas.h"

#include "common/gui/PaintBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

using namespace brantview;

namespace {

constexpr int TopTwips = 6000;
constexpr int DefaultWidthPoints = 800;

} // namespace

A_form::A_form(bool HighSensitivityMode, const BrantSettings &settings, TraceHost host, QWidget *parent)
    : QDialog(parent), m_high(HighSensitivityMode), m_settings(settings), m_host(std::move(host)), m_marker(m_host.W)
{
    setObjectName(QStringLiteral("A_form"));
    setModal(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colourOf(settings.BackColour));
    colours.setColor(QPalette::WindowText, colourOf(settings.ForeColour));
    setPalette(colours);
    setAutoFillBackground(true);

    auto box = [this](const char *name, PaintBox::Painter paint) {
        auto *b = new PaintBox(std::move(paint), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    PictureA = box("PictureA", [this](QPainter &p) { paintPictureA(p); });
    PictureAX_top = box("PictureAX_top", [this](QPainter &p) { paintRuler(p, PictureAX_top, m_rulerTop, 0); });
    PictureAX = box("PictureAX", [this](QPainter &p) { paintRuler(p, PictureAX, m_rulerBottom, 1); });
    PictureAY = box("PictureAY", [this](QPainter &p) { paintRuler(p, PictureAY, m_rulerSide, 2); });
    const double pixelsPerTwip = dpi() / TwipsPerInch;
    const int rulerPixels = int(RulerDepth * pixelsPerTwip);
    const int tracePixels = int(TracePictureHeight * pixelsPerTwip);
    PictureAX_top->setFixedHeight(rulerPixels);
    PictureAX->setFixedHeight(rulerPixels);
    PictureAY->setFixedWidth(rulerPixels);
    PictureA->setMinimumSize(rulerPixels * 4, tracePixels);

    HScrollA = new QScrollBar(Qt::Horizontal, this);
    HScrollA->setObjectName(QStringLiteral("HScrollA"));
    HScrollA->setRange(0, m_host.W);
    HScrollA->setValue(m_host.W);
    // A drag reports its moves as scrolls and its end as the change.
    HScrollA->setTracking(false);
    CommandAuto = new QPushButton(QStringLiteral("转自动"), this);
    CommandAuto->setObjectName(QStringLiteral("CommandAuto"));
    CommandAuto->setAutoDefault(false);
    SliderA = new QSlider(Qt::Horizontal, this);
    SliderA->setObjectName(QStringLiteral("SliderA"));
    SliderA->setRange(SettingRanges::TraceStepInterval.min, SettingRanges::TraceStepInterval.max);
    SliderA->setValue(settings.TraceStepInterval);
    SliderA->setMinimumWidth(200);
    TimerA.setInterval(settings.TraceStepInterval);

    auto *grid = new QGridLayout(this);
    grid->setSpacing(0);
    grid->addWidget(PictureAX_top, 0, 1);
    grid->addWidget(PictureAY, 1, 0);
    grid->addWidget(PictureA, 1, 1);
    grid->addWidget(PictureAX, 2, 1);
    grid->addWidget(HScrollA, 3, 0, 1, 2);
    auto *controls = new QHBoxLayout;
    controls->addWidget(CommandAuto);
    controls->addWidget(SliderA);
    controls->addStretch(1);
    grid->addLayout(controls, 4, 0, 1, 2);
    grid->setRowStretch(1, 1);

    setWindowTitle((HighSensitivityMode ? QStringLiteral("A超校队(高灵敏度)---文件") : QStringLiteral("A超校队(正常灵敏度)---文件"))
                   + QString::number(m_host.slotNumber));
    const int width = parent ? parent->width() : int(DefaultWidthPoints * dpi() / 72);
    resize(width, sizeHint().height());
    move(0, int(TopTwips * pixelsPerTwip));

    connect(HScrollA, &QScrollBar::valueChanged, this, &A_form::HScrollA_Change);
    connect(HScrollA, &QScrollBar::sliderMoved, this, &A_form::HScrollA_Scroll);
    connect(CommandAuto, &QPushButton::clicked, this, &A_form::CommandAuto_Click);
    connect(&TimerA, &QTimer::timeout, this, &A_form::TimerA_Timer);
    connect(SliderA, &QSlider::valueChanged, this, &A_form::SliderA_Change);

    RecordingSlot &slot = m_host.slot();
    slot.CurrentColumn = CurrentColumnOf(slot);
    drawTrace();
}

double A_form::dpi() const
{
    return std::max(logicalDpiY(), 1);
}

void A_form::drawTrace()
{
    m_trace = TraceAtMarker(m_host.slot(), HScrollA->value(), m_host.W, m_high);
    m_traceDrawn = false;
    PictureA->update();
    m_host.follow(FollowInMainView(m_trace, m_marker.Jumped));
}

void A_form::paintPictureA(QPainter &painter)
{
    if (!m_traceDrawn || m_pictureA.size() != PictureA->size()) {
        m_pictureA = QImage(PictureA->size(), QImage::Format_RGB32);
        DrawEchoTrace(m_pictureA, dpi(), m_trace,
                      {m_settings.BackColour, m_settings.ForeColour, m_settings.ChannelColour});
        m_traceDrawn = true;
    }
    PictureA->drawPicture(painter, QPoint(0, 0), m_pictureA);
}

void A_form::paintRuler(QPainter &painter, PaintBox *box, QImage &image, int edge)
{
    if (image.size() != box->size()) {
        image = QImage(box->size(), QImage::Format_RGB32);
        static constexpr RulerEdge edges[] = {RulerEdge::Bottom, RulerEdge::Top, RulerEdge::Right};
        DrawTraceRuler(image, dpi(), edges[edge], m_settings.TextFonts[0],
                       {m_settings.BackColour, m_settings.ForeColour, m_settings.ChannelColour});
    }
    box->drawPicture(painter, QPoint(0, 0), image);
}

void A_form::HScrollA_Change(int value)
{
    m_marker.moveTo(value);
    m_host.moveMarker(value);
    drawTrace();
}

void A_form::HScrollA_Scroll(int value)
{
    m_host.follow({true, MarkerPosition(m_host.slot().ViewStart, value, m_host.W), std::nullopt});
}

void A_form::CommandAuto_Click()
{
    if (CommandAuto->text() != QStringLiteral("自动")) {
        CommandAuto->setText(QStringLiteral("自动"));
        TimerA.start();
    } else {
        CommandAuto->setText(QStringLiteral("手动"));
        TimerA.stop();
    }
}

void A_form::TimerA_Timer()
{
    if (HScrollA->value() > 0)
        HScrollA->setValue(HScrollA->value() - 1);
}

void A_form::SliderA_Change(int value)
{
    TimerA.setInterval(value);
    m_host.saveStepInterval(int16_t(value));
}

void A_form::done(int result)
{
    TimerA.stop();
    QDialog::done(result);
}
