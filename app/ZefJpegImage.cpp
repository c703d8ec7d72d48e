// Decoding through libjpeg. libjpeg reports a fatal error by calling error_exit, which by default ends the
// process; here it jumps back to the decoder, which gives up on the picture.
#include "ZefJpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->back, 1);
}

void Silent(j_common_ptr) {}

// Limits the picture to a size an about box can show, so that a hostile header cannot ask for gigabytes.
constexpr JDIMENSION MaxSide = 4096;

} // namespace

QImage ZefDecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QImage();
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpBack;
    error.manager.output_message = Silent;
    // Nothing with a destructor lives between setjmp and the calls that may jump back to it; the one pointer
    // set after setjmp is volatile so that its value survives the jump.
    QImage* volatile image = nullptr;
    if (setjmp(error.back)) {
        delete image;
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > MaxSide || info.image_height > MaxSide) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
    if (image->isNull())
        std::longjmp(error.back, 1);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = *image;
    delete image;
    return result;
}
