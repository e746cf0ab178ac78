// "保存图形": what stands at the chosen name decides the question, and the bitmap
// replaces a file only as a whole.

#include "ResourceLimit.h"
#include "TestFiles.h"

#include "recording/RecordingErrors.h"
#include "viewer/PictureFile.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

QImage testPicture()
{
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 255));
    for (int x = 0; x < 64; ++x)
        picture.setPixel(x, x % 40, qRgb(x * 4, 0, 255 - x * 4));
    return picture;
}

TEST(PictureFile, OnlyANonEmptyFileAsksFirst)
{
    TestFiles::TestDir dir;
    const struct {
        const char *name;
        std::optional<QByteArray> content;
        PictureTarget target;
    } cases[] = {
        {"new.bmp", std::nullopt, PictureTarget::New},
        {"empty.bmp", QByteArray(), PictureTarget::Empty},
        {"old.bmp", QByteArray("BM old picture"), PictureTarget::NonEmpty},
    };
    for (const auto &c : cases) {
        const QString path = c.content ? dir.write(c.name, *c.content) : dir.path(c.name);
        EXPECT_EQ(PictureTargetOf(path), c.target) << c.name;
    }
}

TEST(PictureFile, TheBitmapReadsBackAsThePicture)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("view.bmp", QByteArray("an older picture"));
    SavePicture(path, testPicture());
    const QImage read(path, "BMP");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), testPicture());
}

TEST(PictureFile, AFailedWriteLeavesTheOldFile)
{
    TestFiles::TestDir dir;
    const QByteArray old("an older picture");
    const QString path = dir.write("view.bmp", old);
    try {
        const TestFiles::ResourceLimit limit(RLIMIT_FSIZE, 512);
        ASSERT_TRUE(limit.set());
        SavePicture(path, testPicture());  // about 7.7 kB
        ADD_FAILURE() << "written past the size limit";
    } catch (const BrantFileError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    EXPECT_EQ(TestFiles::readBytes(path), old);
}

} // namespace
