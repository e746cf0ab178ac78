// The B-scan headers: the texts of both firmware forms from the values in effect at
// the view, and what drawing them leaves on the image and in the view state.

#include "recording/Packets.h"
#include "viewer/HeaderLines.h"
#include "viewer/Headers.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

const QString Legend = QStringLiteral("     F1-阅   F2-怀疑   F3-鱼鳞纹始点   F4-鱼鳞纹终点 F5-关注1  F6-关注2\"");
const QString Legend700 = QStringLiteral("       F1-阅   F2-怀疑   F3-鱼鳞纹始点   F4-鱼鳞纹终点");
const QString FullCourse = QStringLiteral("Brantel数字钢轨探伤仪B超全程记录");
const QString SelectedPoint = QStringLiteral("Brantel数字钢轨探伤仪B超选点记录");

// A recording of 15 June 2021 on the right rail, operator 1234, all channels forward,
// every extra channel fitted, reflection mode.
ParamBlock baseParams(int firmware)
{
    ParamBlock p;
    p.setFirmwareVersion(firmware);
    p.set(7, 15);
    p.set(8, 6);
    p.set(9, 21);
    p.set(11, 0);
    p.set(12, 125);
    p.set(13, 1);
    p.set(14, 1);
    p.setTrackOrLineNumber(12);
    p.set(18, 4);
    p.setOperatorNumber(1234);
    p.set(22, 2);
    p.set(24, 5);
    p.set(26, 1);
    for (int k = 27; k <= 33; ++k)
        p.set(k, '1' + (k - 27));
    p.setKilometrePost(321);
    p.set(38, 3);
    if (firmware >= 700) {
        p.set(24, 0x34);  // second values of "3" and "4"
        p.set(40, 7);
        p.set(41, 0x21);  // second values of "1" and "2"
        p.set(25, 0x80);  // "右手车"
        p.setLineCode({19, 17, 0, 10, 35});
        p.set(46, 1);
    }
    return p;
}

ParamEntry paramEntry(int32_t position, const ParamBlock &block)
{
    ParamEntry entry{};
    entry[0] = position;
    for (int k = 1; k <= PacketLength::Param; ++k)
        entry[size_t(k)] = block.byte(k);
    return entry;
}

RecordingSlot slotWith(const ParamBlock &block)
{
    RecordingSlot slot;
    slot.type = StreamTypeCode;
    slot.ViewStart = 100;
    slot.ParamTable = {paramEntry(0, block)};
    slot.GainTable = {{0, 40, 41, 42, 43, 44, 45, 46, 47, 48, 12, 2}};
    RailSetup56Entry ext{};
    for (int c = 0; c < ChannelCount; ++c)
        ext[size_t(21 + c)] = 10 + c;
    slot.RailSetup56Table = {ext};
    return slot;
}

QStringList plainLines(const std::vector<HeaderLine> &lines)
{
    QStringList texts;
    for (const HeaderLine &line : lines)
        texts.append(line.plain());
    return texts;
}

QStringList fullHeader(const RecordingSlot &slot, const BrantSettings &settings = {}, const ViewSources &sources = {})
{
    return plainLines(FullHeaderLines(headerValuesInEffect(slot, sources, 0), settings));
}

QString lineHeader(const RecordingSlot &slot, const BrantSettings &settings = {})
{
    return LineHeader(headerValuesInEffect(slot, {}, 0), settings).plain();
}

TEST(FullHeader, OlderFirmwareLines)
{
    EXPECT_EQ(fullHeader(slotWith(baseParams(699))),
              (QStringList{
                  "工(串)号: 01234(1234567)  报警方式：70(一般)0(反射)  探伤日期: 2021年6月15日  版本号: 699",
                  "  衰减量: 1:40dB(1A:46dB) 2:41dB(2A:47dB) 3:42dB 4:43dB 5:44dB(-12dB) 6:45dB(6A:48dB)",
                  "通道设置: 1:前70 1A:后70 2:前70 2A:后70 3:前37 4:后37 5:0 6:前直70 6A:后直70",
                  "测量位置: 上行(0012),右股钢轨",
                  "里程增加  钢轨轨型: 60轨  过滤设置: (70°<3),(37°<3),(0°<3)",
                  "失    检: 5",
                  Legend + FullCourse,
              }));
    EXPECT_EQ(Legend.size(), 55);
}

