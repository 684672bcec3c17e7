#include "platform/ui/Jpeg.h"

#include <QBuffer>
#include <QColor>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

namespace mm {
namespace {

using Bytes = std::vector<uint8_t>;

struct EncodeOptions {
    J_COLOR_SPACE space = JCS_RGB;
    int components = 3;
    bool progressive = false;
    std::vector<jpeg_scan_info> scans; // a scan script of its own, when given
};

// A width x height image of one colour (components bytes per pixel), encoded with libjpeg.
Bytes Encode(int width, int height, const std::vector<uint8_t>& pixel,
             const EncodeOptions& options) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = options.components;
    info.in_color_space = options.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&info);
    if (!options.scans.empty()) {
        info.scan_info = options.scans.data();
        info.num_scans = static_cast<int>(options.scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row;
    for (int x = 0; x < width; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

Bytes Rgb(int width, int height, const std::vector<uint8_t>& pixel, bool progressive = false) {
    EncodeOptions options;
    options.progressive = progressive;
    return Encode(width, height, pixel, options);
}

QImage Decode(const Bytes& bytes) {
    return DecodeJpeg(bytes.data(), bytes.size());
}

void ExpectNear(QColor actual, int r, int g, int b) {
    EXPECT_NEAR(actual.red(), r, 6);
    EXPECT_NEAR(actual.green(), g, 6);
    EXPECT_NEAR(actual.blue(), b, 6);
}

TEST(Jpeg, DecodesColourGreyAndCmykImages) {
    struct Case {
        const char* name;
        Bytes file;
        QImage::Format format;
        int r, g, b;
    };
    EncodeOptions grey;
    grey.space = JCS_GRAYSCALE;
    grey.components = 1;
    EncodeOptions cmyk;
    cmyk.space = JCS_CMYK;
    cmyk.components = 4;
    const Case cases[] = {
        {"baseline", Rgb(24, 10, {200, 40, 90}), QImage::Format_RGB888, 200, 40, 90},
        {"progressive", Rgb(24, 10, {10, 220, 130}, true), QImage::Format_RGB888, 10, 220, 130},
        {"grey", Encode(24, 10, {128}, grey), QImage::Format_Grayscale8, 128, 128, 128},
        // Inverted CMYK: cyan 255 - 0, magenta 255 - 255, yellow 255 - 0, black 255 - 51.
        {"cmyk", Encode(24, 10, {255, 0, 255, 204}, cmyk), QImage::Format_RGB32, 204, 0, 204},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Decode(c.file);
        EXPECT_EQ(image.size(), QSize(24, 10));
        EXPECT_EQ(image.format(), c.format);
        ExpectNear(image.pixelColor(0, 0), c.r, c.g, c.b);
        ExpectNear(image.pixelColor(23, 9), c.r, c.g, c.b);
    }
}

TEST(Jpeg, DecodesWhatQtWrites) {
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(QColor(30, 60, 250));
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "JPG"));
    const QImage image = DecodeJpeg(std::string_view(file.constData(), file.size()));
    EXPECT_EQ(image.size(), QSize(40, 30));
    ExpectNear(image.pixelColor(20, 15), 30, 60, 250);
}

std::string Refusal(const Bytes& bytes) {
    try {
        Decode(bytes);
    } catch (const JpegError& error) {
        return error.what();
    }
    return "decoded";
}

// The SOF0 marker's height and width fields of a baseline file written by libjpeg.
size_t SofDimensions(const Bytes& file) {
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0)
            return i + 5;
    return 0;
}

TEST(Jpeg, RefusesDamagedTruncatedAndAbsurdData) {
    const Bytes good = Rgb(64, 64, {1, 2, 3});
    ASSERT_EQ(Refusal(good), "decoded");
    const size_t sof = SofDimensions(good);
    ASSERT_NE(sof, 0u);

    auto truncated = [&](size_t size) { return Bytes(good.begin(), good.begin() + size); };
    auto withSize = [&](uint16_t height, uint16_t width) {
        Bytes b = good;
        b[sof] = static_cast<uint8_t>(height >> 8);
        b[sof + 1] = static_cast<uint8_t>(height);
        b[sof + 2] = static_cast<uint8_t>(width >> 8);
        b[sof + 3] = static_cast<uint8_t>(width);
        return b;
    };
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"empty", {}},
        {"text", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'g'}},
        {"start marker only", {0xFF, 0xD8}},
        {"cut in the header", truncated(sof + 2)},
        {"cut in the scan", truncated(good.size() / 2 + sof / 2)},
        {"end marker missing", truncated(good.size() - 2)},
        {"65000 x 65000", withSize(65000, 65000)},
        {"8192 x 8192", withSize(8192, 8192)},
        {"no height", withSize(0, 64)},
    };
    for (const Case& c : cases)
        EXPECT_NE(Refusal(c.file), "decoded") << c.name;
    EXPECT_EQ(Refusal({'n', 'o', 't'}), "Not a JPEG file: starts with 0x6e 0x6f");
    EXPECT_EQ(Refusal(withSize(65000, 65000)), "JPEG image is too large");
}

// A valid progressive script with more scans than the decoder takes: every coefficient of
// each of the three components sent alone, one bit at a time.
std::vector<jpeg_scan_info> ManyScans() {
    std::vector<jpeg_scan_info> scans;
    auto add = [&](int component, int k, int ah, int al) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = 1;
        scan.component_index[0] = component;
        scan.Ss = k;
        scan.Se = k;
        scan.Ah = ah;
        scan.Al = al;
        scans.push_back(scan);
    };
    for (int component = 0; component < 3; ++component)
        for (int k = 0; k < 64; ++k) {
            add(component, k, 0, 10);
            for (int al = 9; al >= 0; --al)
                add(component, k, al + 1, al);
        }
    return scans;
}

TEST(Jpeg, RefusesTooManyScans) {
    EncodeOptions options;
    options.scans = ManyScans();
    ASSERT_GT(options.scans.size(), static_cast<size_t>(kMaxJpegScans));
    EXPECT_EQ(Refusal(Encode(16, 16, {77, 88, 99}, options)), "JPEG image has too many scans");
}

} // namespace
} // namespace mm
