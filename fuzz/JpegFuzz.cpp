// Any bytes as a JPEG file image: decoded, or refused with JpegError; nothing else may happen.
#include "platform/ui/Jpeg.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QImage image = mm::DecodeJpeg(data, size);
        if (image.isNull() || int64_t{image.width()} * image.height() > mm::kMaxJpegPixels)
            std::abort();
    } catch (const mm::JpegError&) {
    }
    return 0;
}
