// The mark search: which records each check box finds, the searches in both
// directions from the main window's view, where the view goes, and the counters.

#include "analysis/MarkFind.h"

#include "recording/StreamWriter.h"

#include "StreamTrack.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace brantview;
using streamtest::load;
using streamtest::Records;
using streamtest::Track;

namespace {

MarkFindCriteria marks()
{
    MarkFindCriteria criteria;
    criteria.Check1[0] = true;
    return criteria;
}

constexpr int W = 1000;

} // namespace

TEST(MarkFind, EachBoxFindsTheRecordsOfItsRow)
{
    // Column k + 1 holds the records of case k; the stream ends on a lone code-70 record.
    const std::vector<Records> columns = {
        {{24, 1}}, {{72, 5}}, {{24, 2}}, {{24, 10}}, {{24, 11}}, {{24, 12}}, {{24, 13}}, {{24, 14}},
        {{71, 3}}, {{25, 7}}, {{70, 0x12}, {70, 0x34}}, {{51, 4}}, {{120, 9}}, {{1, 30}, {11, 40}},
    };
    Track track;
    for (size_t k = 0; k < columns.size(); ++k)
        track.at(10 * int(k + 1), columns[k]);
    track.writer().record(Code::SwitchNumber, 0, 9);
    const RecordingSlot slot = load(track);
    ASSERT_EQ(slot.Columns.size(), columns.size() + 1);

    auto with = [](const std::function<void(MarkFindCriteria &)> &set) {
        MarkFindCriteria criteria;
        set(criteria);
        return criteria;
    };
    struct Case {
        const char *name;
        MarkFindCriteria criteria;
        std::vector<int> found;  // columns
    };
    const Case cases[] = {
        {"nothing checked", {}, {}},
        {"Check1(0): marks of kind 1 and code-72 records", marks(), {0, 1}},
        {"Check1(1)", with([](auto &c) { c.Check1[1] = true; }), {2}},
        {"Check1(9)", with([](auto &c) { c.Check1[9] = true; }), {3}},
        {"CheckQX", with([](auto &c) { c.CheckQX = true; }), {4, 5, 6}},
        {"CheckG", with([](auto &c) { c.CheckG = true; }), {8}},
        {"CheckC, no number", with([](auto &c) { c.CheckC = true; }), {9, 10, 14}},
        {"CheckC, code 25's number", with([](auto &c) { c.CheckC = true, c.switchNumber = 7; }), {9}},
        {"CheckC, a code-70 pair's number", with([](auto &c) { c.CheckC = true, c.switchNumber = 0x1234; }), {10}},
        {"CheckC, the lone code 70's byte", with([](auto &c) { c.CheckC = true, c.switchNumber = 9; }), {}},
        {"CheckC, the lone code 70 shifted", with([](auto &c) { c.CheckC = true, c.switchNumber = 9 * 256; }), {}},
        {"CheckdB", with([](auto &c) { c.CheckdB = true; }), {11}},
        {"CheckE: an invalid record", with([](auto &c) { c.CheckE = true; }), {12}},
    };
    for (const Case &c : cases) {
        const MarkMatcher matcher(c.criteria);
        std::vector<int> found;
        for (size_t column = 0; column < slot.Columns.size(); ++column)
            if (matcher.columnMatches(slot, column))
                found.push_back(int(column));
        EXPECT_EQ(found, c.found) << c.name;
    }
    EXPECT_FALSE(MarkFindCriteria{}.anyChecked());
    EXPECT_TRUE(with([](auto &c) { c.CheckE = true; }).anyChecked());
}

TEST(MarkFind, ForwardAndBackwardMoveFromTheView)
{
    Track track;
    track.at(3000, {{24, 1}}).at(3150, {{24, 1}}).at(7000, {{72, 1}}).at(8000, {{24, 1}}).to(20000);
    RecordingSlot slot = load(track);
    ASSERT_EQ(slot.ViewStart, -340);

    // Each hit 300 points from the left edge; the next search goes on from the view's
    // left edge, so the mark at 3150, shown beside the one at 3000, is passed over.
    std::vector<int32_t> forward;
    for (;;) {
        const MarkFindStep step = FindMark(slot, marks(), MarkFindDirection::Forward, W);
        if (step.outcome != MarkFindStep::Outcome::Found) {
            EXPECT_EQ(step.outcome, MarkFindStep::Outcome::End);
            EXPECT_EQ(step.message, QStringLiteral("查找结束"));
            break;
        }
        EXPECT_EQ(slot.Columns[size_t(step.MarkFindColumn)].position, step.viewStart + W - 300);
        forward.push_back(step.viewStart);
        slot.ViewStart = step.viewStart;
    }
    EXPECT_EQ(forward, (std::vector<int32_t>{2300, 6300, 7300}));

    // Backward from the view at 7300 (7300..8300 shown): the mark at 7000 just right
    // of the view comes first, then the one at 3150 (3000 is shown beside it).
    std::vector<int32_t> backward;
    for (;;) {
        const MarkFindStep step = FindMark(slot, marks(), MarkFindDirection::Backward, W);
        if (step.outcome != MarkFindStep::Outcome::Found) {
            EXPECT_EQ(step.message, QStringLiteral("查找结束"));
            break;
        }
        backward.push_back(step.viewStart);
        slot.ViewStart = step.viewStart;
    }
    EXPECT_EQ(backward, (std::vector<int32_t>{6300, 2450}));
}

