#include "HotMapView.h"

#include "NotXor.h"
#include "platform/MulDiv.h"

#include <QPainter>

namespace mm {

namespace {
constexpr int kOutlinePen = 2;
} // namespace

TSpotMapping TDisplayScale::Mapping() const {
    TSpotMapping mapping;
    mapping.SrcWidth = mapping.SrcHeight = Denominator;
    mapping.DstWidth = mapping.DstHeight = Numerator;
    return mapping;
}

TDisplayScale DisplayScaleOf(QSize picture, QSize area) {
    TDisplayScale scale;
    if (picture.width() >= picture.height()) {
        scale.Numerator = area.width();
        scale.Denominator = picture.width();
        scale.Display = {area.width(),
                         MulDiv(picture.height(), scale.Numerator, scale.Denominator)};
    } else {
        scale.Numerator = area.height();
        scale.Denominator = picture.height();
        scale.Display = {MulDiv(picture.width(), scale.Numerator, scale.Denominator),
                         area.height()};
    }
    return scale;
}

QImage RenderHotMapView(const QImage& picture, QSize area, const TDisplayScale& scale,
                        const TSpot* selected, const QColor& background) {
    QImage face(area, QImage::Format_RGB32);
    face.fill(background);
    QPainter canvas(&face);
    canvas.drawImage(QRect(QPoint(0, 0), scale.Display), picture);
    if (!selected)
        return face;
    canvas.end();
    TSpot outline;
    outline.AssignMapped(selected, scale.Mapping());
    TNotXorCanvas(face, {}).Masked(face.rect(), [&](QPainter& mask) {
        mask.setPen(QPen(Qt::black, kOutlinePen, Qt::SolidLine));
        mask.setBrush(Qt::NoBrush);
        outline.Draw(mask, {});
    });
    return face;
}

} // namespace mm
