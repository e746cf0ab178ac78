#pragma once
// The settings memory: every key of "setting.ini", read once at start and
// written back once at exit. The settings window, the play bar and the B-scan
// tools change this copy only. Member initialisers are the factory defaults.

#include "recording/RecordingSettings.h"
#include "rendering/DisplayStyle.h"

#include <QString>

#include <array>
#include <cstdint>

class PlayerSettings : public RecordingSettings {
public:
    // Reads every key in the order of the file's table; a missing file or key
    // gives the factory default, a key holding no number too.
    void readsetting(const QString &iniPath);
    // Writes every key, keeping whatever else the file holds. Throws
    // IniFileError when the file cannot be written.
    void savesetting(const QString &iniPath) const;

    // The folder the folder tree starts at: "rfDesktop" is the user's desktop,
    // anything else a folder path.
    QString workdirPath() const;

    bool bandCollapse() const override { return BShowHide; }
    std::array<int32_t, 6> helpLineDepths(int railType) const override;
    std::array<int32_t, 6> helpLineStyles() const override { return HelpLineStyle; }

    // How recordings are drawn. Keys: the "color" section, "fontsize", "signsize",
    // "BShowWidth" (std_OIMG_Width), "BShowMode" (std_bshowmode: 0 "实时拼孔",
    // 1 "完全显示"), "SpeedShow", "ColorShow", "PointSize" (DocSize) and
    // "channelfiltervalue" (ChannelFilter). Width compression, hidden channels and the
    // line width are not stored: they start as the factory style at every start.
    DisplayStyle display;
    // The colour scheme kept by the settings window.
    ColourScheme color_save = factoryColourScheme();
    bool BShowHide = false;
    int32_t SmartplayMode = 0;  // 0 "跳半个屏播放", 1 "连续播放"
    int32_t SmartplayTime = 500;  // milliseconds
    QString workdir = QStringLiteral("rfDesktop");
    QString PlayerStyle = QStringLiteral("TabletDark");
    bool helplinelock = false;
    std::array<bool, 18> eventcb = allShown();
    int32_t PlaySpeed = 8;
    // Help-line depths per rail type 0..4 ("P43" .. "Auto").
    std::array<std::array<int32_t, 6>, 5> HelpLinePos = defaultHelpLines();
    std::array<int32_t, 6> HelpLineStyle{};
    bool channelfilter = false;

private:
    static std::array<bool, 18> allShown();
    static std::array<std::array<int32_t, 6>, 5> defaultHelpLines();
};

// "setting.ini" where common::configFilePath keeps it: beside the executable,
// or in the user's configuration folder when that folder is not writable.
QString settingsPath();
