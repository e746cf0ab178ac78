// The settings window's own behaviour: bars that follow other bars, the pages the
// menus open, and the probe bars of each file tab.

#include "TestStdFixtures.h"

#include "common/gui/ListTable.h"
#include "gui/probefileform.h"
#include "gui/settingform.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

class SettingFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        SubFileImage sub = StdTest::minimalSubFile();
        for (int c = 0; c < 9; ++c)
            sub.para.m_StartPoint[c] = 200 + c;
        for (int row = 0; row < 20; ++row)
            sub.addRow({makePacket(u'1', 30, 40)});
        const QString path = dir.write("slot2.std", StdFileImage{{sub}, std::nullopt, false});
        if (ws->OpenFile(1, path) || !ws->slot(1).Opened)
            throw std::runtime_error("cannot open " + path.toStdString());
        form = std::make_unique<Tfrm_setting>(*ws);
    }

    StdFrame &recording() { return ws->slot(1).Frame; }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<Tfrm_setting> form;
};

TEST_F(SettingFormTest, PagesAndCaptions)
{
    ASSERT_EQ(form->pgc->count(), 7);
    const char *captions[] = {"颜色和字体", "B显显示设置", "探头位置", "智能回放设置", "回放信息显示", "辅助线", "通道过滤"};
    for (int page = 0; page < 7; ++page)
        EXPECT_EQ(form->pgc->tabText(page), QString::fromUtf8(captions[page]));
    EXPECT_EQ(form->windowTitle(), "设置");
    EXPECT_EQ(form->pgc_probe->tabText(0), "文件一探头");
    EXPECT_EQ(form->pgc_probe->tabText(1), "文件二探头");
}

TEST_F(SettingFormTest, ProbePageOpensOnTheActiveSlotAndItsBarsMoveThatRecording)
{
    form->showPage(2, 1);

    EXPECT_EQ(form->pgc->currentIndex(), 2);
    EXPECT_EQ(form->pgc_probe->currentIndex(), 1);
    EXPECT_EQ(form->trbprobe[1][0]->value(), 300);  // the file's 200 + 100
    EXPECT_EQ(form->trbprobe[1][8]->value(), 308);
    EXPECT_FALSE(form->trbprobe[1][3]->isEnabled());

    form->trbprobe[1][7]->setValue(900);

    EXPECT_EQ(recording().probepara_p[7], 900);
}

TEST_F(SettingFormTest, DoubleClickedProbeEntryRefreshesTheBars)
{
    form->showPage(2, 1);
    form->trbprobe[1][0]->setValue(900);
    form->frm_probefile->open(ProbeFileMode::Load);

    const ProbeEntry entry = ProbeFile(probeFilePath()).entry(0);
    emit form->frm_probefile->lv->cellDoubleClicked(0, 0);

    EXPECT_EQ(recording().probepara_p, entry.positions);
    EXPECT_EQ(form->trbprobe[1][0]->value(), std::clamp(entry.positions[0], 0, 1600));
}

TEST_F(SettingFormTest, WidthBarChangesTheLabelAndTheOpenRecording)
{
    form->trbBShowWidth->setValue(6000);

    EXPECT_EQ(form->lblBShowWidth->text(), "当前长度： 6000mm");
    EXPECT_EQ(recording().style.std_OIMG_Width, 6000);
}

TEST_F(SettingFormTest, SeventyDegreeSwitchAndBar)
{
    const int seventy[] = {0, 1, 2, 6, 7, 8};
    form->cbChannelFilter->setChecked(true);

    for (int k : seventy)
        EXPECT_FALSE(form->trbChannelFilter[size_t(k)]->isEnabled()) << k;
    EXPECT_TRUE(form->trbChannelFilter[9]->isEnabled());
    EXPECT_TRUE(form->trbChannelFilter[4]->isEnabled());

    form->trbChannelFilter[9]->setValue(7);

    for (int k : seventy) {
        EXPECT_EQ(form->trbChannelFilter[size_t(k)]->value(), 7) << k;
        EXPECT_EQ(recording().style.ChannelFilter[size_t(k)], 7) << k;
    }
    EXPECT_EQ(form->trbChannelFilter[3]->value(), 0);

    form->cbChannelFilter->setChecked(false);

    EXPECT_TRUE(form->trbChannelFilter[0]->isEnabled());
    EXPECT_FALSE(form->trbChannelFilter[9]->isEnabled());
    EXPECT_FALSE(settings.channelfilter);
}

TEST_F(SettingFormTest, ShowingAgainShowsTheHelpLineLock)
{
    settings.helplinelock = true;

    form->showPage(5, 0);

    EXPECT_TRUE(form->cbHelpLineLock->isChecked());
}

} // namespace
