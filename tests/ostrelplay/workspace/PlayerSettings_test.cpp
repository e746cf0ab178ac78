// The settings memory and "setting.ini": factory defaults on first start, every
// key written in the table's order, round trips, colour values, help lines per
// rail type.

#include "TestStdFixtures.h"

#include "common/IniFile.h"
#include "workspace/PlayerSettings.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using StdTest::readBytes;

// The file a first start writes at exit: every key with its factory default.
QByteArray defaultSettingsFile()
{
    QString text = QStringLiteral("[color]\ncolor_background=6966785\ncolor_frame=6908265\n");
    const int colours[14] = {15632384, 65280, 8942, 15632384, 65280, 8942, 15632384,
                             65280,    8942,  8942, 6966785,  6908265, 6908265, 6908265};
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("color_channel%1=%2\n").arg(i).arg(colours[i]);
    text += QStringLiteral("color_text=6908265\ncolor_sign=6908265\n");
    for (int i = 0; i < 14; ++i)
        text += QStringLiteral("color_save%1=%2\n").arg(i).arg(colours[i]);
    text += QStringLiteral("[font]\nfontsize=8\n"
                           "[sign]\nsignsize=4\n"
                           "[BShowHide]\nBShowHide=0\n"
                           "[BShow]\nBShowWidth=3000\nBShowMode=0\n"
                           "[Smartplay]\nSmartplayMode=0\nSmartplayTime=500\n"
                           "[workplace]\nworkdir=rfDesktop\n"
                           "[SpeedShow]\nSpeedShow=1\n"
                           "[ColorShow]\nColorShow=0\n"
                           "[MainForm]\nPlayerStyle=TabletDark\n"
                           "[helpline]\nhelplinelock=0\n"
                           "[eventcb]\n");
    for (int i = 0; i < 18; ++i)
        text += QStringLiteral("%1=1\n").arg(i);
    text += QStringLiteral("[PointSize]\nPointSize=3\n[PlaySpeed]\nPlaySpeed=8\n[HelpLinePos]\n");
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 6; ++k) {
            const int depth = k == 0 ? (r < 2 ? 38 : 46) : k == 1 ? (r < 2 ? 173 : 193) : 0;
            text += QStringLiteral("%1%2=%3\n").arg(r).arg(k).arg(depth);
        }
    text += QStringLiteral("[HelpLineStyle]\n");
    for (int k = 0; k < 6; ++k)
        text += QStringLiteral("%1=0\n").arg(k);
    text += QStringLiteral("[channelfiltervalue]\n");
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("%1=0\n").arg(i);
    text += QStringLiteral("[channelfilter]\nbool=0\n");
    return text.toUtf8();
}

int keyLines(const QByteArray &file)
{
    int keys = 0;
    for (const QByteArray &line : file.split('\n'))
        keys += line.contains('=');
    return keys;
}

