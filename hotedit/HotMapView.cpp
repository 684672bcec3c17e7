#include "HotMapView.h"

#include "platform/MulDiv.h"

#include <QPainter>

namespace mm {

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
    TSpot outline;
    outline.AssignMapped(selected, scale.Mapping());
    canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    canvas.setPen(QPen(Qt::black, 2, Qt::SolidLine));
    canvas.setBrush(Qt::NoBrush);
    outline.Draw(canvas, {});
    return face;
}

} // namespace mm
