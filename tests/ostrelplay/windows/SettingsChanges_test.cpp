// The settings window's changes, made on a workspace with two open recordings:
// each goes into the settings memory and into every open recording.

#include "TestStdFixtures.h"

#include "windows/SettingsChanges.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Positions = std::array<int32_t, 9>;

// Instrument channel colours stored in each file, as 0x00BBGGRR.
constexpr int32_t InstrumentColours[2][9] = {
    {0x0000FF, 0x00A5FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0x8080FF, 0x80FF80},
    {0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777, 0x888888, 0x999999}};

StdFileImage recordingImage(int fileN)
{
    SubFileImage sub = StdTest::minimalSubFile();
    for (int c = 0; c < 9; ++c) {
        sub.para.m_ChannelColor[c] = InstrumentColours[fileN][c];
        sub.para.m_StartPoint[c] = 10 * c + 1000 * fileN;
    }
    for (int row = 0; row < 20; ++row)
        sub.addRow({makePacket(u'1', 30, 40)});
    return StdFileImage{{sub}, std::nullopt, false};
}

class SettingsChangesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Nothing plays here, so the workers never post to the window thread.
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        for (int n = 0; n < 2; ++n) {
            const QString path = dir.write(QStringLiteral("file%1.std").arg(n), recordingImage(n));
            if (ws->OpenFile(n, path) || !ws->slot(n).Opened)
                throw std::runtime_error("cannot open " + path.toStdString());
        }
        changes = std::make_unique<SettingsChanges>(*ws);
    }

    StdFrame &recording(int fileN) { return ws->slot(fileN).Frame; }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<SettingsChanges> changes;
};

struct DrawingChange {
    const char *name;
    std::function<void(SettingsChanges &)> change;
    std::function<bool(const PlayerSettings &)> inSettings;
    std::function<bool(const StdFrame &)> inRecording;
};

TEST_F(SettingsChangesTest, EveryDrawingChangeReachesTheSettingsAndBothOpenRecordings)
{
    const QColor pink(255, 0, 128);
    const DrawingChange cases[] = {
        {"lost-wave colour", [&](SettingsChanges &c) { c.setColour(9, pink); },
         [&](const PlayerSettings &s) { return s.display.color_channel[9] == pink; },
         [&](const StdFrame &f) { return f.style.color_channel[9] == pink; }},
        {"channel 3A colour", [&](SettingsChanges &c) { c.setColour(8, pink); },
         [&](const PlayerSettings &s) { return s.display.color_channel[8] == pink; },
         [&](const StdFrame &f) { return f.style.color_channel[8] == pink; }},
        {"background", [&](SettingsChanges &c) { c.setColour(10, pink); },
         [&](const PlayerSettings &s) { return s.display.color_background == pink; },
         [&](const StdFrame &f) { return f.style.color_background == pink; }},
        {"frame", [&](SettingsChanges &c) { c.setColour(11, pink); },
         [&](const PlayerSettings &s) { return s.display.color_frame == pink; },
         [&](const StdFrame &f) { return f.style.color_frame == pink; }},
        {"text", [&](SettingsChanges &c) { c.setColour(12, pink); },
         [&](const PlayerSettings &s) { return s.display.color_text == pink; },
         [&](const StdFrame &f) { return f.style.color_text == pink; }},
        {"sign", [&](SettingsChanges &c) { c.setColour(13, pink); },
         [&](const PlayerSettings &s) { return s.display.color_sign == pink; },
         [&](const StdFrame &f) { return f.style.color_sign == pink; }},
        {"font size", [](SettingsChanges &c) { c.setFontSize(17); },
         [](const PlayerSettings &s) { return s.display.font_size == 17; },
         [](const StdFrame &f) { return f.style.font_size == 17; }},
        {"sign size", [](SettingsChanges &c) { c.setSignSize(6); },
         [](const PlayerSettings &s) { return s.display.sign_size == 6; },
         [](const StdFrame &f) { return f.style.sign_size == 6; }},
        {"width", [](SettingsChanges &c) { c.setBShowWidth(6000); },
         [](const PlayerSettings &s) { return s.display.std_OIMG_Width == 6000; },
         [](const StdFrame &f) { return f.style.std_OIMG_Width == 6000; }},
        {"show mode", [](SettingsChanges &c) { c.setBShowMode(1); },
         [](const PlayerSettings &s) { return s.display.std_bshowmode == 1; },
         [](const StdFrame &f) { return f.style.std_bshowmode == 1; }},
        {"speed off", [](SettingsChanges &c) { c.setSpeedShow(false); },
         [](const PlayerSettings &s) { return !s.display.std_SpeedShow; }, [](const StdFrame &f) { return !f.style.std_SpeedShow; }},
        {"channel colours on", [](SettingsChanges &c) { c.setColorShow(true); },
         [](const PlayerSettings &s) { return s.display.std_ColorShow; }, [](const StdFrame &f) { return f.style.std_ColorShow; }},
        {"filter of channel 4", [](SettingsChanges &c) { c.setChannelFilter(3, 5); },
         [](const PlayerSettings &s) { return s.display.ChannelFilter[3] == 5; },
         [](const StdFrame &f) { return f.style.ChannelFilter[3] == 5; }},
    };
    for (const DrawingChange &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.inSettings(settings));
        ASSERT_FALSE(c.inRecording(recording(0)));

        c.change(*changes);

        EXPECT_TRUE(c.inSettings(settings));
        EXPECT_TRUE(c.inRecording(recording(0)));
        EXPECT_TRUE(c.inRecording(recording(1)));
    }
}

