#pragma once
// Reads the word printed on one button with Tesseract, set up once for many buttons.
#include "platform/Errors.h"

#include <QImage>
#include <memory>
#include <string>

namespace mm {

// The OCR engine or its language data could not be loaded.
class TraceError : public Error {
public:
    using Error::Error;
};

class TLabelReader {
public:
    // English always; Simplified Chinese too when asked (it costs time, so only for models
    // whose key names hold Chinese text). Raises TraceError.
    explicit TLabelReader(bool chinese);
    ~TLabelReader();
    TLabelReader(const TLabelReader&) = delete;
    TLabelReader& operator=(const TLabelReader&) = delete;

    // The text on the button whose face is the crop, UTF-8 without surrounding blanks; empty
    // for an icon or anything read without confidence.
    std::string Read(const QImage& crop);

private:
    struct TEngine;
    std::unique_ptr<TEngine> engine_;
};

} // namespace mm
