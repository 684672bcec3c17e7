// Seeds for fuzz_jpeg: the demo catalogue's pictures, whole, and damaged the ways files get
// damaged (cut short, sizes in the frame header patched), so that the fuzzer starts past the
// first marker. jpeg_seeds DIR
#include "tools/DemoCatalogue.h"

#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

void Write(const std::string& name, const mm::TSSByteArray& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The offset of the frame header's height (then width, two bytes each, big-endian), or 0.
size_t FrameSizeOffset(const mm::TSSByteArray& jpeg) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return i + 5;
    return 0;
}

mm::TSSByteArray WithFrameSize(mm::TSSByteArray jpeg, size_t at, uint16_t height, uint16_t width) {
    jpeg[at] = static_cast<uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<uint8_t>(height);
    jpeg[at + 2] = static_cast<uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<uint8_t>(width);
    return jpeg;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jpeg_seeds DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    const mm::TDemoCatalogue catalogue = mm::BuildDemoCatalogue();
    int n = 0;
    for (const mm::TDemoModel& model : catalogue.Models) {
        const mm::TMyModelRecord& record = model.Record;
        const int32_t picSize = record.PicSize; // a packed field, read by value
        const auto size = static_cast<size_t>(std::max(0, picSize));
        if (size == 0 || size > record.Blob.size())
            continue;
        const mm::TSSByteArray jpeg(record.Blob.begin(), record.Blob.begin() + size);
        const std::string name = dir + "demo" + std::to_string(n++);
        Write(name + ".jpg", jpeg);
        Write(name + "-half.jpg", mm::TSSByteArray(jpeg.begin(), jpeg.begin() + size / 2));
        Write(name + "-header.jpg", mm::TSSByteArray(jpeg.begin(), jpeg.begin() + size / 20));
        if (const size_t at = FrameSizeOffset(jpeg); at != 0) {
            Write(name + "-huge.jpg", WithFrameSize(jpeg, at, 0xFFFF, 0xFFFF));
            Write(name + "-zero.jpg", WithFrameSize(jpeg, at, 0, 0));
            Write(name + "-wide.jpg", WithFrameSize(jpeg, at, 1, 0xFFFF));
        }
    }
    return n > 0 ? 0 : 1;
}
