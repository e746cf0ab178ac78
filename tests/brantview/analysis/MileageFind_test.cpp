// The mileage search: what the text boxes accept, and successive searches over the
// mileage samples of a recording built in code.

#include "analysis/MileageFind.h"

#include "recording/Packets.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brantview;

namespace {

// One mileage sample every 100 Steps: sample k at position 100 × (k + 1).
RecordingSlot withMileages(const std::vector<uint32_t> &mileages)
{
    StreamWriter w;
    for (uint32_t mileage : mileages) {
        MileagePacket packet;
        packet.mileage = mileage;
        w.record(0, 50, 0);
        w.packet(Code::Mileage, packet.bytes(), 50);
    }
    return DecodeStreamBytes(w.bytes(), QStringLiteral("QC0001.D01"));
}

using Outcome = MileageFindStep::Outcome;

} // namespace

TEST(MileageFind, EntriesAreNumbersWithinTheirRanges)
{
    const QString notANumber = QStringLiteral("请输入有效数字.");
    const QString km = QStringLiteral(" 公里数必须小于等于2500");
    const QString m = QStringLiteral(" 米数必须小于1000");
    struct Case {
        const char16_t *text;
        QString kmError;
        QString mError;
    };
    const Case cases[] = {
        {u"12", {}, {}},
        {u" 12 ", {}, {}},
        {u"+1.5", {}, {}},
        {u"0", {}, {}},
        {u"999", {}, {}},
        {u"998.6", {}, {}},
        {u"999.4", {}, m},
        {u"1000", {}, m},
        {u"1e3", {}, m},
        {u"2500", {}, m},
        {u"2500.5", km, m},
        {u"-1", km, m},
        {u"-0.1", km, m},
        {u"", notANumber, notANumber},
        {u" ", notANumber, notANumber},
        {u"abc", notANumber, notANumber},
        {u"12a", notANumber, notANumber},
        {u"1,5", notANumber, notANumber},
        {u"inf", notANumber, notANumber},
        {u"１２", notANumber, notANumber},
        {u"1e999", notANumber, notANumber},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(KilometresEntryError(text), c.kmError) << text.toStdString();
        EXPECT_EQ(MetresEntryError(text), c.mError) << text.toStdString();
    }
    // Whole numbers by rounding, halves to even.
    EXPECT_EQ(MileageEntryValue(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(MileageEntryValue(QStringLiteral("12.5")), 12);
    EXPECT_EQ(MileageEntryValue(QStringLiteral("13.5")), 14);
    EXPECT_EQ(MileageEntryValue(QStringLiteral("999.4")), 999);
    EXPECT_EQ(MileageTarget(12, 345), 123450);
    EXPECT_EQ(MileageTarget(2500, 999), 25009990);
}

TEST(MileageFind, RepeatedSearchesFindEveryPassAndThenStartAgain)
{
    // The line passes 12 km + 345 m rising (samples 1, 2), then falling (4, 5).
    const RecordingSlot slot = withMileages({123000, 123440, 123460, 123470, 123460, 123440, 123000});
    const int64_t target = MileageTarget(12, 345);

    const MileageFindStep rising = FindMileage(slot, target, 0);
    EXPECT_EQ(rising.outcome, Outcome::Found);
    EXPECT_EQ(rising.viewStart, 200 - 200);
    EXPECT_EQ(rising.cursor, 2);

    const MileageFindStep falling = FindMileage(slot, target, rising.cursor);
    EXPECT_EQ(falling.outcome, Outcome::Found);
    EXPECT_EQ(falling.viewStart, 500 - 200);
    EXPECT_EQ(falling.cursor, 5);

    const MileageFindStep end = FindMileage(slot, target, falling.cursor);
    EXPECT_EQ(end.outcome, Outcome::End);
    EXPECT_EQ(end.cursor, 0);
    EXPECT_EQ(MileageFindEndMessage(), QStringLiteral(" 查找结束"));

    EXPECT_EQ(FindMileage(slot, target, end.cursor).viewStart, rising.viewStart);
    // A cursor left from a longer recording ends at once and starts again.
    EXPECT_EQ(FindMileage(slot, target, 40).outcome, Outcome::End);
    // A mileage the recording never reaches.
    EXPECT_EQ(FindMileage(slot, MileageTarget(13, 0), 0).outcome, Outcome::End);
}

TEST(MileageFind, ASampleEqualToTheTargetIsFoundByBothItsPairs)
{
    const RecordingSlot slot = withMileages({1000, 2000, 3000});
    const MileageFindStep first = FindMileage(slot, 2000, 0);
    EXPECT_EQ(first.outcome, Outcome::Found);
    EXPECT_EQ(first.viewStart, 100 - 200);  // the pair (0, 1) that ends at the sample
    const MileageFindStep second = FindMileage(slot, 2000, first.cursor);
    EXPECT_EQ(second.outcome, Outcome::Found);
    EXPECT_EQ(second.viewStart, 200 - 200);
    EXPECT_EQ(FindMileage(slot, 2000, second.cursor).outcome, Outcome::End);
}

TEST(MileageFind, TwoSamplesOrFewerLeaveEverythingAsItIs)
{
    for (const std::vector<uint32_t> &mileages :
         {std::vector<uint32_t>{}, std::vector<uint32_t>{2000}, std::vector<uint32_t>{1000, 3000}}) {
        const MileageFindStep step = FindMileage(withMileages(mileages), 2000, 1);
        EXPECT_EQ(step.outcome, Outcome::Nothing);
        EXPECT_EQ(step.cursor, 1);
    }
}
