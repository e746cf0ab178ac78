#pragma once
// "灵敏度全程变化曲线": the step curve of one channel's attenuation (or the 0° reflection
// value) over the whole recording, chosen with OptiondB, and LinedB where the main view
// shows. Modeless and on top; the plot follows the option and the window's size.

#include "analysis/GainCurve.h"
#include "recording/BrantSettings.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

class QFrame;
class QRadioButton;

class FormdB : public QWidget {
    Q_OBJECT
public:
    // `data` is taken from pane `slot` at opening; the curve takes its colour from
    // `settings` at each drawing.
    FormdB(brantview::GainData data, int slot, const brantview::BrantSettings &settings, QWidget *parent = nullptr);

    int slot() const { return m_slot; }
    int selectedOption() const { return m_option; }
    void OptiondB_Click(int option);
    // Moves LinedB to the main view at `viewStart` of the data's pane.
    void showViewStart(int32_t viewStart);
    const QImage &picture() const { return m_image; }
    const brantview::GainPlot &plot() const { return m_plot; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawPlot();
    void placeLinedB();

    brantview::GainData m_data;
    int m_slot;
    const brantview::BrantSettings &m_settings;
    int m_option = 0;
    brantview::GainPlot m_plot;
    std::optional<int32_t> m_viewStart;
    QImage m_image;
    std::array<QRadioButton *, brantview::GainOptionCount> OptiondB{};
    QFrame *LinedB = nullptr;
};
