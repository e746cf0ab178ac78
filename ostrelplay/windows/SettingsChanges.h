#pragma once
// Every change the settings window makes. A change goes into the settings memory
// at once and, where it concerns the drawing, into the frame of every open
// recording, so the next frame shows it. The settings file itself is written at exit.

#include "rendering/DisplayStyle.h"
#include "windows/ProbeFile.h"

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class PlayerSettings;
class Workspace;

// Channels of the channel-filter page that the "70度" bar sets together.
constexpr std::array<int, 6> SeventyDegreeFilters{0, 1, 2, 6, 7, 8};
constexpr int SeventyDegreeFilterTag = 9;

// The labels under the bars.
QString fontSizeLabel(int value);
QString signSizeLabel(int value);
QString bShowWidthLabel(int value);
QString smartplayTimeLabel(int value);

// Whether the channel-filter bar `tag` takes input: with "70度统一修改" ticked the
// "70度" bar stands for the six 70° channels, otherwise they have bars of their own.
bool channelFilterBarEnabled(int tag, bool unified);

class SettingsChanges {
public:
    explicit SettingsChanges(Workspace &workspace);

    // The probe positions slot `fileN`'s recording is drawn with, when that slot is open.
    ProbePositions *openProbePositions(int fileN) const;

    // Every open recording takes the display style of the settings memory.
    void applyToOpenRecordings();

    // --- colours and sizes ---
    // Colour k of the colour page (see ColourScheme); other k change nothing.
    void setColour(int k, const QColor &colour);
    // The instrument's channel colours of every active recording into channels 0..8.
    void followInstrumentColours();
    void restoreDefaultColours();
    void saveColourScheme();  // into "color_save"
    void readColourScheme();  // from "color_save"
    void setFontSize(int value);
    void setSignSize(int value);

    // --- B-scan ---
    void setBShowWidth(int value);
    void setBShowMode(int mode);

    // --- probe start points of slot fileN's recording (no open recording, no change) ---
    std::optional<ProbePositions> probePositions(int fileN) const;
    void setProbePosition(int fileN, int channel, int value);
    // Back to the start points of the current parameter block.
    void resetProbePositions(int fileN);

    // --- smart play, display switches, help lines ---
    void setSmartplayTime(int milliseconds);
    void setSmartplayMode(int mode);
    void setSpeedShow(bool on);
    void setColorShow(bool on);
    void setHelpLineLock(bool locked);

    // --- channel filter ---
    // Tag 0..8: one channel. Tag 9 ("70度"): the six 70° channels at once.
    void setChannelFilter(int tag, int value);
    void setChannelFilterUnified(bool unified);

private:
    void setColours(const ColourScheme &colours);

    Workspace &m_workspace;
    PlayerSettings &m_settings;
};
