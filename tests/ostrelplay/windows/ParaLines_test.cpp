// The parameter window's lines of a loaded recording.

#include "TestStdFixtures.h"

#include "recording/StdText.h"
#include "windows/ParaLines.h"

#include <gtest/gtest.h>

namespace {

// A parameter block whose fields all differ, so a line taken from the wrong
// field or channel shows.
TSYSTEMPARA filledPara()
{
    TSYSTEMPARA para = StdTest::minimalPara(QStringLiteral("OST-2.10"));
    setStdText(para.m_CompanyChar, 10, QStringLiteral("0123456789"));  // all ten units, no zero
    setStdText(para.m_OperatorName, 10, QStringLiteral("张三"));
    setStdText(para.m_LineNameChar, 10, QStringLiteral("京沪线"));
    setStdText(para.m_StationNameChar, 10, QStringLiteral("德州站"));
    para.m_LineType = 1;
    para.m_Direction = 1;
    para.m_WheelEdge = 0;
    para.m_StartPointKm = 12;
    para.m_StartPointM = 300;
    para.m_MileageKm = 13;
    para.m_MileageM = 5;
    para.m_RailType = 2;
    para.m_LeftRightLine = 1;
    para.m_StraightOrCurve = 0;
    para.m_SpeedLimitValue = 45;
    for (int c = 0; c < 9; ++c) {
        para.m_Gain[2][c] = 40.0f + float(c);
        para.m_DeltaGain[2][c] = 0.5f * float(c);
        para.m_Gate1Start[2][c] = 100 + c;
        para.m_Gate3Height[2][c] = 60 + c;
        for (int k = 0; k < 8; ++k)
            para.m_CurveValue[2][c][k] = 10 * c + k;
    }
    return para;
}

QStringList linesOf(const TSYSTEMPARA &para)
{
    SubFileImage sub;
    sub.para = para;
    sub.addRow({makePacket(u'1', 4, 8)});
    sub.addRow({makePacket(u'1', 4, 8)});
    StdFileImage image;
    image.subFiles = {sub};
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("para.std", image));
    return paraLines(*file);
}

TEST(ParaLines, ListsEveryLineInTheWindowsOrder)
{
    const QStringList lines = linesOf(filledPara());
    const QStringList expected{
        QStringLiteral("数据版本： OST-2.10"),
        QStringLiteral("--------------------用户信息--------------------"),
        QStringLiteral("单位名称： 0123456789"),
        QStringLiteral("操作人员： 张三"),
        QStringLiteral("------------------检测记录表-------------------"),
        QStringLiteral("日期： 2017-05-24 09:30:05"),
        QStringLiteral("线名： 京沪线"),
        QStringLiteral("站名： 德州站"),
        QStringLiteral("线别： 下行"),
        QStringLiteral("里程加减： 减"),
        QStringLiteral("轮沿方向： 左"),
        QStringLiteral("起始点： 12km, 300m"),
        QStringLiteral("终点： 13km, 5m"),
        QStringLiteral("地段： 123"),
        QStringLiteral("轨型： P60"),
        QStringLiteral("左右股： 右股"),
        QStringLiteral("直曲线： 直线"),
        QStringLiteral("限速： 4.5km/h"),
        QStringLiteral("----------------增益、补偿曲线-----------------"),
        QStringLiteral("1 : 40dB+0dB [0,1,2,3,4,5,6,7]"),
        QStringLiteral("2 : 41dB+0.5dB [10,11,12,13,14,15,16,17]"),
        QStringLiteral("3 : 42dB+1dB [20,21,22,23,24,25,26,27]"),
        QStringLiteral("4 : 43dB+1.5dB [30,31,32,33,34,35,36,37]"),
        QStringLiteral("5 : 44dB+2dB [40,41,42,43,44,45,46,47]"),
        QStringLiteral("6 : 45dB+2.5dB [50,51,52,53,54,55,56,57]"),
        QStringLiteral("1A: 46dB+3dB [60,61,62,63,64,65,66,67]"),
        QStringLiteral("2A: 47dB+3.5dB [70,71,72,73,74,75,76,77]"),
        QStringLiteral("3A: 48dB+4dB [80,81,82,83,84,85,86,87]"),
        QStringLiteral("--------------------闸门信息--------------------"),
        QStringLiteral("1  ： 1门位100 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高60"),
        QStringLiteral("1A： 1门位106 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高66"),
        QStringLiteral("2  ： 1门位101 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高61"),
        QStringLiteral("2A： 1门位107 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高67"),
        QStringLiteral("3  ： 1门位102 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高62"),
        QStringLiteral("3A： 1门位108 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高68"),
        QStringLiteral("4  ： 1门位103 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高63"),
        QStringLiteral("5  ： 1门位104 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高64"),
        QStringLiteral("6  ： 1门位105 1门宽0 1门高0   2门位0 2门宽0 2门高0   3门位0 3门宽0 3门高65"),
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype k = 0; k < lines.size(); ++k)
        EXPECT_EQ(lines[k], expected[k]) << "line " << k + 1;
}

TEST(ParaLines, EmptyTextFieldsAndUnknownCodesLeaveTheLabelsAlone)
{
    TSYSTEMPARA para = StdTest::minimalPara(QString());
    para.m_LineType = 7;
    para.m_RailType = 9;  // no name; the gain and gate lines read rail row 3
    const QStringList lines = linesOf(para);
    ASSERT_EQ(lines.size(), 38);
    EXPECT_EQ(lines[0], QStringLiteral("数据版本： "));
    EXPECT_EQ(lines[2], QStringLiteral("单位名称： "));
    EXPECT_EQ(lines[8], QStringLiteral("线别： "));
    EXPECT_EQ(lines[14], QStringLiteral("轨型： "));
    EXPECT_EQ(lines[17], QStringLiteral("限速： 关"));
}

TEST(ParaLines, WindowTitleNamesTheSlotFromOne)
{
    EXPECT_EQ(paraWindowTitle(0), QStringLiteral("文件1参数与曲线"));
    EXPECT_EQ(paraWindowTitle(1), QStringLiteral("文件2参数与曲线"));
}

} // namespace
