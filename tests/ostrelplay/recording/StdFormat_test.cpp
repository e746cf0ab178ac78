// Version number, reserved bytes and the bounds of a row's packets.

#include "TestStdFixtures.h"

#include "recording/StdFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct VersionCase {
    std::u16string units;  // raw m_Version units; may hold a zero before the end
    int number;
    bool reservedBytes;
};

void PrintTo(const VersionCase &c, std::ostream *os)
{
    *os << '"' << QString::fromStdU16String(c.units).toStdString() << '"';
}

class VersionRule : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionRule, GivesNumberAndReservedBytes)
{
    const VersionCase &c = GetParam();
    TSYSTEMPARA para = StdTest::minimalPara(QString());
    std::copy(c.units.begin(), c.units.end(), para.m_Version);
    EXPECT_EQ(StdFormat::versionNumber(para), c.number);
    EXPECT_EQ(StdFormat::hasReservedBytes(para), c.reservedBytes);
}

INSTANTIATE_TEST_SUITE_P(
    VersionTexts, VersionRule,
    testing::Values(VersionCase{u"1.6.X", 160, false}, VersionCase{u"1.6.Xb", 160, false},
                    VersionCase{u"1.6.2", 160, true}, VersionCase{u"1.7.X", 170, true},
                    VersionCase{u"2.0", 200, true}, VersionCase{u"1x6", 160, true},
                    VersionCase{u"1.5.3", 150, false}, VersionCase{u"1.3.0", 130, false},
                    VersionCase{u"A.B", 170, true}, VersionCase{u"1.A", 170, true},
                    VersionCase{u"1", 170, true}, VersionCase{u"", 170, true},
                    // the text ends at the first zero unit, whatever follows it
                    VersionCase{std::u16string{u'1', u'\0', u'3'}, 170, true},
                    // all 20 units used, no zero unit
                    VersionCase{u"1.5.0-abcdefghijklmn", 150, false}));

struct RowCase {
    const char *name;
    std::vector<TPACKET> packets;
    int64_t head;
    StdFormat::RowPackets expected;
};

void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << c.name;
}

class RowPacketsBounds : public testing::TestWithParam<RowCase> {};

TEST_P(RowPacketsBounds, StayInsideThePacketArray)
{
    const RowCase &c = GetParam();
    const StdFormat::RowPackets row = StdFormat::rowPackets(c.packets, c.head);
    EXPECT_EQ(row.head, c.expected.head);
    EXPECT_EQ(row.valid(), c.expected.head >= 0);
    if (!row.valid())
        return;
    EXPECT_EQ(row.echoBegin, c.expected.echoBegin);
    EXPECT_EQ(row.echoEnd, c.expected.echoEnd);
    EXPECT_EQ(row.recordBegin, c.expected.recordBegin);
    EXPECT_EQ(row.recordEnd, c.expected.recordEnd);
    const auto size = static_cast<int64_t>(c.packets.size());
    EXPECT_LE(row.echoBegin, row.echoEnd);
    EXPECT_LE(row.recordBegin, row.recordEnd);
    EXPECT_LE(row.recordEnd, size);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowPacketsBounds,
    testing::Values(
        RowCase{"counts_fit",
                {makePacket(u'@', 2, 1), makePacket(u'0'), makePacket(u'1'), makePacket(u'M', 3, 4)},
                0,
                {0, 1, 3, 3, 4}},
        RowCase{"second_row",
                {makePacket(u'@', 0, 0), makePacket(u'#', 1, 0), makePacket(u'3'), makePacket(u'@')},
                1,
                {1, 2, 3, 3, 3}},
        RowCase{"records_beyond_array",
                {makePacket(u'@', 1, 4), makePacket(u'0'), makePacket(u'M')},
                0,
                {0, 1, 2, 2, 3}},
        RowCase{"echoes_beyond_array", {makePacket(u'@', 3, 4), makePacket(u'0'), makePacket(u'M')}, 0, {0, 1, 3, 3, 3}},
        RowCase{"head_is_last_packet", {makePacket(u'@'), makePacket(u'@', 5, 5)}, 1, {1, 2, 2, 2, 2}},
        RowCase{"negative_counts_name_nothing",
                {makePacket(u'@', -3, -2), makePacket(u'0'), makePacket(u'M')},
                0,
                {0, 1, 1, 1, 1}},
        RowCase{"head_past_end", {makePacket(u'@'), makePacket(u'0')}, 2, {}},
        RowCase{"negative_head", {makePacket(u'@'), makePacket(u'0')}, -1, {}},
        RowCase{"empty_array", {}, 0, {}}),
    [](const testing::TestParamInfo<RowCase> &info) { return std::string(info.param.name); });

TEST(RailRow, ClampsToTheStoredRailTypes)
{
    const std::vector<std::pair<int, int>> cases{{0, 0}, {1, 1}, {3, 3}, {4, 3}, {-1, 0}, {127, 3}};
    for (const auto &[railType, row] : cases)
        EXPECT_EQ(StdFormat::railRow(railType), row) << "rail type " << railType;
}

} // namespace
