#include "LabelReader.h"

#include <opencv2/imgproc.hpp>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cctype>

namespace mm {

namespace {

// Tesseract reads best with letters about this many pixels tall.
constexpr int kReadingHeight = 48;
constexpr int kMargin = 12;
// Below this mean confidence (0..100) a reading is taken for an icon.
constexpr int kMinConfidence = 55;

std::string Trimmed(const char* text) {
    std::string s = text ? text : "";
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), blank));
    s.erase(std::find_if_not(s.rbegin(), s.rend(), blank).base(), s.end());
    return s;
}

// Dark letters on white, as Tesseract expects them: the button's face, whatever its colour,
// becomes the white majority.
cv::Mat ReadingImage(const QImage& crop) {
    const QImage grey = crop.convertToFormat(QImage::Format_Grayscale8);
    cv::Mat view(grey.height(), grey.width(), CV_8U, const_cast<uchar*>(grey.constBits()),
                 static_cast<size_t>(grey.bytesPerLine()));
    cv::Mat scaled;
    const double scale = std::max(1.0, double(kReadingHeight) / std::max(1, grey.height()));
    cv::resize(view, scaled, cv::Size(), scale, scale, cv::INTER_CUBIC);
    cv::Mat binary;
    cv::threshold(scaled, binary, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    if (size_t(cv::countNonZero(binary)) < binary.total() / 2)
        binary = 255 - binary;
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
    if (cv::countNonZero(image) == int(image.total()))
        return {}; // a plain face: nothing printed
    engine_->api.SetImage(image.data, image.cols, image.rows, 1, int(image.step));
    const std::unique_ptr<char[]> text(engine_->api.GetUTF8Text());
    if (engine_->api.MeanTextConf() < kMinConfidence)
        return {};
    return Trimmed(text.get());
}

} // namespace mm
