// Windows bitmaps: 24 bits a pixel whatever the picture's format, the pixels kept.

#include "TestFiles.h"

#include "common/BitmapFile.h"
#include "common/FileError.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

uint16_t bitsPerPixel(const QByteArray &bitmap)
{
    // BITMAPFILEHEADER (14 bytes), then BITMAPINFOHEADER: biBitCount at offset 14 + 14.
    return uint16_t(uint8_t(bitmap[28]) | uint8_t(bitmap[29]) << 8);
}

TEST(BitmapFile, PicturesOfAnyFormatBecome24BitBitmaps)
{
    QImage picture(13, 7, QImage::Format_ARGB32);  // an odd width: rows are padded
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            picture.setPixel(x, y, qRgba(x * 19, y * 36, 200, 255));
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8}) {
        const QImage given = picture.convertToFormat(format);
        const QByteArray bytes = common::bitmapBytes(given);
        ASSERT_TRUE(bytes.startsWith("BM")) << format;
        EXPECT_EQ(bitsPerPixel(bytes), 24) << format;
        const QImage read = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), given.convertToFormat(QImage::Format_RGB32)) << format;
    }
    EXPECT_TRUE(common::bitmapBytes(QImage()).isEmpty());
}

TEST(BitmapFile, APictureThatCannotBeEncodedLeavesTheFile)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("old.bmp", QByteArray("old"));
    EXPECT_THROW(common::writeBitmapFile(path, QImage()), common::FileError);
    EXPECT_EQ(TestFiles::readBytes(path), QByteArray("old"));
}

} // namespace