TEST(FullHeader, Firmware700Lines)
{
    RecordingSlot slot = slotWith(baseParams(700));
    slot.SwitchTable = {{50, 1, 2}};
    slot.TrackTable = {{60, 7}};
    EXPECT_EQ(fullHeader(slot),
              (QStringList{
                  "工(串)号: 01234(1234567右手车)  报警方式：70(一般)0(反射)  探伤日期: 2021年6月15日  版本号: 700",
                  "  衰减量: 1:40-2dB(1A:46dB) 2:41-1dB(2A:47dB) 3:42-3dB 4:43-4dB 5:44dB 6:45dB(6A:48dB)",
                  "通道设置: 1:前70 1A:前70 2:前70 2A:前70 3:前37 4:后37 5:0 6:前直70 6A:前直70",
                  "失检度(后台通道):  1:10dB 1A:16dB 2:11dB 2A:17dB 3:12dB 4:13dB 6:15dB 6A:18dB",
                  "测量位置: 上行(JH0AZ),右股钢轨  里程增加",
                  "经过道岔(股号): 258(7)",
                  "钢轨轨型: 60轨",
                  "过滤设置: (70°<3),(37°<3),(0°<3)",
                  "失    检: 打开",
                  Legend700 + FullCourse,
              }));
}

TEST(FullHeader, NoExtraChannelFittedNamesNone)
{
    ParamBlock older = baseParams(699);
    older.set(34, 7);
    ParamBlock newer = baseParams(720);
    newer.set(40, 0);
    for (const ParamBlock &block : {older, newer}) {
        const QStringList lines = fullHeader(slotWith(block));
        SCOPED_TRACE(block.firmwareVersion());
        EXPECT_FALSE(lines[1].contains("A:")) << lines[1].toStdString();
        if (block.firmwareVersion() >= 700) {
            EXPECT_FALSE(lines[1].contains('(')) << lines[1].toStdString();
        }
        EXPECT_EQ(lines[2], "通道设置: 1:前70 2:前70 3:前37 4:后37 5:0 6:前直70");
        EXPECT_FALSE(lineHeader(slotWith(block)).contains("A:"));
    }
}

TEST(FullHeader, LineKindWordTurnsAbove703)
{
    struct Case {
        int firmware, kind;
        const char *word;
    };
    const Case cases[] = {{699, 1, "上行"}, {703, 1, "上行"}, {703, 2, "下行"}, {704, 1, "下行"}, {704, 2, "上行"}};
    for (const Case &c : cases) {
        ParamBlock p = baseParams(c.firmware);
        p.set(14, c.kind);
        const QStringList lines = fullHeader(slotWith(p));
        const QString position = lines[c.firmware >= 700 ? 4 : 3];
        EXPECT_TRUE(position.startsWith(QStringLiteral("测量位置: ") + QString::fromUtf8(c.word) + "("))
            << c.firmware << " " << position.toStdString();
    }
}

