// Number texts: the shortest digits of a single-precision value, Delphi-style zero
// padding, and the pictures the instruments' texts are written with.

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

TEST(NumberFormat, NumberPictures)
{
    const struct {
        double value;
        const char *pattern;
        const char *text;
    } cases[] = {
        {12345.6, "###0KM+##0.0M", "12KM+345.6M"},
        {5.6, "###0KM+##0.0M", "0KM+5.6M"},
        {123456789.0, "###0KM+##0.0M", "123456KM+789.0M"},
        {1234.5678, "###0+##0.###", "1+234.568"},
        {1234.5, "###0+##0.###", "1+234.5"},
        {1234.0, "###0+##0.###", "1+234."},
        {7, "00", "07"},
        {123, "00", "123"},
        {7, "0000", "0007"},
        {12.34, "##.0", "12.3"},
        {0.25, "##.0", ".3"},
        {-3.5, "###.00", "-3.50"},
        {2.5, "0", "3"},
        {2.96, "0.0km/h", "3.0km/h"},
        {116.5, "#0.000000##°", "116.500000°"},
        {116.123456789, "#0.000000##°", "116.12345679°"},
        {1.0, "#0.00", "1.00"},
        {5, "\\#0\"#\"", "#5#"},
        // Thousands separators between digit places, and percentages.
        {123456.7, "###0,000.0", "123,456.7"},
        {1234567.89, "###0,000.0", "1,234,567.9"},
        {5.5, "###0,000.0", "0,005.5"},
        {-12345, "#,##0", "-12,345"},
        {12, "0\\,000", "0,012"},
        {12, "0\",\"000", "0,012"},
        {7, "0,", "7,"},
        {0.12346, "#0.00%", "12.35%"},
        {1.0, "#0.00%", "100.00%"},
        {0.5, "0\\%", "1%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(common::formatPattern(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.text))
            << c.value << " " << c.pattern;
}

TEST(NumberFormat, DateTimePictures)
{
    const QDateTime afternoon(QDate(2026, 3, 7), QTime(15, 4, 9));
    const QDateTime midnight(QDate(2009, 11, 23), QTime(0, 30, 0));
    const struct {
        QDateTime at;
        const char *pattern;
        const char *text;
    } cases[] = {
        {afternoon, "yyyy年m月d日", "2026年3月7日"},
        {afternoon, "(yyyy-MM-dd", "(2026-03-07"},
        {afternoon, " h:m:sAM/PM)", " 3:4:9PM)"},
        {midnight, "  h:m:sAM/PM  ", "  12:30:0AM  "},
        {midnight, "yy/m/d,", "09/11/23,"},
        {midnight, "hh:nn:ss", "00:30:00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(common::formatDateTimePattern(c.at, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.text))
            << c.pattern;
}

} // namespace
