// Parameter, gain and mileage texts, the rail type in force, and switching sub-files.

#include "TestStdFixtures.h"

#include "recording/StdText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Values that differ per rail type r, channel c and field n, so a wrong lookup shows:
// gain 30 + 10r + c, offset r + c/2, curve point i 100r + 10c + i, gate field n 1000r + 10c + n.
TSYSTEMPARA textPara()
{
    TSYSTEMPARA para = StdTest::minimalPara("1.7.X");
    setStdText(para.m_LineNameChar, 10, QStringLiteral("京广线"));
    setStdText(para.m_StationNameChar, 10, QStringLiteral("北京南"));
    setStdText(para.m_OperatorName, 10, QStringLiteral("张三"));
    para.m_Area = 7;
    para.m_LineType = 1;
    para.m_Direction = 0;
    para.m_WheelEdge = 0;
    para.m_StartPointKm = 12;
    para.m_StartPointM = 300;
    para.m_MileageKm = 13;
    para.m_MileageM = 5;
    para.m_RailType = 1;
    para.m_LeftRightLine = 1;
    para.m_StraightOrCurve = 0;
    para.m_SpeedLimitValue = 45;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c) {
            para.m_Gain[r][c] = float(30 + 10 * r + c);
            para.m_DeltaGain[r][c] = float(r) + 0.5f * float(c);
            for (int i = 0; i < 8; ++i)
                para.m_CurveValue[r][c][i] = 100 * r + 10 * c + i;
            const int32_t base = 1000 * r + 10 * c;
            para.m_Gate1Start[r][c] = base + 1;
            para.m_Gate1Width[r][c] = base + 2;
            para.m_Gate1Height[r][c] = base + 3;
            para.m_Gate2Start[r][c] = base + 4;
            para.m_Gate2Width[r][c] = base + 5;
            para.m_Gate2Height[r][c] = base + 6;
            para.m_Gate3Start[r][c] = base + 7;
            para.m_Gate3Width[r][c] = base + 8;
            para.m_Gate3Height[r][c] = base + 9;
        }
    para.m_Gain[1][0] = 45.5f;
    para.m_DeltaGain[1][5] = 5.3f;
    return para;
}

// Sub-file 0: the text parameters; mileage 8 km 1 m at row 2, channel 2A gain to
// 53 dB at row 6, rail type P60 from row 5 and Auto from row 9.
// Sub-file 1: P75, started 09:30:12; mileage records at rows 3 (two) and 7.
StdFileImage textRecording()
{
    SubFileImage texts;
    texts.para = textPara();
    for (int k = 0; k < 12; ++k) {
        std::vector<TPACKET> records;
        if (k == 2)
            records = {makePacket(u'M', 8, 1)};
        if (k == 5)
            records = {makePacket(u'N', 2)};
        if (k == 6)
            records = {makePacket(u'h', 530)};
        if (k == 9)
            records = {makePacket(u'N', 4)};
        texts.addRow({makePacket(u'0', 3, 5)}, records);
    }
    SubFileImage mileage = StdTest::minimalSubFile("1.6.X");
    mileage.para.m_RailType = 3;
    mileage.para.m_Time = 93012;
    for (int k = 0; k < 10; ++k) {
        std::vector<TPACKET> records;
        if (k == 3)
            records = {makePacket(u'M', 12, 400), makePacket(u'O', 100, 9), makePacket(u'M', 12, 401)};
        if (k == 7)
            records = {makePacket(u'M', 12, 404)};
        mileage.addRow({}, records);
    }
    StdFileImage image;
    image.subFiles = {texts, mileage};
    return image;
}

std::unique_ptr<mystdfile> loadTextRecording(const RecordingSettings *settings = nullptr)
{
    static const StdTest::StdFileDir dir;
    static const QString path = dir.write("texts.std", textRecording());
    return StdTest::loadStd(path, settings);
}

