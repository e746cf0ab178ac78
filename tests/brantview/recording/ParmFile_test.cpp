// "parm.dat": every setting written and read back as it was, the defaults of a first
// start, damaged and hand-edited files read as far as they can be, and a failed write
// that leaves the old file in place.

#include "recording/ParmFile.h"

#include "common/SynthRandom.h"
#include "common/UserError.h"

#include "ResourceLimit.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

using namespace brantview;

namespace {

// Every value differs from its default, and from what a neighbouring field holds.
BrantSettings custom()
{
    BrantSettings s;
    s.ChannelOffsets[0] = {-500, -3, 0, 7, 12, 99, 250, 499, 500};
    s.ChannelOffsets[1] = {1, 2, 3, 4, 5, 6, 7, 8, -9};
    s.TextFonts[0] = TextFont{QStringLiteral("Times New Roman, Bold"), 10.5f, false, true};
    s.TextFonts[1] = TextFont{QStringLiteral(" 微软 雅黑 "), 0.1f * 113, true, true};
    s.AScanAxisColour = 0x123456;
    s.AScanWaveColour = 0x00FF7F;
    s.AScanAxisWidth = 7;
    s.AScanPointSize = 4;
    s.AScanScaleValue = 23;
    s.Reserved = -123456789;
    s.Speed = 77;
    s.AutoStep = 321;
    s.PointSize = 6;
    s.ManualStep = 1234;
    s.MinRun70 = 9;
    s.MinRun37 = 1;
    s.MinRun0 = 17;
    s.GpsDms = false;
    s.SyncMode = false;
    s.Show70 = false;
    s.Show37 = true;
    s.Show0 = false;
    s.SkipLateEcho = true;
    s.IgnoreZeroLoss = true;
    s.TraceStepInterval = 250;
    s.GpsWindowLeft = -1234.5f;
    s.GpsWindowTop = 0.25f;
    s.GpsWindowWidth = 7777.75f;
    s.GpsWindowHeight = 5000.125f;
    s.ChannelColour = {11, 22, 33, 44, 55, 66, 77, 88, 99};
    s.TopMargin = {{{31, 320}, {32, 560}}};
    s.HeaderBelow = true;
    s.BandOffset = {{{51, 151}, {101, 291}}};
    s.VS = 2;
    s.SecondGroupTopMargin = {{{33, 410}, {34, 710}}};
    s.SecondGroupBandOffset = {{{46, 246, 146}, {91, 451, 271}}};
    s.FishScaleSpacing = 37;
    s.FishScaleLinesOn = true;
    s.BackColour = 0x0A0B0C;
    s.ForeColour = 0xC0FFEE;
    s.TrendOn = true;
    return s;
}

QStringList linesOf(const QString &path)
{
    QString text = QString::fromUtf8(TestFiles::readBytes(path));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString textOf(const QStringList &lines)
{
    return lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
}

// The settings file written from `settings` with its lines edited.
QString editedFile(const TestFiles::TestDir &dir, const BrantSettings &settings,
                   const std::function<void(QStringList &)> &edit)
{
    const QString path = dir.path("parm.dat");
    SaveSettings(path, settings);
    QStringList lines = linesOf(path);
    edit(lines);
    return dir.write("parm.dat", textOf(lines).toUtf8());
}

// The field at 1-based `field` of a line without strings replaced by `value`.
void setField(QStringList &lines, int line, int field, const QString &value)
{
    QStringList fields = lines[line - 1].split(u',');
    fields[field - 1] = value;
    lines[line - 1] = fields.join(u',');
}

TEST(ParmFile, EverySettingReadsBackAsItWasWritten)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("parm.dat");
    const BrantSettings written = custom();
    SaveSettings(path, written);
    const LoadedSettings loaded = LoadSettings(path);
    EXPECT_EQ(loaded.state, ListFileState::Loaded);
    EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    EXPECT_TRUE(loaded.settings == written);
    EXPECT_EQ(loaded.settings.TextFonts[1], written.TextFonts[1]);
    EXPECT_EQ(loaded.settings.GpsWindowHeight, 5000.125f);
    EXPECT_EQ(linesOf(path).size(), 12);
}

TEST(ParmFile, DefaultsOfAFirstStartAndTheirLines)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("parm.dat");
    const LoadedSettings loaded = LoadSettings(path);
    EXPECT_EQ(loaded.state, ListFileState::Missing);
    EXPECT_FALSE(QFileInfo::exists(path)) << "loading wrote the file";
    const BrantSettings &s = loaded.settings;
    EXPECT_EQ(s.BackColour, 0);
    EXPECT_EQ(s.ForeColour, 0xFFFFFF);
    EXPECT_EQ(s.AScanAxisWidth, 3);
    EXPECT_EQ(s.AScanScaleValue, 10);
    EXPECT_EQ(s.VS, 1);
    EXPECT_EQ(s.TopMargin[0][0], 30);

