#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace mm {

namespace {

// A backstop for what libjpeg itself may take (progressive images keep every coefficient).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

// Everything libjpeg's callbacks need. Plain data only: it lives in DecodeJpeg's frame and the
// decoder's frames between setjmp and longjmp hold no object with a destructor, so leaving a
// failed decode by longjmp skips none. libjpeg is C, so an exception must not cross it.
struct TDecoder {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    QImage* image;
};

TDecoder& DecoderOf(j_common_ptr info) {
    return *static_cast<TDecoder*>(info->client_data);
}

[[noreturn]] void FailWith(j_common_ptr info, const char* text) {
    TDecoder& decoder = DecoderOf(info);
    std::snprintf(decoder.message, sizeof decoder.message, "%s", text);
    std::longjmp(decoder.jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
    TDecoder& decoder = DecoderOf(info);
    (*info->err->format_message)(info, decoder.message);
    std::longjmp(decoder.jump, 1);
}

// A warning means damaged data (a truncated file among them): refused like an error.
void EmitMessage(j_common_ptr info, int level) {
    if (level < 0)
        ErrorExit(info);
}

void MonitorProgress(j_common_ptr info) {
    if (DecoderOf(info).info.input_scan_number > kMaxJpegScans)
        FailWith(info, "JPEG image has too many scans");
}

J_COLOR_SPACE OutputSpace(J_COLOR_SPACE stored) {
    switch (stored) {
    case JCS_GRAYSCALE:
        return JCS_GRAYSCALE;
    case JCS_CMYK:
    case JCS_YCCK:
        return JCS_CMYK;
    default:
        return JCS_RGB;
    }
}

struct TLayout {
    QImage::Format format;
    int components;
};

TLayout LayoutFor(J_COLOR_SPACE output) {
    switch (output) {
    case JCS_GRAYSCALE:
        return {QImage::Format_Grayscale8, 1};
    case JCS_CMYK:
        return {QImage::Format_RGB32, 4};
    default:
        return {QImage::Format_RGB888, 3};
    }
}

bool AllocateImage(QImage* image, JDIMENSION width, JDIMENSION height, QImage::Format format) {
    *image = QImage(static_cast<int>(width), static_cast<int>(height), format);
    return !image->isNull();
}

// The one setjmp; libjpeg's error handler jumps back here.
bool RunDecoder(TDecoder& decoder, const unsigned char* data, size_t size) {
    j_decompress_ptr info = &decoder.info;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(info);
    if (setjmp(decoder.jump)) {
        jpeg_destroy_decompress(info);
        return false;
    }
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxDecoderMemory;
    info->progress = &decoder.progress;
    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    jpeg_read_header(info, TRUE);
    if (int64_t{info->image_width} * info->image_height > kMaxJpegPixels)
        FailWith(common, "JPEG image is too large");
    info->out_color_space = OutputSpace(info->jpeg_color_space);
    jpeg_start_decompress(info);
    const TLayout layout = LayoutFor(info->out_color_space);
    if (info->output_components != layout.components)
        FailWith(common, "Unsupported JPEG color space");
    if (!AllocateImage(decoder.image, info->output_width, info->output_height, layout.format))
        FailWith(common, "Insufficient memory for the JPEG image");
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = decoder.image->scanLine(static_cast<int>(info->output_scanline));
        if (jpeg_read_scanlines(info, &row, 1) != 1)
            FailWith(common, "Premature end of JPEG data");
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return true;
}

// Adobe stores CMYK inverted (255 = no ink), so each channel times K gives the colour.
void ConvertInvertedCmyk(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += 4) {
            const int k = pixel[3];
            const QRgb rgb = qRgb(pixel[0] * k / 255, pixel[1] * k / 255, pixel[2] * k / 255);
            reinterpret_cast<QRgb*>(pixel)[0] = rgb;
        }
    }
}

} // namespace

QImage DecodeJpeg(const void* data, size_t size) {
    QImage image;
    TDecoder decoder{};
    decoder.image = &image;
    decoder.info.err = jpeg_std_error(&decoder.errors);
    decoder.errors.error_exit = ErrorExit;
    decoder.errors.emit_message = EmitMessage;
    decoder.progress.progress_monitor = MonitorProgress;
    decoder.info.client_data = &decoder;
    if (!RunDecoder(decoder, static_cast<const unsigned char*>(data), size))
        throw JpegError(decoder.message);
    if (image.format() == QImage::Format_RGB32)
        ConvertInvertedCmyk(image);
    return image;
}

} // namespace mm
