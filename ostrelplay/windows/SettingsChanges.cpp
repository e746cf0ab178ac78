#include "SettingsChanges.h"

#include "recording/STDDataOperation.h"
#include "workspace/PlayerSettings.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

constexpr int SlotCount = 2;

bool isSeventyDegree(int tag)
{
    return std::find(SeventyDegreeFilters.begin(), SeventyDegreeFilters.end(), tag) != SeventyDegreeFilters.end();
}

FileSlot *openSlot(Workspace &workspace, int fileN)
{
    if (fileN < 0 || fileN >= SlotCount)
        return nullptr;
    FileSlot &s = workspace.slot(fileN);
    return s.Opened && s.hasRecording() ? &s : nullptr;
}

} // namespace

QString fontSizeLabel(int value)
{
    return QStringLiteral("当前字体大小： ") + QString::number(value);
}

QString signSizeLabel(int value)
{
    return QStringLiteral("当前标记大小： ") + QString::number(value);
}

QString bShowWidthLabel(int value)
{
    return QStringLiteral("当前长度： ") + QString::number(value) + QStringLiteral("mm");
}

QString smartplayTimeLabel(int value)
{
    return QStringLiteral("当前停留时间： ") + QString::number(value) + QStringLiteral("毫秒");
}

bool channelFilterBarEnabled(int tag, bool unified)
{
    if (tag == SeventyDegreeFilterTag)
        return unified;
    if (isSeventyDegree(tag))
        return !unified;
    return true;
}

SettingsChanges::SettingsChanges(Workspace &workspace) : m_workspace(workspace), m_settings(workspace.settings())
{
}

ProbePositions *SettingsChanges::openProbePositions(int fileN) const
{
    FileSlot *s = openSlot(m_workspace, fileN);
    return s ? &s->Frame.probepara_p : nullptr;
}

void SettingsChanges::applyToOpenRecordings()
{
    m_workspace.applyDisplayStyle();
}

void SettingsChanges::setColours(const ColourScheme &colours)
{
    m_settings.display.setColourScheme(colours);
    applyToOpenRecordings();
}

void SettingsChanges::setColour(int k, const QColor &colour)
{
    if (k < 0 || k >= ColourCount)
        return;
    ColourScheme colours = m_settings.display.colourScheme();
    colours[size_t(k)] = colour;
    setColours(colours);
}

void SettingsChanges::followInstrumentColours()
{
    for (int n = 0; n < SlotCount; ++n) {
        const FileSlot &s = m_workspace.slot(n);
        if (!s.Active || !s.hasRecording())
            continue;
        const TSYSTEMPARA &para = s.Recording->std_systempara;
        for (size_t c = 0; c < std::size(para.m_ChannelColor); ++c)
            m_settings.display.color_channel[c] = colourFromValue(para.m_ChannelColor[c]);
    }
    applyToOpenRecordings();
}

void SettingsChanges::restoreDefaultColours()
{
    setColours(factoryColourScheme());
}

void SettingsChanges::saveColourScheme()
{
    m_settings.color_save = m_settings.display.colourScheme();
}

void SettingsChanges::readColourScheme()
{
    setColours(m_settings.color_save);
}

void SettingsChanges::setFontSize(int value)
{
    m_settings.display.font_size = value;
    applyToOpenRecordings();
}

void SettingsChanges::setSignSize(int value)
{
    m_settings.display.sign_size = value;
    applyToOpenRecordings();
}

void SettingsChanges::setBShowWidth(int value)
{
    m_settings.display.std_OIMG_Width = value;
    applyToOpenRecordings();
}

void SettingsChanges::setBShowMode(int mode)
{
    m_settings.display.std_bshowmode = mode;
    applyToOpenRecordings();
}

std::optional<ProbePositions> SettingsChanges::probePositions(int fileN) const
{
    if (const ProbePositions *probes = openProbePositions(fileN))
        return *probes;
    return std::nullopt;
}

void SettingsChanges::setProbePosition(int fileN, int channel, int value)
{
    ProbePositions *probes = openProbePositions(fileN);
    if (probes && channel >= 0 && size_t(channel) < probes->size())
        (*probes)[size_t(channel)] = value;
}

void SettingsChanges::resetProbePositions(int fileN)
{
    if (FileSlot *s = openSlot(m_workspace, fileN))
        std::copy_n(s->Recording->std_systempara.m_StartPoint, s->Frame.probepara_p.size(), s->Frame.probepara_p.begin());
}

void SettingsChanges::setSmartplayTime(int milliseconds)
{
    m_settings.SmartplayTime = milliseconds;
}

void SettingsChanges::setSmartplayMode(int mode)
{
    m_settings.SmartplayMode = mode;
}

void SettingsChanges::setSpeedShow(bool on)
{
    m_settings.display.std_SpeedShow = on;
    applyToOpenRecordings();
}

void SettingsChanges::setColorShow(bool on)
{
    m_settings.display.std_ColorShow = on;
    applyToOpenRecordings();
}

void SettingsChanges::setHelpLineLock(bool locked)
{
    m_settings.helplinelock = locked;
}

void SettingsChanges::setChannelFilter(int tag, int value)
{
    if (tag < 0 || tag > SeventyDegreeFilterTag)
        return;
    auto &filter = m_settings.display.ChannelFilter;
    if (tag == SeventyDegreeFilterTag)
        for (int k : SeventyDegreeFilters)
            filter[size_t(k)] = value;
    filter[size_t(tag)] = value;
    applyToOpenRecordings();
}

void SettingsChanges::setChannelFilterUnified(bool unified)
{
    m_settings.channelfilter = unified;
}