TEST_F(SettingsChangesTest, AClosedSlotIsLeftAloneAndColoursOutsideThePageChangeNothing)
{
    ws->CloseClick(1);
    const std::array<QColor, 10> channels = settings.display.color_channel;

    changes->setColour(14, Qt::red);
    changes->setColour(-1, Qt::red);
    changes->setBShowWidth(6000);
    changes->setProbePosition(1, 0, 500);

    EXPECT_EQ(settings.display.color_channel, channels);
    EXPECT_EQ(recording(0).style.std_OIMG_Width, 6000);
    EXPECT_FALSE(ws->slot(1).hasRecording());
    EXPECT_EQ(changes->probePositions(1), std::nullopt);
}

TEST(SettingsLabels, ShowTheBarValues)
{
    EXPECT_EQ(bShowWidthLabel(6000), "当前长度： 6000mm");
    EXPECT_EQ(fontSizeLabel(12), "当前字体大小： 12");
    EXPECT_EQ(signSizeLabel(2), "当前标记大小： 2");
    EXPECT_EQ(smartplayTimeLabel(500), "当前停留时间： 500毫秒");
}

// --- colour page ---

TEST_F(SettingsChangesTest, FollowInstrumentWithoutActiveSlotChangesNothing)
{
    ws->slot(0).Active = false;
    ws->slot(1).Active = false;
    const std::array<QColor, 10> before = settings.display.color_channel;

    changes->followInstrumentColours();

    EXPECT_EQ(settings.display.color_channel, before);
    EXPECT_EQ(recording(0).style.color_channel, before);
    EXPECT_EQ(recording(1).style.color_channel, before);
}

TEST_F(SettingsChangesTest, FollowInstrumentCopiesNineColoursOfTheActiveRecordingToEveryOpenOne)
{
    ws->makeOnlyActive(1);
    const QColor lostWave = settings.display.color_channel[9];

    changes->followInstrumentColours();

    for (int c = 0; c < 9; ++c) {
        const QColor expected = colourFromValue(InstrumentColours[1][c]);
        EXPECT_EQ(settings.display.color_channel[size_t(c)], expected) << c;
        EXPECT_EQ(recording(0).style.color_channel[size_t(c)], expected) << c;
        EXPECT_EQ(recording(1).style.color_channel[size_t(c)], expected) << c;
    }
    EXPECT_EQ(settings.display.color_channel[9], lostWave);
    EXPECT_EQ(recording(0).style.color_channel[9], lostWave);
}

