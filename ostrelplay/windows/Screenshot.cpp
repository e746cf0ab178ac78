#include "Screenshot.h"

#include "recording/StdErrors.h"
#include "recording/StdFormat.h"
#include "recording/StdText.h"
#include "common/AtomicFile.h"
#include "common/CanvasText.h"
#include "common/FileNames.h"
#include "common/Jpeg.h"

#include <QBuffer>
#include <QFileInfo>

namespace {

constexpr int NameCharacters = 39;
constexpr int CaptionHeight = 50;
constexpr int CaptionFontSize = 10;
constexpr int JpegQuality = 100;

QByteArray bitmapBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "BMP") ? bytes : QByteArray();
}

} // namespace

QString exportDefaultName(const mystdfile &file, int row)
{
    return QFileInfo(file.std_FilePath).fileName().left(NameCharacters) + QStringLiteral(" (") + file.GetMileage(row)
        + QLatin1Char(')');
}

QString screenshotCaption(const TSYSTEMPARA &para)
{
    const QString two = QStringLiteral("  ");
    return stdText(para.m_LineNameChar, 10) + two + stdText(para.m_StationNameChar, 10) + two
        + StdFormat::lineTypeName(para.m_LineType) + two + StdFormat::railSideName(para.m_LeftRightLine) + two
        + stdText(para.m_OperatorName, 10);
}

QImage screenshotPicture(const mystdfile &file, const QImage &bscan, int paneWidth, int paneHeight)
{
    QImage picture;
    common::prepareCanvas(picture, paneWidth, paneHeight + CaptionHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, bscan);
    painter.setPen(Qt::black);
    painter.setFont(common::canvasFont(CaptionFontSize));
    common::textOut(painter, 10, paneHeight + 5, screenshotCaption(file.std_systempara));
    common::textOut(painter, 5, paneHeight + 25, file.GetdBPara());
    return picture;
}

QString screenshotPath(const QString &chosenName, ScreenshotFormat format)
{
    return common::withExtension(chosenName,
                                 format == ScreenshotFormat::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".Bmp"));
}

QString saveScreenshot(const QImage &picture, const QString &chosenName, ScreenshotFormat format)
{
    const QString path = screenshotPath(chosenName, format);
    const QByteArray bytes = format == ScreenshotFormat::Jpeg ? common::jpegBytes(picture, JpegQuality) : bitmapBytes(picture);
    if (bytes.isEmpty())
        throw StdFileError(QStringLiteral("无法生成图像：%1").arg(path));
    try {
        common::writeFileAtomically(path, bytes);
    } catch (const common::FileError &e) {
        throw StdFileError(QStringLiteral("无法保存图像 %1：%2").arg(path, e.reason()));
    }
    return path;
}
