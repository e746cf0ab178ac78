#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace common {

namespace {

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
bool encodeJpeg(const unsigned char *rgb, int width, int height, int stride, int quality, unsigned char **out,
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
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char *>(rgb + size_t(info.next_scanline) * size_t(stride));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray jpegBytes(const QImage &image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const bool encoded =
        encodeJpeg(rgb.constBits(), rgb.width(), rgb.height(), int(rgb.bytesPerLine()), quality, &out, &size);
    QByteArray bytes = encoded ? QByteArray(reinterpret_cast<const char *>(out), qsizetype(size)) : QByteArray();
    std::free(out);
    return bytes;
}

} // namespace common
