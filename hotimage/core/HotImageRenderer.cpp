#include "HotImageRenderer.h"

#include "DisplayMapping.h"
#include "SpotRegion.h"
#include "platform/ui/QtText.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace mm {

namespace {

QSize DeviceSize(const QPainter& canvas) {
    const QPaintDevice* device = canvas.device();
    return device ? QSize(device->width(), device->height()) : QSize();
}

// The part of the box [left, right) x [top, bottom) that lies on the device, or an empty
// rectangle. Computed in 64 bits: stored corners may lie anywhere in the 32-bit range.
QRect OnDevice(int64_t left, int64_t top, int64_t right, int64_t bottom, QSize device) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, device.width());
    bottom = std::min<int64_t>(bottom, device.height());
    if (right <= left || bottom <= top)
        return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

// The smallest box holding every point, its right and bottom on the last point.
TRect PointsBox(const std::vector<TPoint>& points) {
    TRect box{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    return box;
}

} // namespace

THotImageRenderer::THotImageRenderer(const QImage& picture, const THotSpots& spots,
                                     const THotImageState& state)
    : picture_(picture), spots_(spots), state_(state) {}

QImage THotImageRenderer::PictureBitmapOf(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_RGB32);
}

void THotImageRenderer::RenderBuffer(QImage& buffer, bool pictureValid) const {
    if (buffer.isNull())
        return;
    QPainter canvas(&buffer);
    canvas.fillRect(buffer.rect(), QColorFromBgr(kButtonFaceColor));
    if (!pictureValid)
        return;
    canvas.drawImage(0, 0, picture_);
    const int count = spots_.Count();
    const int selected = state_.SelectedIndex;
    if (selected >= 0 && selected < count) {
        HighlightSpot(canvas, selected);
        const int32_t id = spots_.Items(selected)->ID;
        for (int i = 0; i < count; ++i) {
            if (i != selected && spots_.Items(i)->ID == id) {
                HighlightSpot(canvas, i); // the first partner only
                break;
            }
        }
    }
    if (state_.ShiftOn && state_.ShiftIndex >= 0 && state_.ShiftIndex < count)
        HighlightSpot(canvas, state_.ShiftIndex);
    canvas.setClipping(false);
    const size_t layer = state_.ShiftOn ? 1 : 0;
    for (int i = 0; i < count; ++i)
        if (i != state_.ShiftIndex && spots_.Items(i)->CheckMarks[layer])
            DrawCheckMark(canvas, i);
}

void THotImageRenderer::HighlightSpot(QPainter& canvas, int index) const {
    const TSpot& spot = *spots_.Items(index);
    const TRect bounds = spot.GetBounds();
    // Only the part of the bounds on the canvas can show, so the temporary bitmap never
    // outgrows the canvas whatever the stored corners; reversed corners tint nothing.
    const QSize device = DeviceSize(canvas);
    const QRect area = OnDevice(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, device);
    if (area.isEmpty())
        return;
    QImage tinted(area.size(), QImage::Format_RGB32);
    tinted.fill(QColorFromBgr(HighlightTint(spot, state_.ShiftOn)));
    const QRect source = area.intersected(picture_.rect());
    if (!source.isEmpty()) {
        QPainter and_(&tinted);
        and_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        and_.drawImage(source.topLeft() - area.topLeft(), picture_, source);
    }
    const TSpotMapping mapping = DisplayMapping(state_.Stretch, device, picture_.size());
    canvas.setClipRegion(MappedRegion(spot, mapping));
    canvas.drawImage(area.topLeft(), tinted);
}

void THotImageRenderer::DrawCheckMark(QPainter& canvas, int index) const {
    const TSpot& spot = *spots_.Items(index);
    const QSize device = DeviceSize(canvas);
    const int reach = 8 + kCheckMarkPenWidth;
    // The bounds' centre lies within the box of the points: a polygon far off the canvas needs
    // no bounds measured to know that its tick is not drawn.
    if (spot.Shape() == TSpotShape::Polyline && !spot.Points().empty()) {
        const TRect box = PointsBox(spot.Points());
        if (OnDevice(int64_t{box.Left} - reach, int64_t{box.Top} - reach,
                     int64_t{box.Right} + reach, int64_t{box.Bottom} + reach, device)
                .isEmpty())
            return;
    }
    const TRect b = spot.GetBounds();
    const int64_t cx = b.Left + (int64_t{b.Right} - b.Left) / 2;
    const int64_t cy = b.Top + (int64_t{b.Bottom} - b.Top) / 2;
    // A tick wholly off the canvas is not drawn: its coordinates may not even fit the painter.
    if (OnDevice(cx - reach, cy - reach, cx + reach, cy + reach, device).isEmpty())
        return;
    const int x = static_cast<int>(cx);
    const int y = static_cast<int>(cy);
    const QColor color = QColorFromBgr(state_.ShiftOn ? kShiftCheckMarkColor : kCheckMarkColor);
    canvas.setPen(QPen(color, kCheckMarkPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPoint tick[] = {{x - 8, y - 4}, {x, y + 4}, {x + 8, y - 8}};
    canvas.drawPolyline(tick, 3);
}

QRegion THotImageRenderer::MappedRegion(const TSpot& spot, const TSpotMapping& mapping) {
    std::vector<TPoint> points;
    points.reserve(spot.Points().size());
    for (const TPoint& p : spot.Points())
        points.push_back(mapping.Map(p));
    if (points.empty())
        return {};
    switch (spot.Shape()) {
    case TSpotShape::Rectangle:
        return RectRegion({points[0].X, points[0].Y, points[1].X, points[1].Y});
    case TSpotShape::Ellipse:
        return EllipseRegion({points[0].X, points[0].Y, points[1].X, points[1].Y});
    case TSpotShape::Polyline:
        break;
    }
    return PolygonRegion(points);
}

int32_t THotImageRenderer::HighlightTint(const TSpot& spot, bool shiftOn) {
    if (spot.KeyKind == kKeyKindShift)
        return kShiftKeyTint;
    return shiftOn ? spot.ToggleColor : spot.NormalColor;
}

} // namespace mm
