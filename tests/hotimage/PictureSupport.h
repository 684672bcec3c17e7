#pragma once
// Pictures built by the tests: every pixel a colour of its own, and JPEG file images of them.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace mm::test {

// Format_RGB32; no two pixels of a picture up to 64 x 64 alike, and every channel has bits
// that each tint keeps and bits it clears.
inline QImage TestPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(0x83 + 2 * x, 0x41 + 3 * y, 0xE5 - x - y));
    return picture;
}

// The picture as a JPEG file image of the best quality.
inline std::vector<uint8_t> JpegOf(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(picture))
        throw std::runtime_error("JPEG encoding failed: " + writer.errorString().toStdString());
    return {bytes.begin(), bytes.end()};
}

// The JPEG file image with its frame header claiming width x height (baseline frames only).
inline std::vector<uint8_t> WithClaimedSize(std::vector<uint8_t> jpeg, uint16_t width,
                                            uint16_t height) {
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
            jpeg[i + 6] = static_cast<uint8_t>(height);
            jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
            jpeg[i + 8] = static_cast<uint8_t>(width);
            return jpeg;
        }
    }
    throw std::runtime_error("no baseline frame header");
}

} // namespace mm::test
