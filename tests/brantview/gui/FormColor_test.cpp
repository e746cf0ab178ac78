// "拼图设置": colours chosen in the colour dialog or reset to the instrument's, the
// current file's offsets taking input only while the splice is on, each offset stored
// into the offset table, and the table written when the window closes.

#include "FormColor.h"

#include "SettingsChanges.h"
#include "TestFiles.h"

#include "recording/OffsetTable.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

constexpr int64_t Serial = 2301007;
constexpr std::array<const char *, 9> OffsetBars{"HScroll1", "HScroll2",  "HScroll3",  "HScroll4", "HScroll5",
                                                 "HScroll6", "HScroll1A", "HScroll2A", "HScroll6A"};

BrantSettings colourSettings()
{
    BrantSettings settings;
    settings.ChannelOffsets[0] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    settings.ChannelOffsets[1] = {-10, -20, -30, -40, -50, -60, -70, -80, -90};
    settings.ForeColour = packedColour(200, 200, 200);
    settings.BackColour = packedColour(0, 0, 60);
    return settings;
}

// A table that knows the instrument, as the main window leaves it after the file was set up.
OffsetTable knownInstrument()
{
    OffsetTable table;
    ChannelValues offsets{};
    SelectChannelOffsets(table, Serial, 0, offsets);
    table.Unsaved = false;
    return table;
}

class ColourWindow : public ::testing::Test {
protected:
    ColourWindow()
    {
        window.chooseColour = [this](int32_t current) {
            offered.push_back(current);
            return chosen;
        };
        window.warn = [this](const QString &message) { warnings.push_back(message); };
    }

    ColourSwatch *swatch(int index)
    {
        return child<ColourSwatch>(window, ("LabelColor" + std::to_string(index)).c_str());
    }
    QScrollBar *bar(const char *name) { return child<QScrollBar>(window, name); }

    TestFiles::TestDir dir;
    QString tablePath = dir.path(QStringLiteral("MoveArray.txt"));
    SettingsChanges changes{colourSettings(), {}};
    OffsetTable table = knownInstrument();
    FormColor window{changes.settings, table, tablePath, OffsetTarget{1, Serial, 2}, false, changes.callback()};
    std::optional<int32_t> chosen;
    std::vector<int32_t> offered;
    std::vector<QString> warnings;
};

TEST_F(ColourWindow, ShowsTheColoursAndTheCurrentFilesOffsets)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("拼图设置"));
    EXPECT_FALSE(window.isModal());
    for (int channel = 0; channel < 9; ++channel)
        EXPECT_EQ(swatch(channel)->colour(), changes.settings.ChannelColour[size_t(channel)]) << channel;
    EXPECT_EQ(swatch(9)->colour(), changes.settings.BackColour);
    EXPECT_EQ(swatch(10)->colour(), changes.settings.ForeColour);
    QStringList titles;
    for (const QLabel *label : window.findChildren<QLabel *>())
        titles << label->text();
    for (const QGroupBox *frame : window.findChildren<QGroupBox *>())
        titles << frame->title();
    for (const char *title : {"1:", "5通道0°颜色：", "6A:", "背景色", "前景和辅助线颜色", "拼图位置调整"})
        EXPECT_TRUE(titles.contains(QString::fromUtf8(title))) << title;

    for (size_t channel = 0; channel < OffsetBars.size(); ++channel) {
        SCOPED_TRACE(OffsetBars[channel]);
        QScrollBar *offset = bar(OffsetBars[channel]);
        EXPECT_EQ(offset->minimum(), -500);
        EXPECT_EQ(offset->maximum(), 500);
        EXPECT_EQ(offset->value(), changes.settings.ChannelOffsets[1][channel]);
        EXPECT_FALSE(offset->isEnabled()) << "splice is off";
    }
    EXPECT_TRUE(changes.reported.empty());
}