TEST_F(SettingsChangesTest, DefaultStyleRestoresTheDefaultColourTable)
{
    for (int k = 0; k < ColourCount; ++k)
        changes->setColour(k, QColor(k, k, k));

    changes->restoreDefaultColours();

    const int32_t table[ColourCount] = {15632384, 65280, 8942, 15632384, 65280, 8942, 15632384,
                                        65280,    8942,  8942, 6966785,  6908265, 6908265, 6908265};
    const ColourScheme now = settings.display.colourScheme();
    for (int k = 0; k < ColourCount; ++k)
        EXPECT_EQ(colourValue(now[size_t(k)]), table[k]) << k;
    EXPECT_EQ(colourValue(recording(1).style.color_background), 6966785);
    EXPECT_EQ(colourValue(recording(1).style.color_channel[2]), 8942);
}

TEST_F(SettingsChangesTest, SavedColourSchemeComesBackAfterChangesAndAfterARestart)
{
    changes->setColour(0, QColor(1, 2, 3));
    changes->setColour(13, QColor(4, 5, 6));
    changes->saveColourScheme();
    const ColourScheme saved = settings.display.colourScheme();
    changes->setColour(0, Qt::white);
    changes->restoreDefaultColours();

    changes->readColourScheme();

    EXPECT_EQ(settings.display.colourScheme(), saved);
    EXPECT_EQ(recording(0).style.color_channel[0], QColor(1, 2, 3));
    EXPECT_EQ(recording(1).style.color_sign, QColor(4, 5, 6));

    const QString ini = dir.path("setting.ini");
    settings.savesetting(ini);
    PlayerSettings restarted;
    restarted.readsetting(ini);
    ReplayLog restartedLog;
    Workspace restartedWorkspace(restarted, restartedLog, [](std::function<void()>) {});
    SettingsChanges(restartedWorkspace).readColourScheme();
    EXPECT_EQ(restarted.display.colourScheme(), saved);
}

// --- probe page ---

TEST_F(SettingsChangesTest, ProbePositionsBelongToOneSlotAndResetToTheParameterBlock)
{
    // The loader keeps the start points 100 mm further along than the file holds them.
    EXPECT_EQ(changes->probePositions(0), (Positions{100, 110, 120, 130, 140, 150, 160, 170, 180}));

    changes->setProbePosition(1, 6, 777);
    changes->setProbePosition(1, 9, 1);

    EXPECT_EQ(recording(1).probepara_p[6], 777);
    EXPECT_EQ(recording(0).probepara_p[6], 160);

    changes->resetProbePositions(1);

    EXPECT_EQ(changes->probePositions(1), (Positions{1100, 1110, 1120, 1130, 1140, 1150, 1160, 1170, 1180}));
}

// --- channel filter ---

TEST_F(SettingsChangesTest, SeventyDegreeBarSetsTheSixSeventyDegreeChannels)
{
    changes->setChannelFilter(3, 2);
    changes->setChannelFilterUnified(true);

    changes->setChannelFilter(SeventyDegreeFilterTag, 7);

    const std::array<int32_t, 10> expectedSettings{7, 7, 7, 2, 0, 0, 7, 7, 7, 7};
    EXPECT_TRUE(settings.channelfilter);
    EXPECT_EQ(settings.display.ChannelFilter, expectedSettings);
    // The recordings draw with the settings' style; the lost-wave entry never filters.
    EXPECT_EQ(recording(0).style.ChannelFilter, expectedSettings);
    EXPECT_EQ(recording(1).style.ChannelFilter, expectedSettings);
}

TEST_F(SettingsChangesTest, ChannelFilterBarsOutsideTheTenChangeNothing)
{
    changes->setChannelFilter(10, 4);
    changes->setChannelFilter(-1, 4);

    EXPECT_EQ(settings.display.ChannelFilter, (std::array<int32_t, 10>{}));
    EXPECT_EQ(recording(0).style.ChannelFilter, (std::array<int32_t, 10>{}));
}

TEST(ChannelFilterBars, TheUnifiedSwitchHandsTheSeventyDegreeChannelsToTheSeventyDegreeBar)
{
    //                         1     2     3     4     5     6     1A    2A    3A    70度
    const bool separate[10] = {true, true, true, true, true, true, true, true, true, false};
    const bool unified[10] = {false, false, false, true, true, true, false, false, false, true};
    for (int tag = 0; tag < 10; ++tag) {
        EXPECT_EQ(channelFilterBarEnabled(tag, false), separate[tag]) << tag;
        EXPECT_EQ(channelFilterBarEnabled(tag, true), unified[tag]) << tag;
    }
}

} // namespace
