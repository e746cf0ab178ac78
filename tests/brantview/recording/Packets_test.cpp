#include "recording/Packets.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(ParamBlock, LineCodeUnitsAreCutFromTheBitsAsStored)
{
    ParamBlock block;
    block.set(25, 0xC1);  // unit 1 = 1; bits 6 and 7 are no part of it
    block.set(15, 0x2B);  // 001010 11: unit 2 = 10, and the top bits of unit 3
    block.set(16, 0x5F);  // 0101 1111
    block.set(44, 0xE4);  // 11 100100
    // Unit 3 = 11 0101 = 53, unit 4 = 1111 11 = 63, unit 5 = 100100 = 36.
    EXPECT_EQ(block.lineCode(), QString(QChar('1')) + QChar('A') + QChar(55 + 53) + QChar(55 + 63) + QChar('['));
}

TEST(ParamBlock, TheWheelValueCalibratesTheStep)
{
    struct Case {
        int firmware, wheel;
        double stepMm;
    };
    for (const Case c : {Case{650, 80, 2.94}, Case{700, 80, 2.94}, Case{700, 90, 2.9694}, Case{701, 127, 2.94},
                         Case{720, 117, 2.9106}}) {
        ParamBlock block;
        block.setFirmwareVersion(c.firmware);
        block.set(39, c.wheel);
        EXPECT_NEAR(block.stepLengthMm(), c.stepMm, 1e-12) << c.firmware << " " << c.wheel;
        EXPECT_NEAR(block.sampleSpacingM(), 357 * c.stepMm / 1000, 1e-12);
    }
}

TEST(Packets, BytesAndFieldsRoundTrip)
{
    MileagePacket mileage;
    mileage.speed = 85;
    mileage.channelFlags = 0x1A5;
    mileage.hour = 23;
    mileage.minute = 59;
    mileage.second = 58;
    mileage.mileage = 0xFEDCBA98;
    const auto bytes = mileage.bytes();
    EXPECT_EQ(bytes[0], 85 | 0x80);
    EXPECT_EQ(bytes[5], 0x98);
    const MileagePacket back = MileagePacket::parse(bytes);
    EXPECT_EQ(back.channelFlags, 0x1A5);
    EXPECT_EQ(back.mileage, 0xFEDCBA98u);
    EXPECT_EQ(back.hour * 3600 + back.minute * 60 + back.second, 23 * 3600 + 59 * 60 + 58);

    const GpsPacket gps{0xFFFFFF, 0};
    EXPECT_EQ(GpsPacket::parse(gps.bytes()).longitude, 0xFFFFFFu);
    EXPECT_EQ(gps.x(), 14304388);  // 167°77.215' read as the instrument writes it
}

} // namespace