TEST_F(ColourWindow, AChosenColourIsStoredAndACancelledOneChangesNothing)
{
    const struct {
        int index;
        int32_t BrantSettings::*single;  // null: a channel colour
    } swatches[] = {{3, nullptr}, {4, nullptr}, {9, &BrantSettings::BackColour}, {10, &BrantSettings::ForeColour}};
    const int32_t pink = packedColour(250, 120, 200);
    for (const auto &target : swatches) {
        SCOPED_TRACE(target.index);
        const BrantSettings before = changes.settings;
        const size_t reports = changes.reported.size();
        chosen.reset();
        swatch(target.index)->click();
        EXPECT_EQ(changes.settings, before);
        EXPECT_EQ(changes.reported.size(), reports);
        ASSERT_FALSE(offered.empty());
        EXPECT_EQ(swatch(target.index)->colour(), offered.back()) << "the dialog starts from the colour shown";

        chosen = pink;
        swatch(target.index)->click();
        ASSERT_EQ(changes.reported.size(), reports + 1);
        const BrantSettings &stored = changes.reported.back();
        EXPECT_EQ(target.single ? stored.*target.single : stored.ChannelColour[size_t(target.index)], pink);
        EXPECT_EQ(swatch(target.index)->colour(), pink);
    }
}

TEST_F(ColourWindow, ResetGivesTheInstrumentColoursThenBlackAndWhite)
{
    const int32_t foreground = changes.settings.ForeColour;
    child<QPushButton>(window, "Command_Color_Reset")->click();
    ASSERT_EQ(changes.reported.size(), 1u);
    EXPECT_EQ(changes.settings.ChannelColour, InstrumentChannelColours(foreground));
    EXPECT_EQ(changes.settings.BackColour, 0);
    EXPECT_EQ(changes.settings.ForeColour, 0xFFFFFF);
    EXPECT_EQ(swatch(0)->colour(), packedColour(255, 0, 0));
    EXPECT_EQ(swatch(6)->colour(), 2667517);
    EXPECT_EQ(swatch(9)->colour(), 0);
    EXPECT_EQ(swatch(10)->colour(), 0xFFFFFF);
}

TEST_F(ColourWindow, AnOffsetIsStoredForTheCurrentFileAndItsSelectionAndSavedOnClose)
{
    window.setOffsetsEnabled(true);
    EXPECT_TRUE(bar("HScroll2A")->isEnabled());
    bar("HScroll2A")->setValue(123);
    ASSERT_EQ(changes.reported.size(), 1u);
    EXPECT_EQ(changes.reported.back().ChannelOffsets[1][7], 123);
    EXPECT_EQ(changes.settings.ChannelOffsets[0][7], 8) << "the other file keeps its offsets";
    ASSERT_EQ(table.Rows.size(), 1u);
    EXPECT_EQ(table.Rows[0].Groups[1], changes.settings.ChannelOffsets[1]) << "selection 2 is group 2";
    EXPECT_EQ(table.Rows[0].Groups[0], DefaultChannelOffsets);
    EXPECT_FALSE(QFile::exists(tablePath)) << "the table is written when the window closes";

    window.show();
    window.close();
    EXPECT_TRUE(warnings.empty());
    const LoadedOffsetTable saved = LoadOffsetTable(tablePath);
    ASSERT_EQ(saved.table.Rows.size(), 1u);
    EXPECT_EQ(saved.table.Rows[0].Groups[1][7], 123);
}

TEST_F(ColourWindow, ANewCurrentFileShowsItsOffsetsWithoutStoringThem)
{
    window.setOffsetsEnabled(true);
    window.setOffsetTarget(OffsetTarget{0, Serial, 0});
    EXPECT_EQ(bar("HScroll1")->value(), 1);
    EXPECT_EQ(bar("HScroll6A")->value(), 9);
    EXPECT_TRUE(changes.reported.empty());
    EXPECT_FALSE(table.Unsaved);

    bar("HScroll1")->setValue(-500);
    EXPECT_EQ(changes.settings.ChannelOffsets[0][0], -500);
    EXPECT_EQ(changes.settings.ChannelOffsets[1][0], -10);
    EXPECT_EQ(changes.reported.size(), 1u);
    EXPECT_FALSE(table.Unsaved) << "selection 0 keeps the offsets out of the table";
    window.show();
    window.close();
    EXPECT_FALSE(QFile::exists(tablePath));
}

TEST_F(ColourWindow, ATableThatCannotBeWrittenIsReportedAndKept)
{
    FormColor unwritable{changes.settings,           table, dir.path(QStringLiteral("missing/MoveArray.txt")),
                         OffsetTarget{1, Serial, 2}, true,  changes.callback()};
    unwritable.warn = [this](const QString &message) { warnings.push_back(message); };
    child<QScrollBar>(unwritable, "HScroll3")->setValue(77);
    unwritable.show();
    unwritable.close();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_FALSE(warnings[0].isEmpty());
    EXPECT_TRUE(OffsetSaveDue(table)) << "the change stays for the next close";
}

}  // namespace