TEST(PlayerSettings, FirstStartGivesTheFactoryDefaults)
{
    StdTest::StdFileDir dir;
    PlayerSettings settings;
    settings.readsetting(dir.path("setting.ini"));

    EXPECT_EQ(settings.display.std_OIMG_Width, 3000);
    EXPECT_EQ(settings.SmartplayTime, 500);
    EXPECT_EQ(settings.display.DocSize, 3);
    EXPECT_EQ(settings.PlaySpeed, 8);
    EXPECT_EQ(settings.PlayerStyle, QStringLiteral("TabletDark"));
    EXPECT_EQ(settings.workdir, QStringLiteral("rfDesktop"));
    EXPECT_EQ(settings.workdirPath(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_EQ(settings.display.font_size, 8);
    EXPECT_EQ(settings.display.sign_size, 4);
    EXPECT_TRUE(settings.display.std_SpeedShow);
    EXPECT_FALSE(settings.display.std_ColorShow);
    EXPECT_FALSE(settings.BShowHide);
    EXPECT_FALSE(settings.channelfilter);
    EXPECT_EQ(settings.display.color_background, QColor(1, 78, 106));
    EXPECT_EQ(settings.display.color_frame, QColor(105, 105, 105));
    EXPECT_EQ(settings.display.color_sign, QColor(105, 105, 105));
    // Channels 1, 4, 1A blue; 2, 5, 2A green; 3, 6, 3A and lost wave red.
    const QColor blue(0, 136, 238), green(0, 255, 0), red(238, 34, 0);
    const std::array<QColor, 10> channels{blue, green, red, blue, green, red, blue, green, red, red};
    EXPECT_EQ(settings.display.color_channel, channels);
    EXPECT_EQ(settings.color_save[10], QColor(1, 78, 106));
    for (bool shown : settings.eventcb)
        EXPECT_TRUE(shown);
    EXPECT_EQ(settings.helpLineDepths(1), (std::array<int32_t, 6>{38, 173, 0, 0, 0, 0}));
    EXPECT_EQ(settings.helpLineDepths(4), (std::array<int32_t, 6>{46, 193, 0, 0, 0, 0}));
}

TEST(PlayerSettings, SaveWritesEveryKeyInTheTablesOrder)
{
    StdTest::StdFileDir dir;
    const QString path = dir.path("setting.ini");
    PlayerSettings settings;
    settings.readsetting(path);
    settings.savesetting(path);

    const QByteArray written = readBytes(path);
    EXPECT_EQ(keyLines(written), 107);
    EXPECT_EQ(written, defaultSettingsFile());
}

// Every key set away from its default, so a key that is not read back shows.
PlayerSettings changedSettings()
{
    PlayerSettings s;
    s.display.color_background = QColor(1, 2, 3);
    s.display.color_frame = QColor(4, 5, 6);
    for (int i = 0; i < 10; ++i)
        s.display.color_channel[i] = QColor(10 + i, 20, 30);
    s.display.color_text = QColor(7, 8, 9);
    s.display.color_sign = QColor(255, 255, 255);
    for (int i = 0; i < 14; ++i)
        s.color_save[i] = QColor(40 + i, 0, 200);
    s.display.font_size = 12;
    s.display.sign_size = 6;
    s.BShowHide = true;
    s.display.std_OIMG_Width = 1500;
    s.display.std_bshowmode = 1;
    s.SmartplayMode = 1;
    s.SmartplayTime = 250;
    s.workdir = QStringLiteral("/data/钢轨 记录");
    s.display.std_SpeedShow = false;
    s.display.std_ColorShow = true;
    s.PlayerStyle = QStringLiteral("Metropolis UI Blue");
    s.helplinelock = true;
    s.eventcb.fill(false);
    s.display.DocSize = 10;
    s.PlaySpeed = 200;
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 6; ++k)
            s.HelpLinePos[r][k] = 100 * r + k + 1;
    s.HelpLineStyle = {1, 2, 3, 4, 1, 2};
    for (int i = 0; i < 10; ++i)
        s.display.ChannelFilter[i] = i + 1;
    s.channelfilter = true;
    return s;
}

TEST(PlayerSettings, RoundTripKeepsEveryChangedValue)
{
    StdTest::StdFileDir dir;
    const QString first = dir.path("first.ini");
    const QString second = dir.path("second.ini");
    const PlayerSettings changed = changedSettings();
    changed.savesetting(first);

    PlayerSettings read;
    read.readsetting(first);
    read.savesetting(second);
    // Every key differs from its default, and reading then writing gives the same file.
    const QByteArray firstBytes = readBytes(first);
    const QByteArray defaults = defaultSettingsFile();
    const QList<QByteArray> changedLines = firstBytes.split('\n');
    const QList<QByteArray> defaultLines = defaults.split('\n');
    ASSERT_EQ(changedLines.size(), defaultLines.size());
    for (qsizetype i = 0; i < changedLines.size(); ++i) {
        if (changedLines[i].contains('=')) {
            EXPECT_NE(changedLines[i], defaultLines[i]);
        }
    }
    EXPECT_EQ(readBytes(second), firstBytes);

    EXPECT_EQ(read.workdir, QStringLiteral("/data/钢轨 记录"));
    EXPECT_EQ(read.workdirPath(), QStringLiteral("/data/钢轨 记录"));
    EXPECT_EQ(read.PlayerStyle, QStringLiteral("Metropolis UI Blue"));
    EXPECT_EQ(read.display.color_sign, QColor(255, 255, 255));
    EXPECT_EQ(read.HelpLinePos, changed.HelpLinePos);
    EXPECT_EQ(read.eventcb, changed.eventcb);
    EXPECT_TRUE(read.bandCollapse());
    EXPECT_EQ(read.helpLineStyles(), changed.HelpLineStyle);
}

TEST(PlayerSettings, ReadingAgainForgetsValuesTheFileDoesNotHold)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("setting.ini", QByteArray("[BSHOW]\nbshowwidth=abc\nBShowMode=1\n"
                                                             "[Color]\nCOLOR_FRAME=255\n"));
    PlayerSettings settings = changedSettings();
    settings.readsetting(path);
    EXPECT_EQ(settings.display.std_OIMG_Width, 3000);
    EXPECT_EQ(settings.display.std_bshowmode, 1);
    EXPECT_EQ(settings.display.color_frame, QColor(255, 0, 0));
    EXPECT_EQ(settings.PlayerStyle, QStringLiteral("TabletDark"));
    EXPECT_EQ(settings.HelpLinePos[2], (std::array<int32_t, 6>{46, 193, 0, 0, 0, 0}));
}

