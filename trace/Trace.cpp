#include "Trace.h"

#include "ButtonFinder.h"
#include "LabelReader.h"
#include "platform/Gbk.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <array>

namespace mm {

namespace {

bool HasChinese(const std::vector<TTraceKey>& keys) {
    return std::any_of(keys.begin(), keys.end(), [](const TTraceKey& k) {
        return std::any_of(k.Name.begin(), k.Name.end(),
                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    });
}

// The outline drawn a little inside itself, so that the rim stays out of the face.
QPainterPath Inner(const TButtonOutline& outline) {
    const TRect& b = outline.Box;
    const QRectF box(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    const QPointF centre = box.center();
    const double keep = outline.Shape == TSpotShape::Rectangle ? 0.9 : 0.84;
    QPainterPath path;
    if (outline.Shape == TSpotShape::Polyline) {
        QPolygonF polygon;
        for (const TPoint& p : outline.Points)
            polygon << centre + (QPointF(p.X, p.Y) - centre) * keep;
        path.addPolygon(polygon);
    } else {
        const QRectF inner(centre - QPointF(box.width(), box.height()) * keep / 2,
                           box.size() * keep);
        if (outline.Shape == TSpotShape::Ellipse)
            path.addEllipse(inner);
        else
            path.addRect(inner);
    }
    return path;
}

// The middle value of each channel: the face's own colour, whatever is printed on it.
QColor MedianColour(const QImage& image, const QPainterPath& inside) {
    std::array<std::vector<int>, 3> channels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inside.contains(QPointF(x + 0.5, y + 0.5))) {
                const QRgb c = image.pixel(x, y);
                channels[0].push_back(qRed(c));
                channels[1].push_back(qGreen(c));
                channels[2].push_back(qBlue(c));
            }
    if (channels[0].empty())
        return Qt::white;
    std::array<int, 3> middle{};
    for (size_t c = 0; c < 3; ++c) {
        auto& v = channels[c];
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        middle[c] = v[v.size() / 2];
    }
    return QColor(middle[0], middle[1], middle[2]);
}

// The face inside the outline, without its rim: what lies outside is painted in the face's
// colour, so that only the printed label stands out.
QImage Face(const QImage& picture, const TButtonOutline& outline) {
    const TRect& b = outline.Box;
    const QRect box =
        QRect(QPoint(b.Left, b.Top), QPoint(b.Right - 1, b.Bottom - 1)).intersected(picture.rect());
    if (box.width() < 4 || box.height() < 4)
        return {};
    const QImage crop = picture.copy(box).convertToFormat(QImage::Format_RGB32);
    const QPainterPath inner = Inner(outline).translated(-box.topLeft());
    QImage face(crop.size(), QImage::Format_RGB32);
    face.fill(MedianColour(crop, inner));
    QPainter painter(&face);
    painter.setClipPath(inner);
    painter.drawImage(0, 0, crop);
    return face;
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
