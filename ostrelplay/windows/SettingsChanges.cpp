#include "SettingsChanges.h"

#include "recording/STDDataOperation.h"
#include "workspace/PlayerSettings.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

constexpr int SlotCount = 2;
constexpr int ChannelColourCount = 10;
constexpr int BackgroundIndex = 10, FrameIndex = 11, TextIndex = 12, SignIndex = 13;

bool isSeventyDegree(int tag)
{
    return std::find(SeventyDegreeFilters.begin(), SeventyDegreeFilters.end(), tag) != SeventyDegreeFilters.end();
}

} // namespace

ColourScheme currentColours(const PlayerSettings &settings)
{
    ColourScheme colours;
    std::copy(settings.color_channel.begin(), settings.color_channel.end(), colours.begin());
    colours[BackgroundIndex] = settings.color_background;
    colours[FrameIndex] = settings.color_frame;
    colours[TextIndex] = settings.color_text;
    colours[SignIndex] = settings.color_sign;
    return colours;
}

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

mystdfile *SettingsChanges::openRecording(int fileN) const
{
    if (fileN < 0 || fileN >= SlotCount)
        return nullptr;
    FileSlot &s = m_workspace.slot(fileN);
    return s.Opened && s.hasRecording() ? s.Recording.get() : nullptr;
}

template <typename Change>
void SettingsChanges::forEachOpenRecording(Change change)
{
    for (int n = 0; n < SlotCount; ++n)
        if (mystdfile *file = openRecording(n))
            change(*file);
}

void SettingsChanges::applyToOpenRecordings()
{
    forEachOpenRecording([this](mystdfile &file) {
        file.std_OIMG_Width = m_settings.BShowWidth;
        file.color_background = m_settings.color_background;
        file.color_frame = m_settings.color_frame;
        file.color_channel = m_settings.color_channel;
        file.color_text = m_settings.color_text;
        file.color_sign = m_settings.color_sign;
        file.font_size = m_settings.font_size;
        file.sign_size = m_settings.sign_size;
    });
}

void SettingsChanges::setColours(const ColourScheme &colours)
{
    std::copy_n(colours.begin(), ChannelColourCount, m_settings.color_channel.begin());
    m_settings.color_background = colours[BackgroundIndex];
    m_settings.color_frame = colours[FrameIndex];
    m_settings.color_text = colours[TextIndex];
    m_settings.color_sign = colours[SignIndex];
    applyToOpenRecordings();
}

void SettingsChanges::setColour(int k, const QColor &colour)
{
    if (k < 0 || k >= ColourCount)
        return;
    ColourScheme colours = currentColours(m_settings);
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
            m_settings.color_channel[c] = colourFromValue(para.m_ChannelColor[c]);
    }
    applyToOpenRecordings();
}

void SettingsChanges::restoreDefaultColours()
{
    setColours(PlayerSettings().color_save);
}

void SettingsChanges::saveColourScheme()
{
    m_settings.color_save = currentColours(m_settings);
}

void SettingsChanges::readColourScheme()
{
    setColours(m_settings.color_save);
}

void SettingsChanges::setFontSize(int value)
{
    m_settings.font_size = value;
    applyToOpenRecordings();
}

void SettingsChanges::setSignSize(int value)
{
    m_settings.sign_size = value;
    applyToOpenRecordings();
}

void SettingsChanges::setBShowWidth(int value)
{
    m_settings.BShowWidth = value;
    applyToOpenRecordings();
}

void SettingsChanges::setBShowMode(int mode)
{
    m_settings.BShowMode = mode;
    forEachOpenRecording([mode](mystdfile &file) { file.std_bshowmode = mode; });
}

std::optional<std::array<int32_t, 9>> SettingsChanges::probePositions(int fileN) const
{
    if (const mystdfile *file = openRecording(fileN))
        return file->probepara_p;
    return std::nullopt;
}

void SettingsChanges::setProbePosition(int fileN, int channel, int value)
{
    mystdfile *file = openRecording(fileN);
    if (file && channel >= 0 && size_t(channel) < file->probepara_p.size())
        file->probepara_p[size_t(channel)] = value;
}

void SettingsChanges::resetProbePositions(int fileN)
{
    if (mystdfile *file = openRecording(fileN))
        std::copy_n(file->std_systempara.m_StartPoint, file->probepara_p.size(), file->probepara_p.begin());
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
    m_settings.SpeedShow = on;
    forEachOpenRecording([on](mystdfile &file) { file.std_SpeedShow = on; });
}

void SettingsChanges::setColorShow(bool on)
{
    m_settings.ColorShow = on;
    forEachOpenRecording([on](mystdfile &file) { file.std_ColorShow = on; });
}

void SettingsChanges::setHelpLineLock(bool locked)
{
    m_settings.helplinelock = locked;
}

void SettingsChanges::setChannelFilter(int tag, int value)
{
    if (tag < 0 || tag > SeventyDegreeFilterTag)
        return;
    if (tag == SeventyDegreeFilterTag) {
        for (int k : SeventyDegreeFilters)
            m_settings.channelfiltervalue[size_t(k)] = value;
        forEachOpenRecording([value](mystdfile &file) {
            for (int k : SeventyDegreeFilters)
                file.ChannelFilter[size_t(k)] = value;
        });
    } else {
        forEachOpenRecording([tag, value](mystdfile &file) { file.ChannelFilter[size_t(tag)] = value; });
    }
    m_settings.channelfiltervalue[size_t(tag)] = value;
}

void SettingsChanges::setChannelFilterUnified(bool unified)
{
    m_settings.channelfilter = unified;
}
