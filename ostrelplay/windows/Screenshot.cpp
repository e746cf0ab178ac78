#include "Screenshot.h"

#include "recording/StdErrors.h"
#include "recording/StdFormat.h"
#include "recording/StdText.h"
#include "common/CanvasText.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

constexpr int NameCharacters = 39;
constexpr int CaptionHeight = 50;
constexpr int CaptionFontSize = 10;
constexpr int JpegQuality = 100;


// libjpeg reports errors through a callback that must not return; jump back out.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors *>(info->err)->jump, 1);
}

// Encodes tightly packed RGB rows; false on an encoder error. Holds no C++ objects,
// so the long jump skips no destructor.
bool encodeJpeg(const unsigned char *rgb, int width, int height, int stride, unsigned char **out,
                unsigned long *size)
{
    jpeg_compress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegErrorExit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, JpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char *>(rgb + size_t(info.next_scanline) * size_t(stride));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

QByteArray jpegBytes(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const bool encoded = encodeJpeg(rgb.constBits(), rgb.width(), rgb.height(), int(rgb.bytesPerLine()), &out, &size);
    QByteArray bytes = encoded ? QByteArray(reinterpret_cast<const char *>(out), qsizetype(size)) : QByteArray();
    std::free(out);
    return bytes;
}

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
    prepareCanvas(picture, paneWidth, paneHeight + CaptionHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, bscan);
    painter.setPen(Qt::black);
    painter.setFont(canvasFont(CaptionFontSize));
    textOut(painter, 10, paneHeight + 5, screenshotCaption(file.std_systempara));
    textOut(painter, 5, paneHeight + 25, file.GetdBPara());
    return picture;
}

QString screenshotPath(const QString &chosenName, ScreenshotFormat format)
{
    return chosenName + (format == ScreenshotFormat::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".Bmp"));
}

QString saveScreenshot(const QImage &picture, const QString &chosenName, ScreenshotFormat format)
{
    const QString path = screenshotPath(chosenName, format);
    const QByteArray bytes = format == ScreenshotFormat::Jpeg ? jpegBytes(picture) : bitmapBytes(picture);
    if (bytes.isEmpty())
        throw StdFileError(QStringLiteral("无法生成图像：%1").arg(path));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw StdFileError(QStringLiteral("无法保存图像 %1：%2").arg(path, out.errorString()));
    return path;
}
