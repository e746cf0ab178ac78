#pragma once
// "A显校对": the echo trace window. Modal; a marker (`HScrollA`, the main window's
// `LineA`) moves over the main view, and `PictureA` shows the echoes of the column
// under it channel by channel, with its rulers. Stepping by hand or by `TimerA`
// follows in the main view.

#include "analysis/EchoTrace.h"
#include "recording/BrantSettings.h"

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <functional>

class PaintBox;
class QPushButton;
class QScrollBar;
class QSlider;

// What the window needs of the main window.
struct TraceHost {
    std::function<brantview::RecordingSlot &()> slot;  // the current slot
    int slotNumber = 0;                                // CurrentSlot, for the caption
    int W = 0;                                         // the main view's width, points
    std::function<void(int x)> moveMarker;             // `LineA` to x (points)
    std::function<void(const brantview::MainViewFollow &)> follow;
    std::function<void(int16_t interval)> saveStepInterval;
};

class A_form : public QDialog {
    Q_OBJECT
public:
    A_form(bool HighSensitivityMode, const brantview::BrantSettings &settings, TraceHost host,
           QWidget *parent = nullptr);

    // The handlers, public for the tests.
    void HScrollA_Change(int value);
    void HScrollA_Scroll(int value);
    void CommandAuto_Click();
    void TimerA_Timer();
    void SliderA_Change(int value);

    const brantview::EchoTrace &trace() const { return m_trace; }
    const brantview::TraceMarker &marker() const { return m_marker; }
    bool timerRunning() const { return TimerA.isActive(); }
    // The four pictures as last drawn.
    const QImage &pictureA() const { return m_pictureA; }

    // Closing stops the timer.
    void done(int result) override;

private:
    void drawTrace();
    void paintPictureA(QPainter &painter);
    void paintRuler(QPainter &painter, PaintBox *box, QImage &image, int edge);
    double dpi() const;

    bool m_high;
    const brantview::BrantSettings &m_settings;
    TraceHost m_host;
    brantview::TraceMarker m_marker;
    brantview::EchoTrace m_trace;
    QImage m_pictureA;
    QImage m_rulerTop;
    QImage m_rulerBottom;
    QImage m_rulerSide;
    bool m_traceDrawn = false;

    QTimer TimerA;
    PaintBox *PictureA = nullptr;
    PaintBox *PictureAX_top = nullptr;
    PaintBox *PictureAX = nullptr;
    PaintBox *PictureAY = nullptr;
    QScrollBar *HScrollA = nullptr;
    QPushButton *CommandAuto = nullptr;
    QSlider *SliderA = nullptr;
};