    SaveSettings(path, s);
    const QStringList lines = linesOf(path);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[1], "0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[2], QStringLiteral("\"宋体\",30,#TRUE#,#FALSE#,\"宋体\",12,#FALSE#,#FALSE#"));
    EXPECT_TRUE(lines[3].startsWith("0,16711680,3,1,10,")) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(",")) << "the reserved field is written empty";
    EXPECT_EQ(lines[8], "255,16711680,16711935,65535,16777215,65280,2667517,16777215,16776960");
    EXPECT_TRUE(lines[11].endsWith(",0,16777215,0")) << lines[11].toStdString();
}

// The settings every value of which lies inside its control's range, whatever the file held.
void expectWithinRanges(const BrantSettings &s)
{
    namespace R = SettingRanges;
    const auto within = [](auto value, auto range) { return value >= range.min && value <= range.max; };
    for (const ChannelValues &offsets : s.ChannelOffsets)
        for (const int32_t offset : offsets)
            EXPECT_TRUE(within(offset, R::ChannelOffset));
    for (const TextFont &font : s.TextFonts) {
        EXPECT_TRUE(within(font.Size, R::FontSize));
        EXPECT_FALSE(font.Name.trimmed().isEmpty());
    }
    for (const int32_t colour : s.ChannelColour)
        EXPECT_TRUE(within(colour, R::Colour));
    for (const int32_t colour : {s.AScanAxisColour, s.AScanWaveColour, s.BackColour, s.ForeColour})
        EXPECT_TRUE(within(colour, R::Colour));
    EXPECT_TRUE(within(s.AScanAxisWidth, R::AScanAxisWidth));
    EXPECT_TRUE(within(s.AScanPointSize, R::PointSize) && within(s.PointSize, R::PointSize));
    EXPECT_TRUE(within(s.AScanScaleValue, R::AScanScaleValue));
    EXPECT_TRUE(within(s.Speed, R::Speed));
    EXPECT_TRUE(within(s.AutoStep, R::Step) && within(s.ManualStep, R::Step));
    EXPECT_TRUE(within(s.MinRun70, R::MinRun70) && within(s.MinRun37, R::MinRun37) && within(s.MinRun0, R::MinRun0));
    EXPECT_TRUE(within(s.TraceStepInterval, R::TraceStepInterval));
    EXPECT_TRUE(within(s.GpsWindowLeft, R::GpsWindowPosition) && within(s.GpsWindowTop, R::GpsWindowPosition));
    EXPECT_TRUE(within(s.GpsWindowWidth, R::GpsWindowWidth) && within(s.GpsWindowHeight, R::GpsWindowHeight));
    for (const TopMargins &margins : {s.TopMargin, s.SecondGroupTopMargin})
        for (const auto &perSlot : margins)
            for (const int16_t margin : perSlot)
                EXPECT_TRUE(within(margin, R::TopMargin));
    for (const auto &bands : s.BandOffset)
        for (const int32_t offset : bands)
            EXPECT_TRUE(within(offset, R::BandOffset));
    for (const auto &bands : s.SecondGroupBandOffset)
        for (const int32_t offset : bands)
            EXPECT_TRUE(within(offset, R::BandOffset));
    EXPECT_TRUE(within(s.VS, R::VerticalScale));
    EXPECT_TRUE(within(s.FishScaleSpacing, R::FishScaleSpacing));
}

