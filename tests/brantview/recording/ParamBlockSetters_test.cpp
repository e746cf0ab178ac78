#include "recording/Packets.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(ParamBlock, SettersWriteWhatTheGettersRead)
{
    ParamBlock block;
    block.setFirmwareVersion(720);
    block.setOperatorNumber(40001);
    block.setKilometrePost(1234);
    block.setTrackOrLineNumber(0x0203);
    EXPECT_EQ(block.byte(42), 2);
    EXPECT_EQ(block.byte(43), 208);
    EXPECT_EQ(block.firmwareVersion(), 720);
    EXPECT_EQ(block.operatorNumber(), 40001);
    EXPECT_EQ(block.kilometrePost(), 1234);
    EXPECT_EQ(block.byte(15), 2);
    EXPECT_EQ(block.byte(16), 3);
}

TEST(ParamBlock, LineCodeUnitsKeepTheHandBit)
{
    ParamBlock block;
    block.set(25, 0x80);  // "右手车"
    block.setLineCode({19, 17, 0, 10, 35});
    EXPECT_EQ(block.lineCode(), QStringLiteral("JH0AZ"));
    EXPECT_EQ(block.byte(25), 0x80 | 19);
    // Unit 3 straddles bytes 15 and 16, unit 4 bytes 16 and 44.
    EXPECT_EQ(block.byte(15), 17 << 2);
    EXPECT_EQ(block.byte(16), 10 >> 2);
    EXPECT_EQ(block.byte(44), (10 & 3) << 6 | 35);
}

}  // namespace