TEST(MarkFind, WithoutACheckedBoxBothDirectionsSaySo)
{
    Track track;
    track.at(3000, {{24, 1}}).to(6000);
    RecordingSlot slot = load(track);
    slot.ViewStart = 2000;
    for (MarkFindDirection direction : {MarkFindDirection::Forward, MarkFindDirection::Backward}) {
        const MarkFindStep step = FindMark(slot, {}, direction, W);
        EXPECT_EQ(step.outcome, MarkFindStep::Outcome::End);
        EXPECT_EQ(step.message, QStringLiteral("未设置查找条件"));
    }
}

TEST(MarkFind, ForwardEndsAtOnceWhenTheCurrentColumnIsTheLast)
{
    Track track;
    track.at(3000, {{24, 1}}).to(6000);
    RecordingSlot slot = load(track);
    slot.CurrentColumn = int32_t(slot.Columns.size()) - 1;
    const MarkFindStep step = FindMark(slot, marks(), MarkFindDirection::Forward, W);
    EXPECT_EQ(step.outcome, MarkFindStep::Outcome::End);
    EXPECT_EQ(step.message, QStringLiteral("查找结束"));
    EXPECT_EQ(FindMark(slot, {}, MarkFindDirection::Forward, W).message, QStringLiteral("未设置查找条件"));
    // Backward does not look at it.
    slot.ViewStart = 5000;
    EXPECT_EQ(FindMark(slot, marks(), MarkFindDirection::Backward, W).outcome, MarkFindStep::Outcome::Found);
}

TEST(MarkFind, TheViewStopsThreeHundredPointsBeforeTheStart)
{
    struct Case {
        int position;
        int32_t viewStart;
    };
    for (const Case &c : {Case{1000, 300}, Case{401, -299}, Case{400, -300}, Case{200, -300}}) {
        Track track;
        track.at(c.position, {{24, 1}}).to(20000);
        RecordingSlot slot = load(track);
        slot.ViewStart = 15000;
        const MarkFindStep step = FindMark(slot, marks(), MarkFindDirection::Backward, W);
        EXPECT_EQ(step.outcome, MarkFindStep::Outcome::Found) << c.position;
        EXPECT_EQ(step.viewStart, c.viewStart) << c.position;
    }
}

TEST(MarkFind, NothingHappensWithoutColumns)
{
    EXPECT_EQ(FindMark(RecordingSlot{}, marks(), MarkFindDirection::Forward, W).outcome, MarkFindStep::Outcome::Nothing);
    StreamWriter w;
    w.endMarker();
    const RecordingSlot empty = DecodeStreamBytes(w.bytes(), QStringLiteral("QC0001.D01"));
    ASSERT_TRUE(empty.Columns.empty());
    EXPECT_EQ(FindMark(empty, {}, MarkFindDirection::Backward, W).outcome, MarkFindStep::Outcome::Nothing);
}

TEST(MarkFind, SwitchNumberEntries)
{
    const QString notANumber = QStringLiteral("请输入有效数字.");
    const QString tooLarge = QStringLiteral(" 道岔号小于等于9999");
    EXPECT_EQ(SwitchNumberEntryError(QString()), QString());
    EXPECT_EQ(SwitchNumberEntryError(QStringLiteral("9999")), QString());
    EXPECT_EQ(SwitchNumberEntryError(QStringLiteral("10000")), tooLarge);
    EXPECT_EQ(SwitchNumberEntryError(QStringLiteral("-1")), tooLarge);
    EXPECT_EQ(SwitchNumberEntryError(QStringLiteral("C12")), notANumber);
    EXPECT_EQ(SwitchNumberEntryError(QStringLiteral(" ")), notANumber);
    EXPECT_EQ(SwitchNumberOf(QString()), std::nullopt);
    EXPECT_EQ(SwitchNumberOf(QStringLiteral(" 4660 ")), 4660);
}

TEST(MarkFind, CountersShowTheLoadersCounts)
{
    Track track;
    track.at(100, {{24, 1}}).at(200, {{24, 10}}).at(300, {{24, 11}}).at(400, {{25, 1}}).at(500, {{71, 2}});
    track.at(600, {{120, 0}, {24, 99}});
    track.to(690);
    track.writer().packet(Code::Gain, std::vector<uint8_t>(11, 1), 10);
    const RecordingSlot slot = load(track);
    const MarkFindCounts counts = MarkFindCountsOf(slot);
    EXPECT_EQ(counts.LabelCnt[0], QStringLiteral("1"));
    EXPECT_EQ(counts.LabelCnt[1], QStringLiteral("0"));
    EXPECT_EQ(counts.LabelCnt[9], QStringLiteral("1"));
    EXPECT_EQ(counts.LabelCnt[MarkCountIndex::Switch], QStringLiteral("1"));
    EXPECT_EQ(counts.LabelCnt[MarkCountIndex::Track], QStringLiteral("1"));
    EXPECT_EQ(counts.LabelCnt[MarkCountIndex::Error], QStringLiteral("2(%1)").arg(slot.RecordCount));
    EXPECT_EQ(counts.LabelQX, QStringLiteral("1"));
    EXPECT_EQ(counts.LabeldB, QStringLiteral("1"));
}
