#include "synth/AScanSynth.h"

#include "recording/RecordingLoader.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

using namespace brantview;

namespace {

RecordingSlot load(const QByteArray &bytes)
{
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("AA0001.DAT"), bytes), true,
                             QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
}

TEST(AScanSynth, RecognisedAsAScanRecordWithItsFrames)
{
    for (const int frames : {1, 20, 37}) {
        AScanSynthOptions options;
        options.frames = frames;
        const QByteArray bytes = synthesizeAScan(options);
        ASSERT_EQ(bytes.size(), frames * AScanFrameLength);
        EXPECT_EQ(uint8_t(bytes[0]) & 0xF0, 0x80);
        const RecordingSlot slot = load(bytes);
        EXPECT_TRUE(slot.isAScan());
        EXPECT_EQ(slot.Frames.size(), size_t(frames));
    }
}

TEST(AScanSynth, SameSeedSameBytesOtherSeedOtherBytes)
{
    AScanSynthOptions options;
    options.seed = 11;
    const QByteArray bytes = synthesizeAScan(options);
    EXPECT_EQ(synthesizeAScan(options), bytes);
    options.seed = 12;
    EXPECT_NE(synthesizeAScan(options), bytes);
}

TEST(AScanSynth, FramesHoldPlausibleSettingsAndWaveforms)
{
    const RecordingSlot slot = load(synthesizeAScan({}));
    std::set<int> channels;
    int highPeaks = 0;
    for (const AScanFrame &frame : slot.Frames) {
        channels.insert(frame.channel());
        EXPECT_GE(frame.channel(), 1);
        EXPECT_LE(frame.channel(), 9);
        EXPECT_LT(frame.hour, 24);
        EXPECT_LT(frame.minute, 60);
        EXPECT_GE(frame.month, 1);
        EXPECT_LE(frame.month, 12);
        EXPECT_GE(frame.day, 1);
        EXPECT_LE(frame.day, 31);
        EXPECT_LE(frame.railType(), 3);
        EXPECT_LE(frame.lineKind(), 5);
        EXPECT_GE(frame.attenuation, 20);
        // The initial pulse, then a quiet floor with one or two echoes rising from it.
        EXPECT_GT(frame.samples[0], 200);
        std::array<uint8_t, 240> sorted;
        std::copy(std::begin(frame.samples), std::end(frame.samples), sorted.begin());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_LE(sorted[120], 20);
        const uint8_t echo = *std::max_element(frame.samples + 20, frame.samples + 240);
        EXPECT_GE(echo, 50);
        highPeaks += echo > 160;
    }
    EXPECT_GT(highPeaks, 0);
    EXPECT_GT(channels.size(), 3u);
}

}  // namespace
