// The JPEG encoder: a file others decode to the same picture, at the quality asked
// for (quality 100 gives quantisation tables of ones).

#include "common/Jpeg.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QImage blocks()
{
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, qRgb(200, 30, 30));
    return image;
}

// Every entry of every quantisation table (8-bit precision) in the file.
std::vector<int> quantisationEntries(const QByteArray &jpeg)
{
    std::vector<int> entries;
    for (qsizetype at = 2; at + 4 <= jpeg.size();) {
        if (uchar(jpeg[at]) != 0xFF)
            break;
        const uchar marker = uchar(jpeg[at + 1]);
        const int length = uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]);
        if (marker == 0xDA)  // scan data follows
            break;
        if (marker == 0xDB)
            for (qsizetype t = at + 4; t + 65 <= at + 2 + length; t += 65)
                for (int i = 1; i <= 64; ++i)
                    entries.push_back(uchar(jpeg[t + i]));
        at += 2 + length;
    }
    return entries;
}

TEST(Jpeg, DecodesToThePictureAtTheQualityAsked)
{
    const QImage picture = blocks();
    const QByteArray best = common::jpegBytes(picture, 100);
    ASSERT_TRUE(best.startsWith("\xFF\xD8\xFF"));
    const std::vector<int> tables = quantisationEntries(best);
    ASSERT_EQ(tables.size(), 128u);
    EXPECT_EQ(std::count(tables.begin(), tables.end(), 1), 128);

    const QImage decoded = QImage::fromData(best, "JPEG");
    ASSERT_EQ(decoded.size(), picture.size());
    const QRgb red = decoded.pixel(4, 4), white = decoded.pixel(30, 16);
    EXPECT_NEAR(qRed(red), 200, 6);
    EXPECT_NEAR(qGreen(red), 30, 6);
    EXPECT_NEAR(qGreen(white), 255, 6);

    const std::vector<int> coarse = quantisationEntries(common::jpegBytes(picture, 50));
    ASSERT_EQ(coarse.size(), 128u);
    EXPECT_GT(coarse.front(), 1);
}

TEST(Jpeg, EmptyPictureGivesNoBytes)
{
    EXPECT_TRUE(common::jpegBytes(QImage(), 100).isEmpty());
}

} // namespace
