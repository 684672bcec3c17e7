#include "Trace.h"

#include "ButtonFinder.h"
#include "LabelReader.h"
#include "platform/Gbk.h"

#include <opencv2/imgproc.hpp>

#include <QPainter>
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

// Where the face lies in the crop of its box: the outline filled, then worn away by the rim's
// width, so that the rim stays out while a label reaching near the outline stays in.
cv::Mat FaceMask(const TButtonOutline& outline, const QRect& box) {
    QImage filled(box.size(), QImage::Format_Grayscale8);
    filled.fill(0);
    {
        QPainter painter(&filled);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.translate(-box.topLeft());
        const std::vector<TPoint>& p = outline.Points;
        if (outline.Shape == TSpotShape::Polyline) {
            QPolygon polygon;
            for (const TPoint& point : p)
                polygon << QPoint(point.X, point.Y);
            painter.drawPolygon(polygon);
        } else {
            const QRect corners(QPoint(p[0].X, p[0].Y), QPoint(p[1].X - 1, p[1].Y - 1));
            if (outline.Shape == TSpotShape::Ellipse)
                painter.drawEllipse(corners);
            else
                painter.drawRect(corners);
        }
    }
    const cv::Mat view(filled.height(), filled.width(), CV_8U, filled.bits(),
                       static_cast<size_t>(filled.bytesPerLine()));
    const int rim = std::max(2, std::min(box.width(), box.height()) / 12);
    cv::Mat mask;
    cv::erode(view, mask,
              cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * rim + 1, 2 * rim + 1)));
    return mask;
}

// The middle value of each channel: the face's own colour, whatever is printed on it.
QRgb MedianColour(const QImage& crop, const cv::Mat& mask) {
    std::array<std::vector<int>, 3> channels;
    for (int y = 0; y < crop.height(); ++y)
        for (int x = 0; x < crop.width(); ++x)
            if (mask.at<uchar>(y, x)) {
                const QRgb c = crop.pixel(x, y);
                channels[0].push_back(qRed(c));
                channels[1].push_back(qGreen(c));
                channels[2].push_back(qBlue(c));
            }
    if (channels[0].empty())
        return qRgb(255, 255, 255);
    std::array<int, 3> middle{};
    for (size_t c = 0; c < 3; ++c) {
        auto& v = channels[c];
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        middle[c] = v[v.size() / 2];
    }
    return qRgb(middle[0], middle[1], middle[2]);
}

// The face inside the outline, without its rim: what lies outside is painted in the face's
// colour, so that only the printed label stands out.
QImage Face(const QImage& picture, const TButtonOutline& outline) {
    const TRect& b = outline.Box;
    const QRect box =
        QRect(QPoint(b.Left, b.Top), QPoint(b.Right - 1, b.Bottom - 1)).intersected(picture.rect());
    if (box.width() < 4 || box.height() < 4 || outline.Points.size() < 2)
        return {};
    QImage face = picture.copy(box).convertToFormat(QImage::Format_RGB32);
    const QRect whole(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    const cv::Mat mask = FaceMask(outline, whole)(
        cv::Rect(box.x() - whole.x(), box.y() - whole.y(), box.width(), box.height()));
    const QRgb filler = MedianColour(face, mask);
    for (int y = 0; y < face.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(face.scanLine(y));
        for (int x = 0; x < face.width(); ++x)
            if (!mask.at<uchar>(y, x))
                line[x] = filler;
    }
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
