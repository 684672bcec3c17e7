#pragma once
// JPEG file images decoded with libjpeg into a QImage.
#include "platform/Errors.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mm {

// Data libjpeg refuses; what() is the decoder's own message.
class JpegError : public Error {
public:
    using Error::Error;
};

// Larger images are refused before any pixel memory is taken.
inline constexpr int64_t kMaxJpegPixels = int64_t{1} << 25;
// A progressive image with more scans than this is refused (a valid one needs far fewer).
inline constexpr int kMaxJpegScans = 1000;

// Decodes a whole JPEG file image: Format_Grayscale8 for grey images, Format_RGB888 for
// colour ones, Format_RGB32 for CMYK (Adobe's inverted convention). Raises JpegError for
// anything libjpeg refuses, for damaged or truncated data (libjpeg's warnings count as
// errors) and for images beyond the limits above. Leaks nothing on any path.
QImage DecodeJpeg(const void* data, size_t size);
inline QImage DecodeJpeg(std::string_view bytes) {
    return DecodeJpeg(bytes.data(), bytes.size());
}

} // namespace mm
