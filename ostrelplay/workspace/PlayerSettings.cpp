#include "PlayerSettings.h"

#include "common/ConfigFiles.h"
#include "common/IniFile.h"

#include <QStandardPaths>

#include <algorithm>

namespace {

QString indexed(const char *prefix, int i)
{
    return QLatin1String(prefix) + QString::number(i);
}

// Help lines are depths in the rail; none lies deeper than a rail is high.
constexpr int kDeepestHelpLine = 500;

// The one list of keys, in the file's order; readsetting and savesetting both
// walk it, so the two cannot disagree. `S` is PlayerSettings or its const form.
// Numbers carry the range of the control that sets them: a value read from
// outside it (a damaged or hand-edited file) is taken as the nearest end.
template <class S, class Io>
void forEachKey(S &s, Io &io)
{
    const QString color = QStringLiteral("color");
    auto &d = s.display;
    io.colour(color, QStringLiteral("color_background"), d.color_background);
    io.colour(color, QStringLiteral("color_frame"), d.color_frame);
    for (int i = 0; i < int(d.color_channel.size()); ++i)
        io.colour(color, indexed("color_channel", i), d.color_channel[i]);
    io.colour(color, QStringLiteral("color_text"), d.color_text);
    io.colour(color, QStringLiteral("color_sign"), d.color_sign);
    for (int i = 0; i < int(s.color_save.size()); ++i)
        io.colour(color, indexed("color_save", i), s.color_save[i]);
    io.integer(QStringLiteral("font"), QStringLiteral("fontsize"), d.font_size, 6, 22);
    io.integer(QStringLiteral("sign"), QStringLiteral("signsize"), d.sign_size, 2, 6);
    io.boolean(QStringLiteral("BShowHide"), QStringLiteral("BShowHide"), s.BShowHide);
    io.integer(QStringLiteral("BShow"), QStringLiteral("BShowWidth"), d.std_OIMG_Width, 1000, 30000);
    io.integer(QStringLiteral("BShow"), QStringLiteral("BShowMode"), d.std_bshowmode, 0, 1);
    io.integer(QStringLiteral("Smartplay"), QStringLiteral("SmartplayMode"), s.SmartplayMode, 0, 1);
    io.integer(QStringLiteral("Smartplay"), QStringLiteral("SmartplayTime"), s.SmartplayTime, 200, 5000);
    io.text(QStringLiteral("workplace"), QStringLiteral("workdir"), s.workdir);
    io.boolean(QStringLiteral("SpeedShow"), QStringLiteral("SpeedShow"), d.std_SpeedShow);
    io.boolean(QStringLiteral("ColorShow"), QStringLiteral("ColorShow"), d.std_ColorShow);
    io.text(QStringLiteral("MainForm"), QStringLiteral("PlayerStyle"), s.PlayerStyle);
    io.boolean(QStringLiteral("helpline"), QStringLiteral("helplinelock"), s.helplinelock);
    for (int i = 0; i < int(s.eventcb.size()); ++i)
        io.boolean(QStringLiteral("eventcb"), QString::number(i), s.eventcb[i]);
    io.integer(QStringLiteral("PointSize"), QStringLiteral("PointSize"), d.DocSize, 1, 10);
    io.integer(QStringLiteral("PlaySpeed"), QStringLiteral("PlaySpeed"), s.PlaySpeed, 1, 200);
    for (int r = 0; r < int(s.HelpLinePos.size()); ++r)
        for (int k = 0; k < int(s.HelpLinePos[r].size()); ++k)
            io.integer(QStringLiteral("HelpLinePos"), QString::number(r) + QString::number(k), s.HelpLinePos[r][k], 0,
                       kDeepestHelpLine);
    for (int k = 0; k < int(s.HelpLineStyle.size()); ++k)
        io.integer(QStringLiteral("HelpLineStyle"), QString::number(k), s.HelpLineStyle[k], 0, 4);
    for (int i = 0; i < int(d.ChannelFilter.size()); ++i)
        io.integer(QStringLiteral("channelfiltervalue"), QString::number(i), d.ChannelFilter[i], 0, 10);
    io.boolean(QStringLiteral("channelfilter"), QStringLiteral("bool"), s.channelfilter);
}

// Each key's current value is its default, so reading into a fresh object gives
// the factory default for every key the file lacks.
struct KeyReader {
    const common::IniFile &ini;
    void colour(const QString &section, const QString &key, QColor &value) const
    {
        value = colourFromValue(ini.readInt(section, key, colourValue(value)));
    }
    void integer(const QString &section, const QString &key, int32_t &value, int32_t lowest, int32_t highest) const
    {
        value = std::clamp(ini.readInt(section, key, value), lowest, highest);
    }
    void boolean(const QString &section, const QString &key, bool &value) const
    {
        value = ini.readBool(section, key, value);
    }
    void text(const QString &section, const QString &key, QString &value) const
    {
        value = ini.readString(section, key, value);
    }
};

struct KeyWriter {
    common::IniFile &ini;
    void colour(const QString &section, const QString &key, const QColor &value) const
    {
        ini.writeInt(section, key, colourValue(value));
    }
    void integer(const QString &section, const QString &key, int32_t value, int32_t, int32_t) const
    {
        ini.writeInt(section, key, value);
    }
    void boolean(const QString &section, const QString &key, bool value) const
    {
        ini.writeBool(section, key, value);
    }
    void text(const QString &section, const QString &key, const QString &value) const
    {
        ini.writeString(section, key, value);
    }
};

} // namespace

QString settingsPath()
{
    return common::configFilePath(QStringLiteral("setting.ini"));
}

std::array<bool, 18> PlayerSettings::allShown()
{
    std::array<bool, 18> shown;
    shown.fill(true);
    return shown;
}

std::array<std::array<int32_t, 6>, 5> PlayerSettings::defaultHelpLines()
{
    std::array<std::array<int32_t, 6>, 5> depths;
    for (int r = 0; r < int(depths.size()); ++r)
        depths[r] = DefaultRecordingSettings::defaultHelpLineDepths(r);
    return depths;
}

void PlayerSettings::readsetting(const QString &iniPath)
{
    const common::IniFile ini(iniPath);
    PlayerSettings read;
    KeyReader reader{ini};
    forEachKey(read, reader);
    *this = read;
}

void PlayerSettings::savesetting(const QString &iniPath) const
{
    common::IniFile ini(iniPath);
    KeyWriter writer{ini};
    forEachKey(*this, writer);
    ini.save();
}

QString PlayerSettings::workdirPath() const
{
    if (workdir == QLatin1String("rfDesktop"))
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return workdir;
}

std::array<int32_t, 6> PlayerSettings::helpLineDepths(int railType) const
{
    return HelpLinePos[size_t(std::clamp(railType, 0, int(HelpLinePos.size()) - 1))];
}