TEST(ParmFile, HandEditedValuesAreHeldWithinTheirRanges)
{
    const struct {
        int line, field;
        const char *value;
        std::function<void(BrantSettings &)> expect;
    } cases[] = {
        {1, 1, "900", [](BrantSettings &s) { s.ChannelOffsets[0][0] = 500; }},
        {2, 9, "-99999999999", [](BrantSettings &s) { s.ChannelOffsets[1][8] = -500; }},
        {4, 1, "-1", [](BrantSettings &s) { s.AScanAxisColour = 0; }},
        {4, 3, "40", [](BrantSettings &s) { s.AScanAxisWidth = 10; }},
        {4, 5, "0", [](BrantSettings &s) { s.AScanScaleValue = 5; }},
        {5, 1, "2147483648", [](BrantSettings &s) { s.Reserved = 2147483647; }},
        {5, 2, "0", [](BrantSettings &s) { s.Speed = 1; }},
        {5, 5, "-20", [](BrantSettings &s) { s.ManualStep = 1; }},
        {6, 1, "0", [](BrantSettings &s) { s.MinRun70 = 1; }},
        {6, 2, "2.5", [](BrantSettings &s) { s.MinRun37 = 2; }},
        {6, 3, "25", [](BrantSettings &s) { s.MinRun0 = 20; }},
        {8, 1, "70000", [](BrantSettings &s) { s.TraceStepInterval = 1000; }},
        {8, 4, "10", [](BrantSettings &s) { s.GpsWindowWidth = 1500; }},
        {8, 2, "-1E+30", [](BrantSettings &s) { s.GpsWindowLeft = -30000; }},
        {9, 5, "99999999", [](BrantSettings &s) { s.ChannelColour[4] = 0xFFFFFF; }},
        {10, 2, "0", [](BrantSettings &s) { s.TopMargin[0][1] = 29; }},
        {10, 6, "-40", [](BrantSettings &s) { s.BandOffset[0][0] = 0; }},
        {10, 10, "3", [](BrantSettings &s) { s.VS = 2; }},
        {11, 10, "100000", [](BrantSettings &s) { s.SecondGroupBandOffset[1][2] = 3000; }},
        {12, 1, "0", [](BrantSettings &s) { s.FishScaleSpacing = 1; }},
        {12, 5, "5", [](BrantSettings &s) { s.TrendOn = true; }},
    };
    for (const auto &c : cases) {
        TestFiles::TestDir dir;
        BrantSettings written;
        const QString path = editedFile(
            dir, written, [&](QStringList &lines) { setField(lines, c.line, c.field, QString::fromLatin1(c.value)); });
        const LoadedSettings loaded = LoadSettings(path);
        BrantSettings expected = written;
        c.expect(expected);
        EXPECT_EQ(loaded.state, ListFileState::Loaded) << c.line << "/" << c.field << ": " << c.value;
        EXPECT_TRUE(loaded.settings == expected) << c.line << "/" << c.field << ": " << c.value;
    }

    TestFiles::TestDir dir;
    const QString path =
        dir.write("parm.dat", QStringLiteral("0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0\n"
                                             "\"宋体\",0,#TRUE#,#FALSE#,\"宋体\",1E+9,#FALSE#,#FALSE#\n")
                                  .toUtf8());
    const LoadedSettings fonts = LoadSettings(path);
    EXPECT_EQ(fonts.settings.TextFonts[0].Size, 1.0f);
    EXPECT_EQ(fonts.settings.TextFonts[1].Size, 200.0f);
}

