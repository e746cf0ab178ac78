// The screenshot export: the proposed name, the picture with its caption lines
// below the B-scan, and the JPEG and bitmap files under their extended names.

#include "TestStdFixtures.h"

#include "recording/StdErrors.h"
#include "recording/StdText.h"
#include "windows/Screenshot.h"
#include "windows/WordReport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int PaneWidth = 320;
constexpr int PaneHeight = 120;
const QColor BScanColour(200, 30, 40);

std::unique_ptr<mystdfile> recording(const StdTest::StdFileDir &dir, const QString &name)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_StartPointKm = 12;
    sub.para.m_StartPointM = 345;
    sub.para.m_Direction = 0;
    sub.para.m_LineType = 1;
    sub.para.m_LeftRightLine = 0;
    setStdText(sub.para.m_LineNameChar, 10, QStringLiteral("京广线"));
    setStdText(sub.para.m_StationNameChar, 10, QStringLiteral("长沙"));
    setStdText(sub.para.m_OperatorName, 10, QStringLiteral("张三"));
    for (int r = 0; r < 20; ++r)
        sub.addRow({});
    return StdTest::loadStd(dir.write(name, StdFileImage{{sub}, std::nullopt}));
}

// The slot's B-scan picture, one colour.
QImage bscanPicture()
{
    QImage image(PaneWidth, PaneHeight, QImage::Format_RGB32);
    image.fill(BScanColour);
    return image;
}

// Leftmost column holding a dark pixel within rows [top, bottom); nullopt when none.
std::optional<int> leftmostInk(const QImage &image, int top, int bottom)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return std::nullopt;
}

TEST(ScreenshotName, DefaultNameCutsTheFileNameTo39CharactersAndAddsTheMileage)
{
    StdTest::StdFileDir dir;
    const QString longName = QStringLiteral("K0123456789_京广线_上行_左股_2026年12月10日_检测数据.std");
    ASSERT_GT(longName.size(), 39);
    const auto file = recording(dir, longName);
    EXPECT_EQ(exportDefaultName(*file, 0), longName.left(39) + QStringLiteral(" (12Km+345m)"));
    const auto shortFile = recording(dir, QStringLiteral("a.std"));
    EXPECT_EQ(exportDefaultName(*shortFile, 0), QStringLiteral("a.std (12Km+345m)"));
}

// The type's extension once: added when missing, kept when the name has it in
// any case; a dot inside the default name is no extension.
TEST(ExportNames, TheTypesExtensionIsAddedOnce)
{
    const struct {
        QString chosen, jpeg, bitmap, report;
    } cases[] = {
        {"/tmp/shot", "/tmp/shot.jpg", "/tmp/shot.Bmp", "/tmp/shot.doc"},
        {"A.std (844Km+50m)", "A.std (844Km+50m).jpg", "A.std (844Km+50m).Bmp", "A.std (844Km+50m).doc"},
        {"shot.jpg", "shot.jpg", "shot.jpg.Bmp", "shot.jpg.doc"},
        {"A.JPG", "A.JPG", "A.JPG.Bmp", "A.JPG.doc"},
        {"A.BMP", "A.BMP.jpg", "A.BMP", "A.BMP.doc"},
        {"报告.DOC", "报告.DOC.jpg", "报告.DOC.Bmp", "报告.DOC"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(screenshotPath(c.chosen, ScreenshotFormat::Jpeg), c.jpeg);
        EXPECT_EQ(screenshotPath(c.chosen, ScreenshotFormat::Bitmap), c.bitmap);
        EXPECT_EQ(reportPath(c.chosen), c.report);
    }
}

TEST(ScreenshotPicture, IsFiftyPixelsHigherWithTheCaptionLinesBelowTheBScan)
{
    StdTest::StdFileDir dir;
    const auto file = recording(dir, QStringLiteral("a.std"));
    EXPECT_EQ(screenshotCaption(file->std_systempara), QStringLiteral("京广线  长沙  下行  左股  张三"));

    const QImage picture = screenshotPicture(*file, bscanPicture(), PaneWidth, PaneHeight);
    ASSERT_EQ(picture.size(), QSize(PaneWidth, PaneHeight + 50));
    EXPECT_EQ(picture.pixelColor(0, 0), BScanColour);
    EXPECT_EQ(picture.pixelColor(PaneWidth - 1, PaneHeight - 1), BScanColour);
    // Caption at (10, h + 5), gain text at (5, h + 25), on white; the gain text opens
    // with a space and a full-width bracket, so its ink starts further right.
    const auto first = leftmostInk(picture, PaneHeight + 5, PaneHeight + 24);
    const auto second = leftmostInk(picture, PaneHeight + 25, PaneHeight + 45);
    ASSERT_TRUE(first && second);
    EXPECT_GE(*first, 10);
    EXPECT_LE(*first, 13);
    EXPECT_GE(*second, 5);
    EXPECT_LE(*second, 20);
    EXPECT_FALSE(leftmostInk(picture, PaneHeight, PaneHeight + 4));
    EXPECT_EQ(picture.pixelColor(0, PaneHeight + 49), QColor(Qt::white));
}

TEST(ScreenshotSave, JpegAndBitmapDecodeToThePicture)
{
    StdTest::StdFileDir dir;
    const auto file = recording(dir, QStringLiteral("a.std"));
    const QImage picture = screenshotPicture(*file, bscanPicture(), PaneWidth, PaneHeight);

    const QString jpeg = saveScreenshot(picture, dir.path(QStringLiteral("shot")), ScreenshotFormat::Jpeg);
    EXPECT_EQ(jpeg, dir.path(QStringLiteral("shot.jpg")));
    EXPECT_TRUE(StdTest::readBytes(jpeg).startsWith("\xFF\xD8\xFF"));
    const QImage decoded(jpeg, "JPEG");
    ASSERT_EQ(decoded.size(), picture.size());
    // Quality 100 keeps a flat colour within a step or two.
    const QColor middle = decoded.pixelColor(PaneWidth / 2, PaneHeight / 2);
    EXPECT_NEAR(middle.red(), BScanColour.red(), 3);
    EXPECT_NEAR(middle.green(), BScanColour.green(), 3);
    EXPECT_NEAR(middle.blue(), BScanColour.blue(), 3);

    const QString bitmap = saveScreenshot(picture, dir.path(QStringLiteral("shot")), ScreenshotFormat::Bitmap);
    EXPECT_EQ(bitmap, dir.path(QStringLiteral("shot.Bmp")));
    EXPECT_TRUE(StdTest::readBytes(bitmap).startsWith("BM"));
    EXPECT_EQ(QImage(bitmap, "BMP").convertToFormat(QImage::Format_RGB32), picture);
}

TEST(ScreenshotSave, UnwritableFolderThrowsAndLeavesNoFile)
{
    StdTest::StdFileDir dir;
    const QString chosen = dir.path(QStringLiteral("missing/shot"));
    EXPECT_THROW(saveScreenshot(QImage(4, 4, QImage::Format_RGB32), chosen, ScreenshotFormat::Jpeg), StdFileError);
    EXPECT_FALSE(QFile::exists(chosen + QStringLiteral(".jpg")));
}

} // namespace