TEST(FullHeader, RecordKindSelectsTitlePositionAndFilterOrDamage)
{
    struct Case {
        int firmware, kind, damage;
        QString title, position, filterOrDamage;
    };
    const QString filter = "过滤设置: (70°<3),(37°<3),(0°<3)";
    const QString shortPosition = "测量位置: 下行(JH0AZ),右股钢轨  里程增加";
    const Case cases[] = {
        {699, 0, 3, FullCourse, "测量位置: 上行(0012),右股钢轨", filter},
        {700, 0, 3, FullCourse, "测量位置: 上行(JH0AZ),右股钢轨  里程增加", filter},
        {720, 1, 3, FullCourse, shortPosition, filter},
        {720, 0, 3, SelectedPoint, "测量位置: 下行(JH0AZ),右股钢轨321公里4号轨距顺端12.5  里程增加", "伤损程度: ***"},
        {720, 2, 0, SelectedPoint, shortPosition, "伤损程度: "},
    };
    for (const Case &c : cases) {
        ParamBlock p = baseParams(c.firmware);
        p.set(46, c.kind);
        p.set(38, c.damage);
        const QStringList lines = fullHeader(slotWith(p));
        SCOPED_TRACE(c.firmware * 10 + c.kind);
        EXPECT_TRUE(lines.last().endsWith(c.title));
        EXPECT_TRUE(lines.contains(c.position)) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.filter(c.filterOrDamage).size() == 1) << lines.join('\n').toStdString();
    }
}

TEST(FullHeader, FamiliesLeftOutOfTheFilterAreIgnored)
{
    BrantSettings settings;
    settings.Show70 = false;
    settings.MinRun37 = 5;
    settings.Show0 = false;
    EXPECT_EQ(fullHeader(slotWith(baseParams(699)), settings)[4],
              "里程增加  钢轨轨型: 60轨  过滤设置: 70°忽略,(37°<5),0°忽略");
}

TEST(FullHeader, MissFunctionBothWays)
{
    struct Case {
        int firmware, switchByte;
        const char *line;
    };
    const Case cases[] = {
        {699, 1, "失    检: 5"}, {699, 0, "失    检: 关闭"}, {720, 9, "失    检: 打开"}, {720, 0, "失    检: 关闭"}};
    for (const Case &c : cases) {
        ParamBlock p = baseParams(c.firmware);
        p.set(26, c.switchByte);
        EXPECT_TRUE(fullHeader(slotWith(p)).contains(QString::fromUtf8(c.line))) << c.firmware << " " << c.switchByte;
    }
}

TEST(FullHeader, SwitchAndTrackAreNoneBeforeTheirFirstPacket)
{
    RecordingSlot slot = slotWith(baseParams(720));
    slot.SwitchTable = {{1000, 1, 2}, {3000, 0, 9}};
    slot.TrackTable = {{2000, 7}};
    const std::pair<int32_t, const char *> cases[] = {{500, "经过道岔(股号): 无(无)"},
                                                      {1000, "经过道岔(股号): 258(无)"},
                                                      {2500, "经过道岔(股号): 258(7)"},
                                                      {4000, "经过道岔(股号): 9(7)"}};
    for (const auto &[viewStart, line] : cases) {
        slot.ViewStart = viewStart;
        EXPECT_EQ(fullHeader(slot)[5], QString::fromUtf8(line)) << viewStart;
    }
}

TEST(FullHeader, WorkNumberAndLineNameFromTheSideLists)
{
    ViewSources sources;
    sources.workNumbers = {{1234, "1234 张三"}};
    sources.lineNames = {{"JH0AZ", "JH0AZ 京沪线"}};
    EXPECT_TRUE(fullHeader(slotWith(baseParams(699)), {}, sources)[0].startsWith("工(串)号: 1234 张三(1234567)"));
    const QStringList newer = fullHeader(slotWith(baseParams(720)), {}, sources);
    EXPECT_TRUE(newer[4].startsWith("测量位置: 下行(JH0AZ 京沪线),")) << newer[4].toStdString();

    sources.workNumbers = {{4321, "4321 李四"}};
    sources.lineNames = {{"JH0AB", "JH0AB 其他"}};
    EXPECT_TRUE(fullHeader(slotWith(baseParams(720)), {}, sources)[0].startsWith("工(串)号: 01234(1234567右手车)"));
    EXPECT_TRUE(fullHeader(slotWith(baseParams(720)), {}, sources)[4].startsWith("测量位置: 下行(JH0AZ),"));
}

