#include "analysis/MarkList.h"

#include "office/OfficeError.h"
#include "recording/Packets.h"
#include "recording/RecordingLoader.h"
#include "recording/ReviewMarks.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"
#include "XlsxReadBack.h"


#include <gtest/gtest.h>

using namespace brantview;

namespace {

// The nine parameter bytes of a mark: version, line kind, designation, rail side, operator.
struct MarkParams {
    int version = 720;
    int lineKind = 1;
    std::array<uint8_t, 3> designation{0x28, 0x12, 0xC2};  // "A1B2" from version 700
    int railSide = 1;
    int operatorNumber = 42;
};

const QDateTime MadeAt(QDate(2026, 12, 10), QTime(9, 5, 7), Qt::UTC);

ReviewMark mark(int kind, int32_t position = 0, uint32_t mileage = 0, const MarkParams &p = {},
                const QDateTime &at = MadeAt)
{
    ReviewMark m;
    m.kind = uint8_t(kind);
    if (kind < ReviewMarkKind::BrowseStart)
        m.setPost(position, mileage);
    m.setMadeAt(at);
    const uint8_t params[9] = {uint8_t(p.version >> 8), uint8_t(p.version),        uint8_t(p.lineKind),
                               p.designation[0],        p.designation[1],          p.designation[2],
                               uint8_t(p.railSide),     uint8_t(p.operatorNumber >> 8), uint8_t(p.operatorNumber)};
    std::copy(std::begin(params), std::end(params), m.params);
    return m;
}

RecordingSlot slotWith(std::vector<ReviewMark> marks)
{
    RecordingSlot slot;
    slot.ReviewMarks = std::move(marks);
    return slot;
}

// Column `c` (1..7) of the workbook row of list row `row` (1 the first mark).
QString cell(const MarkList &list, int row, int c)
{
    return list.workbookRows.at(size_t(row - 1))[size_t(c - 1)];
}

TEST(MarkList, LinesOfEachKindAsTheListShowsThem)
{
    ReviewMark browseEnd = mark(ReviewMarkKind::BrowseEnd);
    browseEnd.setViewingMinutes(1234);
    const RecordingSlot slot = slotWith({mark(ReviewMarkKind::BrowseStart), mark(ReviewMarkKind::Read, 500, 123456),
                                         mark(ReviewMarkKind::FishScaleStart, 1000, 59),
                                         mark(ReviewMarkKind::FishScaleEnd, 3000, 59), mark(7, 5, 0), browseEnd});
    const MarkList list = BuildMarkList(slot, 0, {});
    const QString tail = QStringLiteral("  00042  (A1B2),   下行,右股钢轨");
    const QStringList expected = {
        QStringLiteral("序号    标记日期       标记时间     标记种类     标记位置    工号    标记线别"),
        QStringLiteral("0000   2026-12-10     09:05:07AM    浏览开始 "),
        QStringLiteral("0001   2026-12-10     09:05:07AM       阅      12KM+345.6M") + tail,
        QStringLiteral("0002   2026-12-10     09:05:07AM    鱼鳞纹始点 0KM+5.9M") + tail,
        QStringLiteral("0003   2026-12-10     09:05:07AM    鱼鳞纹终点 0KM+5.9M(0KM+5.9M)") + tail,
        QStringLiteral("0004   2026-12-10     09:05:07AM       关注3    0KM+0.0M") + tail,
        QStringLiteral("0005   2026-12-10     09:05:07AM    浏览结束      1234分钟"),
    };
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.ListRowMap, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(MarkList, TimesOnTheTwelveHourClockAndDamagedDates)
{
    struct Case {
        QDateTime at;
        QString date, time;
    } cases[] = {
        {QDateTime(QDate(2026, 1, 2), QTime(0, 5, 7), Qt::UTC), "2026-01-02  ", "   12:05:07AM   "},
        {QDateTime(QDate(2026, 1, 2), QTime(12, 0, 0), Qt::UTC), "2026-01-02  ", "   12:00:00PM   "},
        {QDateTime(QDate(2026, 1, 2), QTime(23, 59, 9), Qt::UTC), "2026-01-02  ", "   11:59:09PM   "},
    };
    for (const Case &c : cases) {
        const MarkList list = BuildMarkList(slotWith({mark(ReviewMarkKind::Suspect, 1, 1, {}, c.at)}), 0, {});
        EXPECT_EQ(cell(list, 1, 2), c.date) << c.at.toString().toStdString();
        EXPECT_EQ(cell(list, 1, 3), c.time) << c.at.toString().toStdString();
    }
    // Stored values that are no date or time are shown as they are stored.
    ReviewMark damaged = mark(ReviewMarkKind::Suspect, 1, 1);
    damaged.month = 13;
    damaged.hour = 25;
    const MarkList list = BuildMarkList(slotWith({damaged}), 0, {});
    EXPECT_EQ(cell(list, 1, 2), "2026-13-10  ");
    EXPECT_EQ(cell(list, 1, 3), "   25:05:07     ");
}

TEST(MarkList, LineTextByVersionWithAndWithoutTheLineNameList)
{
    const LineNameList names = {{QStringLiteral("A1B2"), QStringLiteral("A1B2 京广线")},
                                {QStringLiteral("4660"), QStringLiteral("4660 不查此表")}};
    struct Case {
        MarkParams params;
        bool withNames;
        QString text;
    } cases[] = {
        {{699, 1, {0x12, 0x34, 0xFF}, 0}, true, "(4660),   上行,左股钢轨"},
        {{699, 2, {0x00, 0x07, 0x00}, 1}, false, "(0007),   下行,右股钢轨"},
        {{700, 1, {0x28, 0x12, 0xC2}, 1}, false, "(A1B2),   上行,右股钢轨"},
        {{700, 1, {0x28, 0x12, 0xC2}, 1}, true, "(A1B2 京广线),   上行,右股钢轨"},
        {{703, 1, {0xFF, 0xFF, 0xFF}, 2}, false, "(vvvv),   上行,错误数据"},
        {{704, 1, {0x00, 0x00, 0x00}, 0}, false, "(0000),   下行,左股钢轨"},
        {{704, 2, {0x00, 0x00, 0x00}, 0}, false, "(0000),   上行,左股钢轨"},
        {{720, 0, {0x00, 0x00, 0x00}, 0}, false, "(0000),   站线,左股钢轨"},
        {{720, 3, {0x00, 0x00, 0x00}, 0}, false, "(0000),   联线,左股钢轨"},
        {{720, 4, {0x00, 0x00, 0x00}, 0}, false, "(0000),   单线,左股钢轨"},
        {{720, 5, {0x00, 0x00, 0x00}, 0}, false, "(0000),   其他,左股钢轨"},
        {{720, 6, {0x00, 0x00, 0x00}, 0}, false, "(0000),左股钢轨"},
    };
    for (const Case &c : cases) {
        ViewSources sources;
        if (c.withNames)
            sources.lineNames = names;
        const MarkList list = BuildMarkList(slotWith({mark(ReviewMarkKind::Read, 1, 1, c.params)}), 0, sources);
        EXPECT_EQ(cell(list, 1, 7), c.text) << "version " << c.params.version << " kind " << c.params.lineKind;
        EXPECT_TRUE(list.lines.at(1).endsWith(c.text));
    }
}

TEST(MarkList, OperatorByNameWhereTheWorkNumberListHoldsIt)
{
    const RecordingSlot slot = slotWith({mark(ReviewMarkKind::Read, 1, 1, {.operatorNumber = 42}),
                                         mark(ReviewMarkKind::Read, 2, 1, {.operatorNumber = 65535})});
    ViewSources sources;
    EXPECT_EQ(cell(BuildMarkList(slot, 0, sources), 1, 6), "  00042  ");
    EXPECT_EQ(cell(BuildMarkList(slot, 0, sources), 2, 6), "  65535  ");
    sources.workNumbers = {{7, QStringLiteral("7 李四")}, {42, QStringLiteral("42 张三")}};
    const MarkList list = BuildMarkList(slot, 0, sources);
    EXPECT_EQ(cell(list, 1, 6), "42 张三");
    EXPECT_EQ(cell(list, 2, 6), "  65535  ");
}

// Each case: the fish-scale marks (kind, position) in mark order, and the length
// text of each end in that order ("" for none).
TEST(MarkList, FishScaleEndsPairWithTheNearestLowerStart)
{
    using Marks = std::vector<std::pair<int, int32_t>>;
    constexpr int S = ReviewMarkKind::FishScaleStart, E = ReviewMarkKind::FishScaleEnd;
    struct Case {
        const char *what;
        Marks marks;
        QStringList lengths;
    } cases[] = {
        {"paired", {{S, 1000}, {E, 3000}}, {"(0KM+5.9M)"}},
        {"over a kilometre", {{S, 1}, {E, 400001}}, {"(1KM+176.0M)"}},
        {"end after another end", {{S, 1000}, {E, 2000}, {E, 3000}}, {"(0KM+2.9M)", ""}},
        {"end with no earlier entry", {{E, 500}}, {""}},
        {"start only above the end", {{S, 4000}, {E, 3500}}, {""}},
        {"the mark order does not count, the positions do", {{E, 3000}, {S, 1000}}, {"(0KM+5.9M)"}},
        {"the nearest of two starts", {{S, 1000}, {S, 2000}, {E, 2100}}, {"(0KM+0.3M)"}},
        {"a start at the end's own post", {{S, 3000}, {E, 3000}}, {""}},
        {"keys at or below 0 never pair", {{S, 0}, {E, 3000}}, {""}},
        {"keys compare as signed numbers", {{S, 500}, {E, -10}}, {""}},
        {"hexadecimal digits compare as numbers", {{S, 0x9FF}, {S, 0xA00}, {E, 0x1000}}, {"(0KM+4.5M)"}},
    };
    for (const Case &c : cases) {
        std::vector<ReviewMark> marks;
        for (const auto &[kind, position] : c.marks)
            marks.push_back(mark(kind, position, 0));
        const MarkList list = BuildMarkList(slotWith(marks), 4, {});
        QStringList lengths;
        for (size_t i = 0; i < c.marks.size(); ++i)
            if (c.marks[i].first == E)
                lengths.append(cell(list, int(i) + 1, 5).mid(QStringLiteral("0KM+0.0M").size()));
        EXPECT_EQ(lengths, c.lengths) << c.what;
    }
}

TEST(MarkList, FiltersListTheirKindsNumberedFromZero)
{
    const auto sequence = [](int n) { return QString::number(n).rightJustified(4, u'0'); };
    const std::vector<int> kinds = {200, 1, 2, 9, 150, 3, 4, 5, 6, 7, 8, 0, 201, 202};
    std::vector<ReviewMark> marks;
    for (size_t i = 0; i < kinds.size(); ++i)
        marks.push_back(mark(kinds[i], int32_t(i) + 1, 0));
    const RecordingSlot slot = slotWith(marks);
    const std::vector<std::vector<int>> rowsByFilter = {
        {0, 1, 2, 5, 6, 7, 8, 9, 10, 12}, {0, 12}, {2}, {1}, {5, 6}, {7}, {8}, {9}, {10},
    };
    ASSERT_EQ(MarkListFilterCaptions().size(), MarkListFilterCount);
    for (int filter = 0; filter < MarkListFilterCount; ++filter) {
        const MarkList list = BuildMarkList(slot, filter, {});
        EXPECT_EQ(list.ListRowMap, rowsByFilter[size_t(filter)]) << "filter " << filter;
        ASSERT_EQ(list.lines.size(), qsizetype(list.ListRowMap.size()) + 1);
        EXPECT_EQ(list.lines.front(), MarkListHeading);
        for (int row = 1; row < list.lines.size(); ++row) {
            EXPECT_TRUE(list.lines[row].startsWith(sequence(row - 1) + QStringLiteral("   ")))
                << "filter " << filter << ": " << list.lines[row].toStdString();
            EXPECT_EQ(cell(list, row, 1), sequence(row - 1));
        }
    }
    EXPECT_EQ(MarkListFilterCaptions().at(4), "鱼鳞纹");
    EXPECT_EQ(BuildMarkList(slotWith({}), 0, {}).lines, QStringList{MarkListHeading});
}

TEST(MarkList, DeletesOnlyTheOperatorsMarkOfTheCurrentList)
{
    RecordingSlot slot = slotWith({mark(200), mark(1, 10, 0), mark(3, 20, 0), mark(201)});
    MarkList list = BuildMarkList(slot, 0, {});
    for (const int row : {0, 1, 4, 5, -1})
        EXPECT_FALSE(DeleteListedMark(slot, list, row)) << "row " << row;
    EXPECT_EQ(slot.ReviewMarkCount(), 4);

    // Under a filter the rows are those of the filtered list.
    list = BuildMarkList(slot, 4, {});
    EXPECT_TRUE(DeleteListedMark(slot, list, 1));
    ASSERT_EQ(slot.ReviewMarkCount(), 3);
    EXPECT_EQ(slot.ReviewMarks[1].kind, 1);

    // A list built before the marks changed deletes nothing.
    list = BuildMarkList(slot, 0, {});
    slot.ReviewMarks.push_back(mark(2, 30, 0));
    EXPECT_FALSE(DeleteListedMark(slot, list, 2));
    EXPECT_EQ(slot.ReviewMarkCount(), 4);

    list = BuildMarkList(slot, 0, {});
    EXPECT_TRUE(DeleteListedMark(slot, list, 2));
    list = BuildMarkList(slot, 0, {});
    EXPECT_EQ(list.lines.size(), 4);
    EXPECT_TRUE(list.lines[1].contains(QStringLiteral("浏览开始")));
    EXPECT_TRUE(list.lines[2].contains(QStringLiteral("浏览结束")));
    EXPECT_TRUE(list.lines[3].contains(QStringLiteral("怀疑")));
}

TEST(MarkList, DeletingTheLastMarkLeavesTheHeading)
{
    RecordingSlot slot = slotWith({mark(ReviewMarkKind::Watch4, 10, 0)});
    EXPECT_TRUE(DeleteListedMark(slot, BuildMarkList(slot, 0, {}), 1));
    EXPECT_EQ(BuildMarkList(slot, 0, {}).lines, QStringList{MarkListHeading});
}

// A reviewed recording on disk: two mileage posts, then the trailer.
QByteArray recordsOnly()
{
    StreamWriter w;
    for (int post = 0; post < 2; ++post) {
        for (int step = 0; step < 356; ++step)
            w.record(11, 1, 120);
        MileagePacket mileage;
        mileage.mileage = 123450 + 3570u * post;
        w.packet(Code::Mileage, mileage.bytes(), 1);
    }
    return w.bytes();
}

TEST(MarkList, ASavingAfterADeleteWritesTheShorterTrailer)
{
    TestFiles::TestDir dir;
    const QByteArray name = replayerNameBytes(QStringLiteral("Li"));
    const std::vector<ReviewMark> marks = {mark(200), mark(2, 357, 123450), mark(5, 714, 127020), mark(201)};
    const QString path = dir.write(QStringLiteral("QC0001.Li.dat"), recordsOnly() + trailerBytes(name, marks));
    RecordingSlot slot = LoadRecordingFile(path, true, MadeAt);
    ASSERT_TRUE(slot.HasTrailer);
    ASSERT_EQ(slot.ReviewMarkCount(), 4);

    ASSERT_TRUE(DeleteListedMark(slot, BuildMarkList(slot, 2, {}), 1));
    EXPECT_EQ(TestFiles::readBytes(path), recordsOnly() + trailerBytes(name, marks)) << "changed before the saving";
    SaveReviewMarks(slot, {});
    const std::vector<ReviewMark> kept = {marks[0], marks[2], marks[3]};
    EXPECT_EQ(TestFiles::readBytes(path), recordsOnly() + trailerBytes(name, kept));
    EXPECT_EQ(slot.FileName, path);
}

TEST(MarkList, WorkbookHoldsTheListOnItsOwnSheet)
{
    TestFiles::TestDir dir;
    ReviewMark browseEnd = mark(201);
    browseEnd.setViewingMinutes(37);
    RecordingSlot slot = slotWith({mark(200), mark(3, 1000, 123456), mark(4, 3000, 123476), browseEnd});
    slot.ReplayerName = replayerNameBytes(QStringLiteral("李工"));
    const MarkList list = BuildMarkList(slot, 0, {});
    const QString path = dir.path(QStringLiteral("标记.xls"));
    ExportMarkList(path, slot, list);

    XlsxFile book(path);
    ASSERT_TRUE(book.isZip());
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"回访标记", "Sheet1"}));
    const auto tabSelected = [&](int sheet) {
        return book.sheetXml(sheet).child("worksheet").child("sheetViews").child("sheetView").attribute("tabSelected").as_int();
    };
    EXPECT_EQ(tabSelected(1), 1);
    EXPECT_EQ(tabSelected(2), 0);
    const std::vector<std::pair<const char *, std::string>> cells = {
        {"A1", "李工    "},   {"B1", "标记日期 "},          {"C1", "标记时间"},         {"D1", "标记种类 "},
        {"E1", "标记位置"},   {"F1", "工号"},               {"G1", "标记线别"},         {"A2", "0000"},
        {"B2", "2026-12-10  "}, {"C2", "   09:05:07AM   "}, {"D2", "浏览开始"},         {"A3", "0001"},
        {"D3", "鱼鳞纹始点"}, {"E3", "12KM+345.6M"},        {"F3", "  00042  "},        {"G3", "(A1B2),   下行,右股钢轨"},
        {"D4", "鱼鳞纹终点"}, {"E4", "12KM+347.6M(0KM+5.9M)"}, {"D5", "浏览结束 "},     {"E5", "37分钟"},
    };
    for (const auto &[ref, text] : cells)
        EXPECT_EQ(book.cellValue(1, ref), text) << ref;
    for (const char *empty : {"E2", "F2", "G2", "F5", "G5", "A6"})
        EXPECT_FALSE(book.hasCell(1, empty)) << empty;
    // Stored with the padding that makes the spreadsheet show the width asked for.
    for (int column = 2; column <= 7; ++column)
        EXPECT_NEAR(book.columnWidth(1, column), column <= 5 ? 20 : column == 6 ? 10 : 50, 0.75) << "column " << column;
}

TEST(MarkList, AFailedExportWritesNothing)
{
    TestFiles::TestDir dir;
    const RecordingSlot slot = slotWith({mark(1, 10, 0)});
    const QString path = dir.path(QStringLiteral("missing/标记.xls"));
    EXPECT_THROW(ExportMarkList(path, slot, BuildMarkList(slot, 0, {})), OfficeError);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
