// Number texts: the shortest digits of a single-precision value, and Delphi-style
// zero padding.

#include "TestFiles.h"

#include "common/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberFormat, FloatsWithTheShortestDigits)
{
    const struct {
        float value;
        const char *text;
    } cases[] = {
        {45.5f, "45.5"}, {40.0f, "40"}, {5.3f, "5.3"}, {0.1f, "0.1"}, {-0.0f, "0"}, {-12.25f, "-12.25"},
        {0.0001f, "0.0001"}, {0.00001f, "1e-05"}, {1e15f, "1e+15"}, {123456789.0f, "123456792"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(common::formatFloat(c.value), QLatin1String(c.text)) << c.text;
}

TEST(NumberFormat, ZeroPaddedToTheWidth)
{
    EXPECT_EQ(common::zeroPadded(93005, 6), QStringLiteral("093005"));
    EXPECT_EQ(common::zeroPadded(7, 2), QStringLiteral("07"));
    EXPECT_EQ(common::zeroPadded(20170524, 8), QStringLiteral("20170524"));
    EXPECT_EQ(common::zeroPadded(12345, 3), QStringLiteral("12345"));
    // The sign is padded like the digits, as the original formatting does.
    EXPECT_EQ(common::zeroPadded(-5, 4), QStringLiteral("00-5"));
}

} // namespace