TEST(FullHeader, ReplayerOnlyWithATrailer)
{
    RecordingSlot slot = slotWith(baseParams(699));
    slot.ReplayerName = "Li      ";
    EXPECT_TRUE(fullHeader(slot)[0].startsWith("工(串)号: "));
    slot.HasTrailer = true;
    EXPECT_TRUE(fullHeader(slot)[0].startsWith("回放员: Li  工(串)号: "));
}

TEST(LineHeader, BothFirmwareForms)
{
    ParamBlock older = baseParams(699);
    older.set(34, 6);      // "1A" only
    older.set(37, 4 | 1);  // through-transmission, "智能"
    EXPECT_EQ(lineHeader(slotWith(older)),
              "21/6/15,1234(1234567),70(智能)0(穿透),(40),(46),(41),(42),(43),(44),(45),上行,(0012),"
              "右股钢轨321公里4号轨距顺端12.5里程增加,60轨,过滤: (70°<3),(37°<3),(0°<3)");

    ParamBlock newer = baseParams(720);
    newer.set(40, 4);  // "6A" only
    EXPECT_EQ(lineHeader(slotWith(newer)),
              "21/6/15,1234(1234567右手车),60轨1:前70(40-2), 2:前70(41-1), 3:前37(42-3), 4:后37(43-4), "
              "5:0(44(-12dB)), 6:前直70(45), 6A:前直70(48),");
}

TEST(Headers, DrawingPrintsTheLinesAndUnderlinesTheChannels)
{
    ParamBlock p = baseParams(720);
    p.set(19, 0x10);  // "1A" carries a double 45° probe
    const RecordingSlot slot = slotWith(p);
    BrantSettings settings;
    settings.BackColour = Black;
    QImage image(1200, 500, QImage::Format_RGB32);
    ViewCanvas canvas(image, 72, true);
    canvas.clear(settings.BackColour);
    ViewState state;

    const QStringList lines = DrawFullHeader(canvas, slot, settings, {}, state, 20);
    EXPECT_EQ(state.DoubleProbeMode, 1);
    EXPECT_EQ(lines, plainLines(FullHeaderLines(headerValuesInEffect(slot, {}, 1), settings)));
    EXPECT_TRUE(lines[2].contains("1A:双45"));
    ASSERT_FALSE(canvas.texts().empty());
    EXPECT_EQ(canvas.texts().back().text, FullCourse);
    EXPECT_EQ(canvas.texts().front().x, 10);
    EXPECT_EQ(canvas.texts().front().y, 20);

    // The first channel's bar lies 14 points under its text, in its colour.
    const auto first = std::find_if(canvas.texts().begin(), canvas.texts().end(),
                                    [](const TextItem &t) { return t.text == "1:前70"; });
    ASSERT_NE(first, canvas.texts().end());
    EXPECT_EQ(image.pixel(int(first->x) + 3, int(first->y) + 14), colourOf(settings.ChannelColour[0]).rgb());

    const QString line = DrawLineHeader(canvas, slot, settings, {}, state, 30, 400);
    EXPECT_TRUE(line.startsWith("21/6/15,1234("));
    EXPECT_EQ(canvas.texts().back().y, 400);
}

TEST(Headers, ARecordingWithoutPacketsStillDraws)
{
    RecordingSlot slot;
    QImage image(800, 300, QImage::Format_RGB32);
    ViewCanvas canvas(image, 96);
    ViewState state;
    const QStringList lines = DrawFullHeader(canvas, slot, {}, {}, state, 0);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].contains("工(串)号: 00000")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains("探伤日期:   版本号: 0"));
    EXPECT_EQ(lines[1], "  衰减量: 1:0dB(1A:0dB) 2:0dB(2A:0dB) 3:0dB 4:0dB 5:0dB(-0dB) 6:0dB(6A:0dB)");
    EXPECT_FALSE(DrawLineHeader(canvas, slot, {}, {}, state, 0, 0).isEmpty());
}

}  // namespace
