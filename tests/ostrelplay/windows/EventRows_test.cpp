// The event filter's rows: kinds and their boxes, light flaws grouped into
// heavier classes, mileage texts, and where a double-click goes.

#include "TestStdFixtures.h"

#include "windows/EventRows.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Records = std::map<int, std::vector<TPACKET>>;

// A sub-file of `rows` rows with record packets on the rows named.
SubFileImage subFileWith(int rows, const Records &records)
{
    SubFileImage sub = StdTest::minimalSubFile();
    for (int r = 0; r < rows; ++r) {
        const auto found = records.find(r);
        sub.addRow({}, found == records.end() ? std::vector<TPACKET>{} : found->second);
    }
    return sub;
}

Records lightFlawsAt(std::initializer_list<int> rows)
{
    Records records;
    for (const int r : rows)
        records[r].push_back(makePacket(u'B'));
    return records;
}

EventKindTicks allTicked()
{
    EventKindTicks ticks;
    ticks.fill(true);
    return ticks;
}

struct Shown {
    QString caption, event;
    int position;
    bool operator==(const Shown &) const = default;
};

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << s.caption.toStdString() << ' ' << s.event.toStdString() << " @" << s.position;
}

std::vector<Shown> shown(const std::vector<EventRow> &rows)
{
    std::vector<Shown> result;
    for (const EventRow &row : rows)
        result.push_back({row.caption, row.event, row.position});
    return result;
}

class EventRowsTest : public ::testing::Test {
protected:
    std::vector<EventRow> rowsOf(const std::vector<SubFileImage> &subFiles, const EventKindTicks &ticks)
    {
        file = StdTest::loadStd(dir.write(QStringLiteral("events.std"), StdFileImage{subFiles, std::nullopt}));
        return eventRows(*file, ticks);
    }

    StdTest::StdFileDir dir;
    std::unique_ptr<mystdfile> file;
};

struct GroupingCase {
    const char *name;
    std::vector<int> lightFlaws;
    EventKindTicks ticks;
    std::vector<Shown> expected;
};

EventKindTicks without(std::initializer_list<int> kinds)
{
    EventKindTicks ticks = allTicked();
    for (const int k : kinds)
        ticks[size_t(k)] = false;
    return ticks;
}

class LightFlawGrouping : public EventRowsTest, public ::testing::WithParamInterface<GroupingCase> {};