// A damaged file: every value that can be read counts, the rest keep their defaults,
// the message names the line and field, and the file is left as it was.
TEST(ParmFile, DamagedFilesKeepWhatCanBeReadAndNameWhatCannot)
{
    const BrantSettings written = custom();
    const BrantSettings defaults;
    const struct {
        const char *name;
        std::function<void(QStringList &)> edit;
        std::function<void(BrantSettings &)> expect;
        const char *message;
    } cases[] = {
        {"truncated line", [](QStringList &l) { l[3] = l[3].section(u',', 0, 1); },
         [&](BrantSettings &s) {
             s.AScanAxisWidth = defaults.AScanAxisWidth;
             s.AScanPointSize = defaults.AScanPointSize;
             s.AScanScaleValue = defaults.AScanScaleValue;
         },
         "第 4 行在第 3 项前结束"},
        {"text in a number field", [](QStringList &l) { setField(l, 5, 2, "abc"); },
         [&](BrantSettings &s) { s.Speed = defaults.Speed; }, "第 5 行第 2 项：“abc”不是数字"},
        {"quoted text in a number field", [](QStringList &l) { setField(l, 6, 1, "\"3\""); },
         [&](BrantSettings &s) { s.MinRun70 = defaults.MinRun70; }, "第 6 行第 1 项：应为数字，却是文字“3”"},
        {"number in a Boolean field", [](QStringList &l) { setField(l, 7, 5, "1"); },
         [&](BrantSettings &s) { s.IgnoreZeroLoss = defaults.IgnoreZeroLoss; },
         "第 7 行第 5 项：应为 #TRUE# 或 #FALSE#"},
        {"empty field", [](QStringList &l) { setField(l, 9, 3, ""); },
         [&](BrantSettings &s) { s.ChannelColour[2] = defaults.ChannelColour[2]; },
         "第 9 行第 3 项：应为数字，却是空项"},
        {"number beyond a single", [](QStringList &l) { setField(l, 8, 3, "1e50"); },
         [&](BrantSettings &s) { s.GpsWindowTop = defaults.GpsWindowTop; }, "第 8 行第 3 项：数字“1e50”超出范围"},
        {"extra fields", [](QStringList &l) { l[0] += ",7,8"; }, [](BrantSettings &) {}, "第 1 行多出 2 项"},
        {"unterminated quote", [](QStringList &l) { l[2] = "\"宋体,30,#TRUE#,#FALSE#"; },
         [&](BrantSettings &s) { s.TextFonts = defaults.TextFonts; }, "第 3 行第 1 项：引号没有结束"},
        {"blank font name", [](QStringList &l) { l[2] = "\"  \"" + l[2].mid(l[2].indexOf("\",") + 1); },
         [&](BrantSettings &s) { s.TextFonts[0].Name = defaults.TextFonts[0].Name; },
         "第 3 行第 1 项：应为带引号的字体名"},
        {"file ends early", [](QStringList &l) { l = l.mid(0, 8); },
         [&](BrantSettings &s) {
             s.ChannelColour = defaults.ChannelColour;
             s.TopMargin = defaults.TopMargin;
             s.HeaderBelow = defaults.HeaderBelow;
             s.BandOffset = defaults.BandOffset;
             s.VS = defaults.VS;
             s.SecondGroupTopMargin = defaults.SecondGroupTopMargin;
             s.SecondGroupBandOffset = defaults.SecondGroupBandOffset;
             s.FishScaleSpacing = defaults.FishScaleSpacing;
             s.FishScaleLinesOn = defaults.FishScaleLinesOn;
             s.BackColour = defaults.BackColour;
             s.ForeColour = defaults.ForeColour;
             s.TrendOn = defaults.TrendOn;
         },
         "文件在第 9 行前结束"},
        {"lines after the last",
         [](QStringList &l) {
             l.append({"", "junk"});
         },
         [](BrantSettings &) {}, "第 14 行起是多余的内容"},
        {"empty file", [](QStringList &l) { l.clear(); }, [&](BrantSettings &s) { s = defaults; },
         "文件在第 1 行前结束"},
    };
    for (const auto &c : cases) {
        TestFiles::TestDir dir;
        const QString path = editedFile(dir, written, c.edit);
        const QByteArray bytes = TestFiles::readBytes(path);
        const LoadedSettings loaded = LoadSettings(path);
        BrantSettings expected = written;
        c.expect(expected);
        EXPECT_EQ(loaded.state, ListFileState::Damaged) << c.name;
        EXPECT_TRUE(loaded.settings == expected) << c.name;
        EXPECT_TRUE(loaded.message.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << loaded.message.toStdString();
        EXPECT_TRUE(loaded.message.contains(path)) << c.name;
        EXPECT_EQ(TestFiles::readBytes(path), bytes) << c.name;
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"parm.dat"}) << c.name;
    }
}

TEST(ParmFile, BlankLinesAfterTheLastCountForNothing)
{
    TestFiles::TestDir dir;
    const QString path = editedFile(dir, custom(), [](QStringList &l) { l.append({"", "  "}); });
    EXPECT_EQ(LoadSettings(path).state, ListFileState::Loaded);
}

TEST(ParmFile, FailedWriteThrowsAndLeavesTheOldFile)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("parm.dat");
    SaveSettings(path, BrantSettings{});
    const QByteArray before = TestFiles::readBytes(path);
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, 64);
        ASSERT_TRUE(disk.set());
        SaveSettings(path, custom());
        ADD_FAILURE() << "no error from a write past the size limit";
    } catch (const common::UserError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    EXPECT_EQ(TestFiles::readBytes(path), before);
    EXPECT_EQ(QDir(dir.path(QString())).entryList(QDir::Files), QStringList{"parm.dat"});
}

// Random damage to a saved file never breaks the load, and whatever was read lies
// inside the controls' ranges.
TEST(ParmFile, RandomDamageLoadsWithinRanges)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("parm.dat");
    SaveSettings(path, custom());
    const QByteArray original = TestFiles::readBytes(path);
    const char alphabet[] = ",\"#\n-9.E0TRUE\xE5";
    common::SynthRandom random(77);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes = original;
        for (int e = int(random.between(1, 6)); e > 0 && !bytes.isEmpty(); --e) {
            const qsizetype at = qsizetype(random.below(bytes.size()));
            if (random.oneIn(2))
                bytes[at] = alphabet[random.below(sizeof alphabet - 1)];
            else
                bytes.remove(at, qsizetype(random.between(1, 30)));
        }
        dir.write("parm.dat", bytes);
        const LoadedSettings loaded = LoadSettings(path);
        EXPECT_EQ(loaded.state == ListFileState::Damaged, !loaded.message.isEmpty());
        expectWithinRanges(loaded.settings);
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round << ": " << bytes.toStdString();
            break;
        }
    }
}

} // namespace
