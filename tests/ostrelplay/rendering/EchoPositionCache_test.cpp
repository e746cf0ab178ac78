// Remembered echo positions answer exactly as the geometry does.

#include "recording/StdErrors.h"
#include "recording/ChannelGeometry.h"
#include "rendering/EchoPositionCache.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

bool samePos(const TPos &a, const TPos &b)
{
    return a.xs == b.xs && a.ys == b.ys && a.xe == b.xe && a.ye == b.ye;
}

TEST(EchoPositionCache, AgreesWithTheGeometryAsInputsChange)
{
    EchoPositionCache cache;
    // Changing rail type, start point and range between calls must never serve a stale answer.
    for (const float range : {250.0f, 100.0f, 250.0f})
        for (int railType = 0; railType <= 4; ++railType)
            for (const int startPoint : {100, 475, -30})
                for (int ch = -1; ch <= 9; ++ch)
                    for (int data = -3; data < 1100; data += 37) {
                        const TPos expected = ChannelGeometry::echoPosition(ch, railType, data, data + 5, startPoint, range);
                        ASSERT_TRUE(samePos(cache.position(ch, railType, data, data + 5, startPoint, range), expected))
                            << "channel " << ch << " rail type " << railType << " data " << data;
                    }
}

TEST(EchoPositionCache, FailsAsTheGeometryDoes)
{
    EchoPositionCache cache;
    const float huge = std::numeric_limits<float>::max();
    EXPECT_THROW(cache.position(0, 0, 400, 400, 100, huge), StdDataError);
    EXPECT_THROW(cache.position(0, 0, 400, 400, 100, huge), StdDataError);
}

} // namespace
