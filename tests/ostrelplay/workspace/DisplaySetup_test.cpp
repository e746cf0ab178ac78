// What opening a file hands to the freshly loaded recording and its frame: sub-file 0
// made current with the help lines of its rail type, the display style of the
// settings memory, and the probe start points of that sub-file.

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
    s.display.DocSize = 6;
    s.display.std_OIMG_Width = 1800;
    s.display.std_SpeedShow = false;
    s.display.std_ColorShow = true;
    s.display.color_background = QColor(1, 2, 3);
    s.display.font_size = 14;
    s.display.std_bshowmode = 1;
    s.display.WidthCompress = false;
    s.display.channelhide = {false, true, false, false, false, false, false, false, false, true};
    s.display.ChannelFilter = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    s.BShowHide = true;
    s.HelpLinePos[2] = {55, 150, 170, 0, 0, 12};
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
    StdFrame frame;

    applyOpenFileDisplay(file, frame, settings.display);

    EXPECT_EQ(file.std_CurFile, 0);
    EXPECT_EQ(file.std_systempara.m_RailType, 2);
    EXPECT_EQ(file.std_scandataindex.m_PacketIndexCount, 8);
    EXPECT_TRUE(file.std_bshowhide);
    EXPECT_EQ(file.HelpLine, (std::array<int32_t, 6>{55, 150, 170, 0, 0, 12}));

    EXPECT_TRUE(frame.style == settings.display);
    EXPECT_EQ(frame.style.LineWidth, 2);
    EXPECT_FALSE(frame.tools.CountDis);
    EXPECT_EQ(frame.InstantTime, QStringLiteral("09:30"));
    // Start points as held in memory: the file value + 100.
    EXPECT_EQ(frame.probepara_p, (std::array<int32_t, 9>{110, 120, 130, 140, 150, 160, 170, 180, 190}));
}

} // namespace