// Help lines that name their rail type: r1 … r6 for rail type r.
class TaggedSettings : public RecordingSettings {
public:
    bool bandCollapse() const override { return collapse; }
    std::array<int32_t, 6> helpLineDepths(int railType) const override
    {
        std::array<int32_t, 6> depths;
        for (int n = 0; n < 6; ++n)
            depths[n] = 10 * railType + n + 1;
        return depths;
    }
    std::array<int32_t, 6> helpLineStyles() const override { return {}; }
    bool collapse = false;
};

std::array<int32_t, 6> taggedHelpLines(int railType)
{
    return TaggedSettings().helpLineDepths(railType);
}

std::array<int32_t, 6> bands(const TDataHeight &h)
{
    return {h[0], h[1], h[2], h[3], h[4], h[5]};
}

struct ParaCase {
    int index;
    const char *text;
};

class GetParaText : public testing::TestWithParam<ParaCase> {};

TEST_P(GetParaText, IsComposedFromTheParameterBlock)
{
    static const std::unique_ptr<mystdfile> file = loadTextRecording();
    EXPECT_EQ(file->GetPara(GetParam().index), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, GetParaText,
    testing::Values(
        ParaCase{0, "2017-05-24 09:30:05"}, ParaCase{1, "京广线"}, ParaCase{2, "下行"}, ParaCase{3, "加"},
        ParaCase{4, "左"}, ParaCase{5, "12km, 300m"}, ParaCase{6, "13km, 5m"}, ParaCase{7, "123"},
        ParaCase{8, "P50"}, ParaCase{9, "右股"}, ParaCase{10, "直线"}, ParaCase{11, "4.5km/h"},
        ParaCase{12, "1 : 45.5dB+1dB [100,101,102,103,104,105,106,107]"},
        ParaCase{13, "2 : 41dB+1.5dB [110,111,112,113,114,115,116,117]"},
        ParaCase{17, "6 : 45dB+5.3dB [150,151,152,153,154,155,156,157]"},
        ParaCase{18, "1A: 46dB+4dB [160,161,162,163,164,165,166,167]"},
        ParaCase{20, "3A: 48dB+5dB [180,181,182,183,184,185,186,187]"},
        ParaCase{21, "1门位1001 1门宽1002 1门高1003   2门位1004 2门宽1005 2门高1006   3门位1007 3门宽1008 3门高1009"},
        ParaCase{22, "1门位1061 1门宽1062 1门高1063   2门位1064 2门宽1065 2门高1066   3门位1067 3门宽1068 3门高1069"},
        ParaCase{23, "1门位1011 1门宽1012 1门高1013   2门位1014 2门宽1015 2门高1016   3门位1017 3门宽1018 3门高1019"},
        ParaCase{24, "1门位1071 1门宽1072 1门高1073   2门位1074 2门宽1075 2门高1076   3门位1077 3门宽1078 3门高1079"},
        ParaCase{25, "1门位1021 1门宽1022 1门高1023   2门位1024 2门宽1025 2门高1026   3门位1027 3门宽1028 3门高1029"},
        ParaCase{26, "1门位1081 1门宽1082 1门高1083   2门位1084 2门宽1085 2门高1086   3门位1087 3门宽1088 3门高1089"},
        ParaCase{27, "1门位1031 1门宽1032 1门高1033   2门位1034 2门宽1035 2门高1036   3门位1037 3门宽1038 3门高1039"},
        ParaCase{28, "1门位1041 1门宽1042 1门高1043   2门位1044 2门宽1045 2门高1046   3门位1047 3门宽1048 3门高1049"},
        ParaCase{29, "1门位1051 1门宽1052 1门高1053   2门位1054 2门宽1055 2门高1056   3门位1057 3门宽1058 3门高1059"},
        ParaCase{30, "北京南"}, ParaCase{31, "1 : 45.5dB+1dB"}, ParaCase{36, "6 : 45dB+5.3dB"},
        ParaCase{39, "3A: 48dB+5dB"}, ParaCase{40, "1.7.X"}, ParaCase{41, ""}, ParaCase{-1, ""},
        ParaCase{100, ""}));

struct FieldCase {
    const char *name;
    std::function<void(TSYSTEMPARA &)> set;
    int index;
    const char *text;
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.name;
}

class GetParaField : public testing::TestWithParam<FieldCase> {};

TEST_P(GetParaField, FollowsTheFieldValue)
{
    const auto file = loadTextRecording();
    GetParam().set(file->std_systempara);
    EXPECT_EQ(file->GetPara(GetParam().index), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetParaField,
    testing::Values(
        FieldCase{"date_end_of_year",
                  [](TSYSTEMPARA &p) {
                      p.m_Date = 20001231;
                      p.m_Time = 0;
                  },
                  0, "2000-12-31 00:00:00"},
        FieldCase{"time_before_midnight", [](TSYSTEMPARA &p) { p.m_Time = 235959; }, 0, "2017-05-24 23:59:59"},
        FieldCase{"line_up", [](TSYSTEMPARA &p) { p.m_LineType = 0; }, 2, "上行"},
        FieldCase{"line_single", [](TSYSTEMPARA &p) { p.m_LineType = 2; }, 2, "单线"},
        FieldCase{"line_unknown", [](TSYSTEMPARA &p) { p.m_LineType = 3; }, 2, ""},
        FieldCase{"line_negative", [](TSYSTEMPARA &p) { p.m_LineType = -1; }, 2, ""},
        FieldCase{"direction_decreasing", [](TSYSTEMPARA &p) { p.m_Direction = 1; }, 3, "减"},
        FieldCase{"direction_other", [](TSYSTEMPARA &p) { p.m_Direction = 2; }, 3, "加"},
        FieldCase{"wheel_right", [](TSYSTEMPARA &p) { p.m_WheelEdge = 1; }, 4, "右"},
        FieldCase{"wheel_other", [](TSYSTEMPARA &p) { p.m_WheelEdge = -3; }, 4, "右"},
        FieldCase{"rail_p43", [](TSYSTEMPARA &p) { p.m_RailType = 0; }, 8, "P43"},
        FieldCase{"rail_p60", [](TSYSTEMPARA &p) { p.m_RailType = 2; }, 8, "P60"},
        FieldCase{"rail_p75", [](TSYSTEMPARA &p) { p.m_RailType = 3; }, 8, "P75"},
        FieldCase{"rail_auto", [](TSYSTEMPARA &p) { p.m_RailType = 4; }, 8, "Auto"},
        FieldCase{"rail_unknown", [](TSYSTEMPARA &p) { p.m_RailType = 5; }, 8, ""},
        FieldCase{"rail_side_left", [](TSYSTEMPARA &p) { p.m_LeftRightLine = 0; }, 9, "左股"},
        FieldCase{"rail_side_other", [](TSYSTEMPARA &p) { p.m_LeftRightLine = 2; }, 9, "右股"},
        FieldCase{"curve", [](TSYSTEMPARA &p) { p.m_StraightOrCurve = 1; }, 10, "曲线"},
        FieldCase{"speed_limit_off", [](TSYSTEMPARA &p) { p.m_SpeedLimitValue = 0; }, 11, "关"},
        FieldCase{"speed_limit_whole", [](TSYSTEMPARA &p) { p.m_SpeedLimitValue = 100; }, 11, "10km/h"},
        FieldCase{"speed_limit_largest", [](TSYSTEMPARA &p) { p.m_SpeedLimitValue = 127; }, 11, "12.7km/h"},
        // rail type "Auto" takes the P75 row of the per-rail-type tables
        FieldCase{"gain_auto", [](TSYSTEMPARA &p) { p.m_RailType = 4; }, 12,
                  "1 : 60dB+3dB [300,301,302,303,304,305,306,307]"},
        FieldCase{"gate_p43", [](TSYSTEMPARA &p) { p.m_RailType = 0; }, 29,
                  "1门位51 1门宽52 1门高53   2门位54 2门宽55 2门高56   3门位57 3门宽58 3门高59"},
        FieldCase{"full_length_names",
                  [](TSYSTEMPARA &p) {
                      setStdText(p.m_LineNameChar, 10, QStringLiteral("一二三四五六七八九十"));
                      setStdText(p.m_StationNameChar, 10, QStringLiteral("ABCDEFGHIJ"));
                  },
                  1, "一二三四五六七八九十"}),
    [](const testing::TestParamInfo<FieldCase> &info) { return std::string(info.param.name); });

TEST(StdTexts, GetdBParaListsEveryChannel)
{
    const auto file = loadTextRecording();
    EXPECT_EQ(file->GetdBPara(),
              QStringLiteral(" 【1】45.5+1 【2】41+1.5 【3】42+2 【4】43+2.5 【5】44+3 【6】45+5.3 【1A】46+4 【2A】47+4.5 "
                             "【3A】48+5"));
    file->std_systempara.m_RailType = 0;
    EXPECT_EQ(file->GetdBPara(),
              QStringLiteral(" 【1】30+0 【2】31+0.5 【3】32+1 【4】33+1.5 【5】34+2 【6】35+2.5 【1A】36+3 【2A】37+3.5 "
                             "【3A】38+4"));
}

TEST(StdTexts, GetGainParaShowsTheOffsetsInForce)
{
    // channel 2A goes to 53 dB at row 6: offset 53 - 47 = 6
    const auto file = loadTextRecording();
    const QString before = file->GetdBPara();
    const QString after =
        QStringLiteral(" 【1】45.5+1 【2】41+1.5 【3】42+2 【4】43+2.5 【5】44+3 【6】45+5.3 【1A】46+4 【2A】47+6 【3A】48+5");
    EXPECT_EQ(file->GetGainPara(0), before);
    EXPECT_EQ(file->GetGainPara(5), before);
    EXPECT_EQ(file->GetGainPara(6), after);
    EXPECT_EQ(file->GetGainPara(10), after);
}

struct MileageCase {
    int direction;
    int startKm;
    int startM;
    int row;
    const char *text;
};

class GetMileageText : public testing::TestWithParam<MileageCase> {};

TEST_P(GetMileageText, CountsRowsFromTheStartPoint)
{
    const MileageCase &c = GetParam();
    const auto file = loadTextRecording();
    file->std_systempara.m_Direction = int8_t(c.direction);
    file->std_systempara.m_StartPointKm = c.startKm;
    file->std_systempara.m_StartPointM = c.startM;
    EXPECT_EQ(file->GetMileage(c.row), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(Rows, GetMileageText,
                         testing::Values(MileageCase{0, 12, 300, 1000, "12Km+302m"},
                                         MileageCase{0, 12, 300, 0, "12Km+300m"},
                                         MileageCase{0, 12, 300, 499, "12Km+300m"},
                                         MileageCase{0, 12, 999, 500, "13Km+0m"},
                                         MileageCase{1, 12, 300, 1000, "12Km+298m"},
                                         MileageCase{1, 0, 1, 1500, "0Km+-2m"},
                                         MileageCase{1, 0, 1, 600000, "-1Km+-199m"},
                                         MileageCase{2, 12, 300, 1000, "0Km+2m"},
                                         MileageCase{-1, 12, 300, 250000, "0Km+500m"}));

TEST(StdTexts, GetMileageByPacketindexTakesTheNextMileageRecord)
{
    const auto file = loadTextRecording();
    const std::vector<std::pair<int, const char *>> inSubFile1{{0, "12km,401m"}, {3, "12km,401m"}, {4, "12km,404m"},
                                                               {7, "12km,404m"}, {8, ""},          {9, ""},
                                                               {100, ""},       {-5, "12km,401m"}};
    for (const auto &[row, text] : inSubFile1)
        EXPECT_EQ(file->GetMileageByPacketindex(1, row), QString::fromUtf8(text)) << "row " << row;
    EXPECT_EQ(file->GetMileageByPacketindex(0, 0), "8km,1m");
    EXPECT_EQ(file->GetMileageByPacketindex(0, 3), "");
}

TEST(StdTexts, SetRailTypeFollowsTheRailTypeRecords)
{
    TaggedSettings settings;
    const auto file = loadTextRecording(&settings);
    file->std_systempara.m_RailType = 0;

    struct Expected {
        int row;
        int railType;
        const char *name;
        std::array<int32_t, 6> bands;
    };
    const std::array<int32_t, 6> p50{0, 84, 126, 210, 236, 152};
    const std::array<int32_t, 6> p60{0, 96, 144, 242, 272, 176};
    for (const Expected &e : {Expected{4, 1, "P50", p50}, Expected{5, 2, "P60", p60}, Expected{8, 2, "P60", p60},
                              Expected{9, 4, "Auto", p60}, Expected{11, 4, "Auto", p60}, Expected{0, 1, "P50", p50}}) {
        SCOPED_TRACE("row " + std::to_string(e.row));
        file->setRailType(e.row);
        EXPECT_EQ(int(file->std_systempara.m_RailType), e.railType);
        EXPECT_EQ(file->GetPara(8), e.name);
        EXPECT_EQ(bands(file->std_OIMG_Height), e.bands);
        EXPECT_EQ(file->HelpLine, taggedHelpLines(e.railType));
    }
}

TEST(StdTexts, SetRailTypeKeepsTheBandCollapse)
{
    TaggedSettings settings;
    settings.collapse = true;
    const auto file = loadTextRecording(&settings);
    EXPECT_TRUE(file->std_bshowhide);
    EXPECT_EQ(bands(file->std_OIMG_Height), (std::array<int32_t, 6>{0, 84, 84, 168, 194, 152}));
    EXPECT_EQ(file->std_bshowhidevalue, 42);
    file->setRailType(6);
    EXPECT_EQ(bands(file->std_OIMG_Height), (std::array<int32_t, 6>{0, 96, 96, 194, 224, 176}));
    EXPECT_EQ(file->std_bshowhidevalue, 48);
    EXPECT_EQ(file->GetPara(12), "1 : 50dB+2dB [200,201,202,203,204,205,206,207]");
}

TEST(StdTexts, SwitchFileResetsTheStateOfTheNewSubFile)
{
    TaggedSettings settings;
    const auto file = loadTextRecording(&settings);
    file->setRailType(6);
    file->Cutting = true;
    file->CurMark = 3;

    file->SwitchFile(1);
    EXPECT_EQ(file->std_CurFile, 1);
    EXPECT_FALSE(file->Cutting);
    EXPECT_EQ(file->CurMark, 0);
    EXPECT_EQ(file->std_systempara.m_Time, 93012);
    EXPECT_EQ(int(file->std_systempara.m_StartPoint[0]), 100);
    EXPECT_EQ(int(file->std_systempara.m_RailType), 3);
    EXPECT_EQ(bands(file->std_OIMG_Height), (std::array<int32_t, 6>{0, 96, 144, 242, 272, 176}));
    EXPECT_EQ(file->std_bshowhidevalue, 0);
    EXPECT_EQ(file->HelpLine, taggedHelpLines(3));
    EXPECT_EQ(file->std_scandataindex.m_PacketIndexCount, 10);
    EXPECT_EQ(file->std_packet.data(), file->std_packets[1].data());
    EXPECT_EQ(file->std_packet.size(), file->std_packets[1].size());
    EXPECT_EQ(file->std_packetindex.data(), file->std_packetindexs[1].data());
    EXPECT_EQ(file->GetPara(8), "P75");

    // back to sub-file 0: its own rail type again, whatever was in force before
    file->SwitchFile(0);
    EXPECT_EQ(int(file->std_systempara.m_RailType), 1);
    EXPECT_EQ(file->HelpLine, taggedHelpLines(1));
    EXPECT_EQ(file->GetGainPara(0), file->GetdBPara());
}

TEST(StdTexts, SubFileComboLineNamesTheRun)
{
    StdFileImage image = textRecording();
    TSYSTEMPARA &second = image.subFiles[1].para;
    setStdText(second.m_LineNameChar, 10, QStringLiteral("一二三四五六七八九十"));
    setStdText(second.m_StationNameChar, 10, QStringLiteral("上海"));
    second.m_LineType = 2;
    second.m_LeftRightLine = 0;
    second.m_Area = -3;
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("combo.std", image));
    EXPECT_EQ(subFileComboLine(*file, 0), "1/2     京广线  北京南  下行  右股  张三  地段:7");
    EXPECT_EQ(subFileComboLine(*file, 1), "2/2     一二三四五六七八九十  上海  单线  左股    地段:-3");
}

} // namespace