TEST(PlayerSettings, HelpLinesOfRailTypeP60AreKeys20To25)
{
    StdTest::StdFileDir dir;
    const QString path = dir.path("setting.ini");
    PlayerSettings settings;
    settings.savesetting(path);
    const QList<QByteArray> before = readBytes(path).split('\n');

    settings.HelpLinePos[2] = {50, 180, 60, 70, 80, 90};
    settings.savesetting(path);
    const QList<QByteArray> after = readBytes(path).split('\n');
    ASSERT_EQ(after.size(), before.size());
    QList<QByteArray> changed;
    for (qsizetype i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed.append(after[i]);
    EXPECT_EQ(changed, (QList<QByteArray>{"20=50", "21=180", "22=60", "23=70", "24=80", "25=90"}));
    EXPECT_EQ(settings.helpLineDepths(2), (std::array<int32_t, 6>{50, 180, 60, 70, 80, 90}));
}

TEST(PlayerSettings, HelpLineRailTypeOutsideTheTableIsClamped)
{
    PlayerSettings settings = changedSettings();
    EXPECT_EQ(settings.helpLineDepths(-1), settings.HelpLinePos[0]);
    EXPECT_EQ(settings.helpLineDepths(4), settings.HelpLinePos[4]);
    EXPECT_EQ(settings.helpLineDepths(9), settings.HelpLinePos[4]);
}

TEST(PlayerSettings, ColourValuesHoldRedInTheLowestByte)
{
    struct Case {
        int32_t value;
        QColor colour;
    };
    const Case cases[] = {
        {6966785, QColor(1, 78, 106)},  {6908265, QColor(105, 105, 105)}, {15632384, QColor(0, 136, 238)},
        {65280, QColor(0, 255, 0)},      {8942, QColor(238, 34, 0)},        {0xFFFFFF, QColor(255, 255, 255)},
        {0, QColor(0, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(colourFromValue(c.value), c.colour);
        EXPECT_EQ(colourValue(c.colour), c.value);
    }
    // A value with the top byte set (a system colour) keeps its red, green and blue.
    EXPECT_EQ(colourFromValue(int32_t(0x80000005u)), QColor(5, 0, 0));
}

// A damaged or hand-edited file: numbers outside their control's range are taken
// as its nearest end, so a width of a million allocates no gigabyte image.
TEST(PlayerSettings, NumbersOutsideTheirRangeAreClamped)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("setting.ini", "[font]\nfontsize=100000\n[sign]\nsignsize=-5\n"
                                                  "[BShow]\nBShowWidth=1000000\nBShowMode=7\n"
                                                  "[Smartplay]\nSmartplayMode=-1\nSmartplayTime=0\n"
                                                  "[PointSize]\nPointSize=0\n[PlaySpeed]\nPlaySpeed=99999\n"
                                                  "[HelpLinePos]\n20=2000000000\n21=-3\n"
                                                  "[HelpLineStyle]\n0=9\n[channelfiltervalue]\n3=-1\n4=11\n");
    PlayerSettings s;
    s.readsetting(path);
    EXPECT_EQ(s.display.font_size, 22);
    EXPECT_EQ(s.display.sign_size, 2);
    EXPECT_EQ(s.display.std_OIMG_Width, 30000);
    EXPECT_EQ(s.display.std_bshowmode, 1);
    EXPECT_EQ(s.SmartplayMode, 0);
    EXPECT_EQ(s.SmartplayTime, 200);
    EXPECT_EQ(s.display.DocSize, 1);
    EXPECT_EQ(s.PlaySpeed, 200);
    EXPECT_EQ(s.HelpLinePos[2][0], 500);
    EXPECT_EQ(s.HelpLinePos[2][1], 0);
    EXPECT_EQ(s.HelpLineStyle[0], 4);
    EXPECT_EQ(s.display.ChannelFilter[3], 0);
    EXPECT_EQ(s.display.ChannelFilter[4], 10);
}

TEST(PlayerSettings, SaveFailureIsReported)
{
    StdTest::StdFileDir dir;
    EXPECT_THROW(PlayerSettings().savesetting(dir.path("no-folder/setting.ini")), common::IniFileError);
}

} // namespace
