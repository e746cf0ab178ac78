// What opening a file hands to the freshly loaded recording: the display settings,
// sub-file 0 made current with the help lines of its rail type, the probe start
// points of that sub-file and the window's hidden channels.

#include "TestStdFixtures.h"

#include "workspace/DisplaySetup.h"
#include "workspace/PlayerSettings.h"

#include <gtest/gtest.h>

namespace {

// Sub-file 0: P60 with probe start points 10, 20 .. 90; sub-file 1: P43, start points 0.
StdFileImage twoSubFiles()
{
    SubFileImage p60 = StdTest::minimalSubFile();
    p60.para.m_RailType = 2;
    for (int c = 0; c < 9; ++c)
        p60.para.m_StartPoint[c] = 10 * (c + 1);
    for (int row = 0; row < 8; ++row)
        p60.addRow({makePacket(u'1', 30, 40)});
    SubFileImage p43 = StdTest::minimalSubFile();
    p43.para.m_RailType = 0;
    for (int row = 0; row < 8; ++row)
        p43.addRow({makePacket(u'2', 50, 60)});
    return StdFileImage{{p60, p43}, std::nullopt, false};
}

PlayerSettings displaySettings()
{
    PlayerSettings s;
    s.PlaySpeed = 37;
    s.PointSize = 6;
    s.BShowWidth = 1800;
    s.SpeedShow = false;
    s.ColorShow = true;
    s.color_background = QColor(1, 2, 3);
    s.color_frame = QColor(4, 5, 6);
    for (int i = 0; i < 10; ++i)
        s.color_channel[i] = QColor(20 * i, 7, 9);
    s.color_text = QColor(7, 8, 9);
    s.color_sign = QColor(10, 11, 12);
    s.font_size = 14;
    s.sign_size = 11;
    s.BShowMode = 1;
    s.BShowHide = true;
    s.HelpLinePos[2] = {55, 150, 170, 0, 0, 12};
    s.channelfiltervalue = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    return s;
}

TEST(DisplaySetup, OpenedRecordingTakesTheSettingsAndShowsSubFile0)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("two.std", twoSubFiles());
    const PlayerSettings settings = displaySettings();
    mystdfile file(&settings);
    file.LoadStdFile(path);
    file.SwitchFile(1);
    file.CountDis = true;
    file.LineWidth = 5;
    const std::array<bool, 10> hidden{false, true, false, false, false, false, false, false, false, true};

    applyOpenFileDisplay(file, settings, false, hidden);

    EXPECT_EQ(file.PlayerSpeed, 37);
    EXPECT_EQ(file.DocSize, 6);
    EXPECT_EQ(file.LineWidth, 2);
    EXPECT_EQ(file.std_OIMG_Width, 1800);
    EXPECT_FALSE(file.std_SpeedShow);
    EXPECT_TRUE(file.std_ColorShow);
    EXPECT_EQ(file.color_background, QColor(1, 2, 3));
    EXPECT_EQ(file.color_frame, QColor(4, 5, 6));
    EXPECT_EQ(file.color_channel, settings.color_channel);
    EXPECT_EQ(file.color_text, QColor(7, 8, 9));
    EXPECT_EQ(file.color_sign, QColor(10, 11, 12));
    EXPECT_EQ(file.font_size, 14);
    EXPECT_EQ(file.sign_size, 11);
    EXPECT_FALSE(file.WidthCompress);

    EXPECT_EQ(file.std_CurFile, 0);
    EXPECT_EQ(file.std_systempara.m_RailType, 2);
    EXPECT_EQ(file.std_scandataindex.m_PacketIndexCount, 8);
    EXPECT_TRUE(file.std_bshowhide);
    EXPECT_EQ(file.HelpLine, (std::array<int32_t, 6>{55, 150, 170, 0, 0, 12}));

    EXPECT_FALSE(file.CountDis);
    EXPECT_EQ(file.std_bshowmode, 1);
    EXPECT_EQ(file.ChannelFilter, (std::array<int32_t, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // Start points as held in memory: the file value + 100.
    EXPECT_EQ(file.probepara_p, (std::array<int32_t, 9>{110, 120, 130, 140, 150, 160, 170, 180, 190}));
    EXPECT_EQ(file.channelhide, hidden);
}

} // namespace
