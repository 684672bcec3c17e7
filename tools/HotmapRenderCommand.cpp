// "hotmap render": a model's picture with its outlines, exactly as the hot image control's back
// buffer holds it after a render in the given state, written as a PNG.
#include "DatabaseCommands.h"
#include "HotmapCommands.h"
#include "hotimage/core/HotImageRenderer.h"
#include "platform/IntText.h"
#include "platform/Strings.h"
#include "platform/ui/Jpeg.h"

#include <QBuffer>
#include <QImageWriter>
#include <optional>

namespace mm::tool {

namespace {

// The largest area a rendering may have: the decoder's limit for pictures.
constexpr int64_t kMaxRenderPixels = kMaxJpegPixels;
// The widest and tallest image the PNG writer (libpng's default limits) takes.
constexpr int32_t kMaxPngSide = 1000000;

struct TRenderOptions {
    Args files; // DB ID HOTMAP OUT
    THotImageState state;
    bool checks = false;
    std::optional<QSize> size;
};

int32_t IntegerOption(const std::string& option, const std::string& text) {
    const std::optional<int32_t> value = TryStrToInt(text);
    if (!value)
        throw UsageError(option + " takes an integer, not '" + text + "'");
    return *value;
}

QSize SizeOption(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError("--size takes W,H, not '" + text + "'");
    const int32_t width = IntegerOption("--size", text.substr(0, comma));
    const int32_t height = IntegerOption("--size", text.substr(comma + 1));
    if (width <= 0 || height <= 0 || width > kMaxPngSide || height > kMaxPngSide ||
        int64_t{width} * height > kMaxRenderPixels)
        throw UsageError("--size takes a width and a height of 1 to " +
                         std::to_string(kMaxPngSide) +
                         " each (the PNG writer's limit), of at most " +
                         std::to_string(kMaxRenderPixels) + " pixels together");
    return {width, height};
}

TRenderOptions ParseOptions(const Args& args) {
    TRenderOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--shift") {
            options.state.ShiftOn = true;
        } else if (arg == "--checks") {
            options.checks = true;
        } else if (arg == "--select" || arg == "--size") {
            if (!hasValue)
                throw UsageError(arg + " needs a value");
            if (arg == "--select")
                options.state.SelectedIndex = IntegerOption(arg, args[++i]);
            else
                options.size = SizeOption(args[++i]);
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown option " + arg);
        } else {
            options.files.push_back(arg);
        }
    }
    RequireArgs(options.files, 4);
    return options;
}

// Qt passes the PNG library's complaints to its message handler; while one image is encoded
// they are dropped, and a failure is reported once, as the command's own.
class TQuietPngLibrary {
public:
    TQuietPngLibrary()
        : previous_(
              qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {})) {
    }
    ~TQuietPngLibrary() { qInstallMessageHandler(previous_); }
    TQuietPngLibrary(const TQuietPngLibrary&) = delete;
    TQuietPngLibrary& operator=(const TQuietPngLibrary&) = delete;

private:
    QtMessageHandler previous_;
};

QByteArray Png(const QImage& image, const std::string& fileName) {
    const TQuietPngLibrary quiet;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw Failure(fileName, "PNG encoding failed: " + writer.errorString().toStdString());
    return bytes;
}

} // namespace

QImage DecodedPicture(const TMyModelRecord& model, const std::string& dbName) {
    const std::string_view bytes = StoredPicture(model, dbName);
    try {
        return DecodeJpeg(bytes);
    } catch (const JpegError& error) {
        throw Failure(dbName, "the picture of model " + Hex4(model.ModelID) +
                                  " does not decode: " + error.what());
    }
}

int HotmapRender(const Args& args) {
    TRenderOptions options = ParseOptions(args);
    const Args& files = options.files;
    RefuseSameFile(files[0], files[3]);
    RefuseSameFile(files[2], files[3]);
    const TMyModelRecords models = LoadDatabase(files[0]);
    const QImage picture = THotImageRenderer::PictureBitmapOf(
        DecodedPicture(ModelById(models, files[0], files[1]), files[0]));
    THotSpots spots;
    LoadMap(files[2], spots);
    // As after loading: the shift key found, every mark cleared unless "Check" set them.
    options.state.ShiftIndex = spots.IndexOfShiftKey();
    for (int i = 0; i < spots.Count(); ++i)
        spots.Items(i)->CheckMarks = {options.checks, options.checks};
    QImage buffer(options.size.value_or(picture.size()), QImage::Format_RGB32);
    if (buffer.isNull())
        throw Failure(files[3], "not enough memory for the rendering");
    // Outlines are built as they are drawn: a failure to build one is the hot map's.
    OnFile(files[2],
           [&] { THotImageRenderer(picture, spots, options.state).RenderBuffer(buffer, true); });
    const QByteArray png = Png(buffer, files[3]);
    OnFile(files[3],
           [&] { WriteWholeFile(files[3], png.data(), static_cast<size_t>(png.size())); });
    return 0;
}

} // namespace mm::tool
