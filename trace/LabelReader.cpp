#include "LabelReader.h"

#include <opencv2/imgproc.hpp>
#include <tesseract/baseapi.h>

#include <QString>
#include <algorithm>

namespace mm {

namespace {

// Tesseract reads best with letters about this many pixels tall.
constexpr int kLetterHeight = 36;
constexpr int kMargin = 12;
// Below this mean confidence (0..100) a reading is taken for an icon.
constexpr int kMinConfidence = 40;

// What a key's name may hold: letters, digits, a few signs and any non-ASCII character but
// the quotes and dashes that Tesseract makes of a rim or an icon's strokes.
std::string Cleaned(const char* text) {
    const QString read = QString::fromUtf8(text ? text : "");
    static const QString kept = "+-/&#*.!";
    static const QString noise =
        QStringLiteral("\u2018\u2019\u201C\u201D\u2014\u2013\u00AB\u00BB\u00A2");
    QString out;
    for (const QChar c : read) {
        const bool ascii = c.unicode() < 0x80;
        if (c.isSpace())
            out += ' ';
        else if ((ascii && (c.isLetterOrNumber() || kept.contains(c))) ||
                 (!ascii && !noise.contains(c)))
            out += c;
    }
    out = out.simplified();
    // Signs alone are no label.
    for (const QChar c : out)
        if (c.isLetterOrNumber())
            return out.toStdString();
    return {};
}

// Dark letters on white, the face whatever its colour becoming the white majority.
cv::Mat Binary(const cv::Mat& grey) {
    cv::Mat smooth, binary;
    // Sensor noise would otherwise survive the threshold as specks around the letters.
    cv::GaussianBlur(grey, smooth, cv::Size(0, 0), 1.0);
    cv::threshold(smooth, binary, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    if (size_t(cv::countNonZero(binary)) < binary.total() / 2)
        binary = 255 - binary;
    return binary;
}

// The box of the printed line: the tallest mark and the marks beside it on the same line, so
// that a highlight or a screw above or below the word stays out. Empty without any mark.
cv::Rect LineOfLetters(const cv::Mat& ink) {
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
    const auto box = [&](int i) {
        return cv::Rect(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                        stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
    };
    int tallest = 0;
    for (int i = 1; i < count; ++i)
        if (tallest == 0 || box(i).height > box(tallest).height)
            tallest = i;
    if (tallest == 0)
        return {};
    const cv::Rect line = box(tallest);
    cv::Rect letters = line;
    for (int i = 1; i < count; ++i) {
        const cv::Rect mark = box(i);
        const int shared = std::min(mark.br().y, line.br().y) - std::max(mark.y, line.y);
        if (2 * shared >= mark.height)
            letters |= mark;
    }
    // A margin of two pixels, for the letters' antialiased edges.
    return cv::Rect(letters.x - 2, letters.y - 2, letters.width + 4, letters.height + 4);
}

// The letters cut out and scaled to the height Tesseract reads best, on a white margin; empty
// for a plain face.
cv::Mat ReadingImage(const QImage& crop) {
    const QImage grey = crop.convertToFormat(QImage::Format_Grayscale8);
    const cv::Mat view(grey.height(), grey.width(), CV_8U, const_cast<uchar*>(grey.constBits()),
                       static_cast<size_t>(grey.bytesPerLine()));
    const cv::Rect letters =
        LineOfLetters(Binary(view) == 0) & cv::Rect(0, 0, view.cols, view.rows);
    if (letters.empty())
        return {};
    const double scale = std::clamp(double(kLetterHeight) / letters.height, 1.0, 8.0);
    cv::Mat scaled;
    cv::resize(view(letters), scaled, cv::Size(), scale, scale, cv::INTER_CUBIC);
    cv::Mat binary = Binary(scaled);
    cv::copyMakeBorder(binary, binary, kMargin, kMargin, kMargin, kMargin, cv::BORDER_CONSTANT,
                       255);
    return binary;
}

} // namespace

struct TLabelReader::TEngine {
    tesseract::TessBaseAPI api;
};

TLabelReader::TLabelReader(bool chinese) : engine_(std::make_unique<TEngine>()) {
    const char* languages = chinese ? "eng+chi_sim" : "eng";
    if (engine_->api.Init(nullptr, languages, tesseract::OEM_LSTM_ONLY) != 0)
        throw TraceError(std::string("the OCR data for ") + languages + " could not be loaded");
    engine_->api.SetVariable("debug_file", "/dev/null");
    // One word or a short phrase ("TIME SHIFT") per button.
    engine_->api.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
}

TLabelReader::~TLabelReader() {
    engine_->api.End();
}

std::string TLabelReader::Read(const QImage& crop) {
    if (crop.width() < 4 || crop.height() < 4)
        return {};
    const cv::Mat image = ReadingImage(crop);
    if (image.empty())
        return {}; // a plain face: nothing printed
    engine_->api.SetImage(image.data, image.cols, image.rows, 1, int(image.step));
    const std::unique_ptr<char[]> text(engine_->api.GetUTF8Text());
    if (engine_->api.MeanTextConf() < kMinConfidence)
        return {};
    return Cleaned(text.get());
}

} // namespace mm
