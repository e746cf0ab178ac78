#include "recording/Packets.h"
#include "viewer/ChannelNames.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

QStringList names(const ProbeConfig &config)
{
    QStringList list;
    for (int k = 0; k < ChannelCount; ++k)
        list.append(ChannelName(config, k));
    return list;
}

std::vector<std::optional<int>> ranges(const ProbeConfig &config)
{
    std::vector<std::optional<int>> list;
    for (int k = 0; k < ChannelCount; ++k)
        list.push_back(TraceRange(config, k));
    return list;
}

ProbeConfig older(int probeByte, int channelSet = 0)
{
    ProbeConfig c;
    c.firmwareVersion = 699;
    c.probeByte = probeByte;
    c.channelSet = channelSet;
    return c;
}

TEST(ChannelNames, OlderFirmwareReadsTheProbeByteBitByBit)
{
    struct Case {
        int probe, channelSet;
        QStringList expected;
    };
    const Case cases[] = {
        {0x00, 0, {"1:前70", "2:前70", "3:前37", "4:后37", "5:0", "6:前直70", "1A:后70", "2A:后70", "6A:后直70"}},
        {0x13, 0, {"1:后70", "2:后70", "3:前37", "4:后37", "5:0", "6:后直70", "1A:前70", "2A:前70", "6A:前直70"}},
        {0x24, 7, {"1:前70", "2:前70", "3:前18", "4:后18", "5:0", "6:0", "", "", ""}},
        {0x38, 2, {"1:前70", "2:前70", "3:前70偏10", "4:后70偏10", "5:0", "6:45", "1A:后70", "", "6A:后直70"}},
        {0x4C, 0, {"1:前70", "2:前70", "", "", "5:0", "6:前斜70", "1A:后70", "2A:后70", "6A:后直70"}},
        {0x50, 0, {"1:前70", "2:前70", "3:前37", "4:后37", "5:0", "6:后斜70", "1A:后70", "2A:后70", "6A:后直70"}},
        {0x60, 0, {"1:前70", "2:前70", "3:前37", "4:后37", "5:0", "", "1A:后70", "2A:后70", "6A:后直70"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(names(older(c.probe, c.channelSet)), c.expected) << "probe byte " << c.probe;
}

TEST(ChannelNames, NewerFirmwareReadsTheDirectionAndFittedMasks)
{
    ProbeConfig c;
    c.firmwareVersion = 700;
    c.probeByte = 0x01;                           // channels "3"/"4" 18°
    c.directionMask = (1 << 8) | (1 << 5) | 0x41;  // "6A", "6", "1A", "1" backward
    c.fittedMask = 0x05;                          // "1A", "6A"
    EXPECT_EQ(names(c), (QStringList{"1:后70", "2:前70", "3:前18", "4:后18", "5:0", "6:后直70", "1A:后70", "", "6A:后直70"}));
    c.fittedMask = 0x07;
    c.doubleProbeMode = 2;
    EXPECT_EQ(ChannelName(c, 7), QStringLiteral("2A:双45"));
    c.doubleProbeMode = 1;
    EXPECT_EQ(ChannelName(c, 6), QStringLiteral("1A:双45"));
    c.probeByte = 0x03;
    EXPECT_EQ(ChannelName(c, 2), QString());
}

TEST(ChannelNames, DoubleProbesAreReadOnlyAbove700)
{
    RecordingSlot slot;
    ParamBlock params;
    params.set(19, 0x20);
    params.set(40, 7);
    ParamEntry entry{};
    for (const int firmware : {700, 701}) {
        params.set(42, firmware >> 8);
        params.set(43, firmware & 0xFF);
        for (int k = 1; k <= PacketLength::Param; ++k)
            entry[size_t(k)] = params.byte(k);
        slot.ParamTable = {entry};
        const ProbeConfig config = probeConfigInEffect(slot, 1);
        EXPECT_EQ(config.doubleProbeMode, firmware == 700 ? 1 : 2);
    }
}

TEST(TraceRange, RangesFollowTheRailAndTheProbeKinds)
{
    using R = std::vector<std::optional<int>>;
    const std::nullopt_t none = std::nullopt;
    ProbeConfig c = older(0x00);
    EXPECT_EQ(ranges(c), (R{200, 200, 200, 200, 250, 200, 200, 200, 200}));
    c.railType = 2;
    EXPECT_EQ(ranges(c), (R{250, 250, 250, 250, 250, 250, 250, 250, 250}));
    c = older(0x24);  // 18°, channel "6" at 0°
    EXPECT_EQ(ranges(c), (R{200, 200, 250, 250, 250, 250, 200, 200, 200}));
    c = older(0x38);  // 70° offset by 10, channel "6" at 45°
    EXPECT_EQ(ranges(c), (R{200, 200, 139, 139, 250, 300, 200, 200, 200}));
    c = older(0x6C);  // no kind of "3"/"4", none of "6"
    EXPECT_EQ(ranges(c), (R{200, 200, none, none, 250, none, 200, 200, 200}));

    ProbeConfig newer;
    newer.firmwareVersion = 720;
    newer.probeByte = 0x21;  // 18°, high nibble is the double-probe mode
    newer.railType = 3;
    EXPECT_EQ(ranges(newer), (R{250, 250, 250, 250, 250, 250, 250, 250, 250}));
}

TEST(ChannelNames, AScanFramesUseTheirOwnProbeByteAndRail)
{
    AScanFrame frame;
    frame.probe = 0x01;
    frame.railTypeAndTrackHigh = 1;
    const ProbeConfig c = probeConfigOfFrame(frame);
    EXPECT_EQ(ChannelName(c, 0), QStringLiteral("1:后70"));
    EXPECT_EQ(ChannelName(c, 6), QStringLiteral("1A:前70"));
    EXPECT_EQ(TraceRange(c, 0), 200);
}

} // namespace