TEST_P(LightFlawGrouping, GroupsCloseAlarmsThenFiltersTheThreeClasses)
{
    const GroupingCase &c = GetParam();
    Records records;
    for (const int r : c.lightFlaws)
        records[r].push_back(makePacket(u'B'));
    EXPECT_EQ(shown(rowsOf({subFileWith(400, records)}, c.ticks)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LightFlawGrouping,
    ::testing::Values(
        GroupingCase{"threeCloseAreOneHeavy", {100, 120, 140}, allTicked(), {{"1->1", "重伤", 100}}},
        GroupingCase{"twoCloseAndOneApart", {100, 120, 200}, allTicked(),
                     {{"1->1", "轻发伤", 100}, {"1->3", "轻伤", 200}}},
        // 50 rows apart is no longer close.
        GroupingCase{"fiftyApartStaySingle", {100, 150}, allTicked(), {{"1->1", "轻伤", 100}, {"1->2", "轻伤", 150}}},
        GroupingCase{"fourClose", {100, 110, 120, 130}, allTicked(), {{"1->1", "重伤", 100}, {"1->4", "轻伤", 130}}},
        GroupingCase{"singlesUntickedEvenTheLast", {100, 200, 399}, without({LightFlawKind}), {}},
        GroupingCase{"untickedSingleKeepsGroup", {100, 120, 300}, without({LightFlawKind}),
                     {{"1->1", "轻发伤", 100}}},
        GroupingCase{"untickedDouble", {100, 120, 300}, without({DoubleLightFlawKind}), {{"1->3", "轻伤", 300}}},
        GroupingCase{"untickedHeavy", {100, 120, 140, 300}, without({HeavyFlawKind}), {{"1->4", "轻伤", 300}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(EventRowsTest, ListsTickedKindsWithCaptionsCountedPerSubFile)
{
    const Records first{{10, {makePacket(u'A'), makePacket(u'M', 3, 4)}},
                        {20, {makePacket(u'c', 300), makePacket(u'O', 40)}},
                        {30, {makePacket(u'N', 2)}},
                        {40, {makePacket(u'C')}},
                        {50, {makePacket(u'U'), makePacket(u'V')}}};
    const Records second{{5, {makePacket(u'L')}}};
    EventKindTicks ticks = without({2});  // "放过"

    EXPECT_EQ(shown(rowsOf({subFileWith(60, first), subFileWith(60, second)}, ticks)),
              (std::vector<Shown>{{"1->1", "打点", 10},
                                  {"1->2", "增益调整", 20},
                                  {"1->3", "轨型切换", 30},
                                  {"1->4", "操作者", 50},
                                  {"1->5", "里程校正", 50},
                                  {"2->1", "焊筋接头", 5}}));
}

TEST_F(EventRowsTest, MileageIsTheFirstRecordWithinAThousandRows)
{
    Records records = lightFlawsAt({0, 100, 2000});
    records[0].push_back(makePacket(u'M', 9, 9));      // row 0 is never looked at
    records[1100].push_back(makePacket(u'M', 5, 300)); // 1000 rows after row 100
    records[1100].push_back(makePacket(u'M', 5, 301));
    records[3001].push_back(makePacket(u'M', 6, 0));   // 1001 rows after row 2000
    const std::vector<EventRow> rows = rowsOf({subFileWith(3101, records)}, allTicked());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].mileage, QString());
    EXPECT_EQ(rows[1].mileage, QStringLiteral("5km,300m"));
    EXPECT_EQ(rows[2].mileage, QString());

    EXPECT_EQ(eventMileageText(*file, 0, 3050), QString());  // the look-ahead stops at the last row
    EXPECT_EQ(eventMileageText(*file, 5, 100), QString());   // no such sub-file

    // Asked row after row, and again from the start, the reading that goes on from
    // where it stopped gives what each row's own look-ahead gives.
    EventMileage ahead(*file, 0);
    for (const int row : {0, 1, 100, 100, 1099, 1100, 1101, 2000, 2001, 3050, 3100, 50, 1100, 2500})
        EXPECT_EQ(ahead.textFor(row), eventMileageText(*file, 0, row)) << row;
}

TEST(CaptionSubFile, ReadsTheNumberBeforeTheArrow)
{
    EXPECT_EQ(captionSubFile(QStringLiteral("12->3")), 11);
    EXPECT_EQ(captionSubFile(QStringLiteral("1->1")), 0);
    EXPECT_EQ(captionSubFile(QStringLiteral("->3")), -1);
    EXPECT_EQ(captionSubFile(QStringLiteral("x->3")), -1);
    EXPECT_EQ(captionSubFile(QStringLiteral("0->3")), -1);
}

TEST(JumpToRow, SwitchesToTheCaptionsSubFileAndMovesTheBar)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    for (int k = 0; k < 12; ++k)
        image.subFiles.push_back(subFileWith(50 + k, {}));
    const QString path = dir.write(QStringLiteral("twelve.std"), image);
    PlayerSettings settings;
    ReplayLog log;
    Workspace ws(settings, log, [](std::function<void()>) {});
    ASSERT_FALSE(ws.OpenFile(1, path).has_value());
    ASSERT_TRUE(ws.slot(1).Opened);

    EXPECT_TRUE(jumpToRow(ws, 1, captionSubFile(QStringLiteral("12->3")), 40));
    EXPECT_EQ(ws.slot(1).comboIndex, 11);
    EXPECT_EQ(ws.slot(1).Recording->std_CurFile, 11);
    EXPECT_EQ(ws.slot(1).bar.maximum(), 60);
    EXPECT_EQ(ws.slot(1).bar.position(), 40);

    EXPECT_FALSE(jumpToRow(ws, 1, 12, 5));  // no 13th sub-file: nothing moves
    EXPECT_FALSE(jumpToRow(ws, 0, 0, 5));   // an empty slot
    EXPECT_EQ(ws.slot(1).comboIndex, 11);
    EXPECT_EQ(ws.slot(1).bar.position(), 40);
}

} // namespace
