// The mileage search: sub-files covering a mileage in either direction, the
// estimated row and its refinement by the recording's mileage records.

#include "TestStdFixtures.h"

#include "windows/MileageSearch.h"

#include <gtest/gtest.h>

#include <map>

namespace {

SubFileImage stretch(int direction, int startKm, int startM, int endKm, int endM, int rows,
                     const std::map<int, TPACKET> &mileage = {})
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_Direction = int8_t(direction);
    sub.para.m_StartPointKm = startKm;
    sub.para.m_StartPointM = startM;
    sub.para.m_MileageKm = endKm;
    sub.para.m_MileageM = endM;
    for (int r = 0; r < rows; ++r) {
        const auto found = mileage.find(r);
        if (found == mileage.end())
            sub.addRow({});
        else
            sub.addRow({}, {found->second});
    }
    return sub;
}

struct CoverCase {
    MileageTarget target;
    std::vector<int> subFiles;
};

class SubFilesCovering : public ::testing::TestWithParam<CoverCase> {};

TEST_P(SubFilesCovering, EnclosesTheTargetInTheSubFilesDirection)
{
    StdTest::StdFileDir dir;
    const StdFileImage image{{stretch(0, 1, 0, 2, 0, 10), stretch(1, 6, 0, 4, 0, 10), stretch(2, 0, 0, 9, 0, 10),
                              stretch(0, 6, 0, 4, 0, 10)},
                             std::nullopt};
    const auto file = StdTest::loadStd(dir.write(QStringLiteral("cover.std"), image));
    EXPECT_EQ(subFilesCovering(*file, GetParam().target), GetParam().subFiles);
}

INSTANTIATE_TEST_SUITE_P(Cases, SubFilesCovering,
                         ::testing::Values(CoverCase{{5, 300}, {1}}, CoverCase{{1, 500}, {0}},
                                           CoverCase{{2, 0}, {0}}, CoverCase{{1, 0}, {0}},
                                           CoverCase{{4, 0}, {1}}, CoverCase{{6, 0}, {1}},
                                           CoverCase{{6, 1}, {}}, CoverCase{{0, 0}, {}},
                                           CoverCase{{0, 1500}, {0}}));

TEST(EstimatedRow, CountsFiveHundredRowsAMetreFromTheStart)
{
    TSYSTEMPARA para{};
    para.m_StartPointKm = 6;
    para.m_StartPointM = 0;
    para.m_Direction = 1;
    EXPECT_EQ(estimatedRow(para, {5, 300}), 350000);
    para.m_Direction = 0;
    EXPECT_EQ(estimatedRow(para, {6, 10}), 5000);
    para.m_Direction = 2;
    EXPECT_EQ(estimatedRow(para, {6, 10}), std::nullopt);
}

TEST(MileageField, AnEmptyFieldReadsZero)
{
    EXPECT_EQ(mileageFieldText(QString()), QStringLiteral("0"));
    EXPECT_EQ(mileageFieldText(QStringLiteral("12")), QStringLiteral("12"));
}

// Decreasing mileage from 6 km 0 m to 4 km 0 m; the estimate for 5 km 300 m is row 350,000.
class RealPos : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::map<int, TPACKET> mileage{{329999, makePacket(u'M', 5, 300)},
                                             {340000, makePacket(u'M', 5, 300)},
                                             {352000, makePacket(u'M', 5, 300)},
                                             {360000, makePacket(u'M', 5, 301)},
                                             {370001, makePacket(u'M', 5, 300)}};
        const StdFileImage image{{stretch(0, 0, 0, 0, 10, 10), stretch(1, 6, 0, 4, 0, rows, mileage)},
                                 std::nullopt};
        file = StdTest::loadStd(dir.write(QStringLiteral("decreasing.std"), image));
        ASSERT_EQ(subFilesCovering(*file, target), std::vector<int>{1});
        estimate = *estimatedRow(file->std_systemparas[1], target);
    }

    const int rows = 380000;
    const MileageTarget target{5, 300};
    StdTest::StdFileDir dir;
    std::unique_ptr<mystdfile> file;
    int64_t estimate = 0;
};

TEST_F(RealPos, TakesTheLastMatchingRowWithinTwentyThousand)
{
    EXPECT_EQ(estimate, 350000);
    EXPECT_EQ(realPos(*file, 1, estimate, target, 0, rows - 1), 352000);
}

TEST_F(RealPos, KeepsStrictlyInsideTheBarsRange)
{
    EXPECT_EQ(realPos(*file, 1, estimate, target, 0, 352000), 340000);
    EXPECT_EQ(realPos(*file, 1, estimate, target, 340000, 351999), 350000);
}

TEST_F(RealPos, WithoutAMatchTheEstimateStands)
{
    EXPECT_EQ(realPos(*file, 1, estimate, {5, 299}, 0, rows - 1), 350000);
    EXPECT_EQ(realPos(*file, 0, estimate, target, 0, 9), 350000);
    EXPECT_EQ(realPos(*file, 7, estimate, target, 0, rows - 1), 350000);
}

} // namespace
