#pragma once
// "校对波形": the calibration run of the point picked in the main view, drawn as a
// B-scan of its own, scrolled, dragged and measured. Modal; the main window opens it
// and redraws when it closes. The picture and the window's state live in the core.

#include "analysis/CalibrationDrawing.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <functional>

class PaintBox;
class QAction;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;

class FormJD : public QDialog {
    Q_OBJECT
public:
    // What the window uses of the main window.
    struct Host {
        brantview::RecordingSlot &slot;
        int slotIndex = 0;
        brantview::BrantSettings &settings;
        brantview::ViewState &state;
        std::function<void()> redrawMain;
        std::function<void()> saveSettings;
        std::function<void()> spliceChanged;  // the colour window's offsets follow the switch
        std::function<int()> pointSize;       // the "点大小" slider
    };

    FormJD(Host host, brantview::CalibrationRun run, QWidget *parent = nullptr);

    // Handlers, in points; public for the tests that drive them.
    void HScroll_Pos_Change(int value);
    void Form_KeyDown(int keyCode, int shift);
    void Form_MouseDown(int button, double x);
    void Form_MouseMove(double x);
    void Form_MouseUp();
    void mnuPos1_Click();
    void mnuPos2_Click();
    void mnuPos_Flag_Click();
    void Option_show_Click(bool splice);
    void Magnify_Click();

    const brantview::CalibrationWaveform &waveform() const { return m_waveform; }
    const brantview::CalibrationPicture &lastDrawing() const { return m_drawn; }
    const QImage &picture() const { return m_image; }
    int drawWidth() const { return m_drawWidth; }

    // Replaced by the tests: the pop-up at a screen point, a message, the magnifier.
    std::function<void(QMenu &menu, QPoint globalPos)> popUp;
    std::function<void(const QString &message)> tell;
    QString magnifyProgram;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeOnOpening();
    void drawJDB();
    void showScrollValue();
    double pointsPerPixel() const;
    double Wj() const;

    Host m_host;
    brantview::CalibrationWaveform m_waveform;
    brantview::CalibrationPicture m_drawn;
    QImage m_image;
    int m_drawWidth = 1;

    PaintBox *m_view = nullptr;
    std::array<QRadioButton *, 2> Option_show{};
    QPushButton *Magnify = nullptr;
    QScrollBar *HScroll_Pos = nullptr;
    QMenu *mnuPos = nullptr;
    QAction *mnuPos1 = nullptr;
    QAction *mnuPos2 = nullptr;
    QAction *mnuPos_Flag = nullptr;
};
