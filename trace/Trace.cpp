#include "Trace.h"

#include "ButtonFinder.h"
#include "LabelReader.h"
#include "platform/Gbk.h"

#include <QString>
#include <algorithm>

namespace mm {

namespace {

bool HasChinese(const std::vector<TTraceKey>& keys) {
    return std::any_of(keys.begin(), keys.end(), [](const TTraceKey& k) {
        return std::any_of(k.Name.begin(), k.Name.end(),
                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    });
}

// The face inside the outline, without its rim: the inscribed box of an ellipse, a little
// less of a rectangle or polygon.
QImage Face(const QImage& picture, const TButtonOutline& outline) {
    const TRect& b = outline.Box;
    const double inset = outline.Shape == TSpotShape::Rectangle ? 0.1 : 0.18;
    const int dx = int((b.Right - b.Left) * inset), dy = int((b.Bottom - b.Top) * inset);
    const QRect face = QRect(QPoint(b.Left + dx, b.Top + dy), QPoint(b.Right - 1 - dx,
                                                                      b.Bottom - 1 - dy))
                           .intersected(picture.rect());
    return face.isEmpty() ? QImage() : picture.copy(face);
}

std::string GbkFromUtf8(const std::string& text) {
    return GbkFromUtf16(QString::fromStdString(text).toStdU16String());
}

} // namespace

TTraceResult TracePicture(const QImage& picture, const std::vector<TTraceKey>& keys,
                          const TTraceProgress& progress) {
    const std::vector<TButtonOutline> outlines = FindButtons(picture);
    TLabelReader reader(HasChinese(keys));
    std::vector<std::string> texts;
    for (const TButtonOutline& outline : outlines) {
        const QImage face = Face(picture, outline);
        texts.push_back(face.isNull() ? std::string() : GbkFromUtf8(reader.Read(face)));
        if (progress)
            progress(int(texts.size()), int(outlines.size()));
    }
    const std::vector<int32_t> ids = MatchKeys(texts, keys);
    TTraceResult result;
    for (size_t i = 0; i < outlines.size(); ++i) {
        TSpotData spot;
        spot.Shape = outlines[i].Shape;
        spot.Points = outlines[i].Points;
        spot.Hint = texts[i];
        spot.ID = ids[i];
        result.Spots.push_back(std::move(spot));
        result.Matched += ids[i] != 0 ? 1 : 0;
    }
    return result;
}

} // namespace mm
