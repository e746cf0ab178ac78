// The mark filter's rows: categories by mark code, the category boxes, captions
// counted per sub-file and the mileage of each mark.

#include "TestStdFixtures.h"

#include "windows/MarkRows.h"

#include <gtest/gtest.h>

namespace {

struct Shown {
    QString caption, category, mileage;
    int position;
    bool operator==(const Shown &) const = default;
};

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << s.caption.toStdString() << ' ' << s.category.toStdString() << ' ' << s.mileage.toStdString() << " @"
        << s.position;
}

class MarkRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StdFileImage image;
        for (int k = 0; k < 2; ++k) {
            SubFileImage sub = StdTest::minimalSubFile();
            sub.para.m_StartPointKm = 12;
            sub.para.m_StartPointM = 300;
            for (int r = 0; r < 2000; ++r)
                sub.addRow({});
            image.subFiles.push_back(sub);
        }
        image.marks = std::vector<std::vector<TREMARK>>{
            {{u'X', 10}, {u'F', 1000}, {u'Y', 1500}, {u'!', 500}, {u'?', 20}},
            {{u'?', 30}, {u'Z', 40}}};
        file = StdTest::loadStd(dir.write(QStringLiteral("marks.std"), image));
    }

    std::vector<Shown> rows(const MarkCategoryTicks &ticks) const
    {
        std::vector<Shown> result;
        for (const MarkRow &row : markRows(*file, ticks))
            result.push_back({row.caption, row.category, row.mileage, row.position});
        return result;
    }

    StdTest::StdFileDir dir;
    std::unique_ptr<mystdfile> file;
};

TEST_F(MarkRowsTest, UnknownCodesTakeThePreviousMarksCategory)
{
    EXPECT_EQ(rows({true, true, true}),
              (std::vector<Shown>{{"1->1", "一级报警", "12Km+300m", 10},
                                  {"1->2", "二级报警", "12Km+302m", 1000},
                                  {"1->3", "二级报警", "12Km+303m", 1500},
                                  {"1->4", "伤损确认", "12Km+301m", 500},
                                  {"1->5", "一级报警", "12Km+300m", 20},
                                  {"2->1", "一级报警", "12Km+300m", 30},
                                  {"2->2", "一级报警", "12Km+300m", 40}}));
}

TEST_F(MarkRowsTest, UntickedCategoriesAreNotListedNorCounted)
{
    EXPECT_EQ(rows({false, true, false}),
              (std::vector<Shown>{{"1->1", "二级报警", "12Km+302m", 1000}, {"1->2", "二级报警", "12Km+303m", 1500}}));
    EXPECT_EQ(rows({false, false, true}), (std::vector<Shown>{{"1->1", "伤损确认", "12Km+301m", 500}}));
}

TEST(MarkRows, ARecordingWithoutMarksHasNoRows)
{
    StdTest::StdFileDir dir;
    SubFileImage sub = StdTest::minimalSubFile();
    sub.addRow({});
    const auto file = StdTest::loadStd(dir.write(QStringLiteral("bare.std"), StdFileImage{{sub}, std::nullopt}));
    EXPECT_TRUE(markRows(*file, {true, true, true}).empty());
}

} // namespace
