#pragma once
// "设置": the display settings changed while recordings are open. Each control
// passes its change to SettingsChanges, which puts it into the settings memory
// and into every open recording.

#include "windows/SettingsChanges.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class Tfrm_probefile;
class Workspace;

class Tfrm_setting : public QWidget {
    Q_OBJECT
public:
    // Builds every control from the settings memory: make it after the settings were read.
    explicit Tfrm_setting(Workspace &workspace, QWidget *parent = nullptr);

    // The menus' seven items: page 0 "颜色和字体" .. 6 "通道过滤". On the probe page
    // the tab of `activeSlot` is selected.
    void showPage(int page, int activeSlot);

    QTabWidget *pgc;
    QTabWidget *pgc_probe;
    std::array<QPushButton *, ColourCount> colourButtons{};
    QSlider *trbFontSize, *trbSignSize, *trbBShowWidth, *trbSmartplayTime;
    QLabel *lblFontSize, *lblSignSize, *lblBShowWidth, *lblSmartplayTime;
    QComboBox *cb_bshowmode, *cb_smartplaymode;
    std::array<std::array<QSlider *, 9>, 2> trbprobe{};
    QCheckBox *cbSpeedShow, *cbColorShow, *cbHelpLineLock, *cbChannelFilter;
    std::array<QSlider *, 10> trbChannelFilter{};
    Tfrm_probefile *frm_probefile;

protected:
    void showEvent(QShowEvent *event) override;  // FormShow: the help-line box

private:
    QWidget *buildColourPage();
    QWidget *buildBShowPage();
    QWidget *buildProbePage();
    QWidget *buildProbeTab(int fileN);
    QWidget *buildSmartplayPage();
    QWidget *buildMessagePage();
    QWidget *buildHelpLinePage();
    QWidget *buildChannelFilterPage();

    void colorbtnClick(int k);
    void refreshColourButtons();
    void refreshProbeBars();
    void refreshChannelFilterBars();
    int selectedProbeSlot() const;

    SettingsChanges m_changes;
    Workspace &m_workspace;
};
