#include "SpotCanvas.h"

#include "NotXor.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace mm {

namespace {

constexpr int kOutlinePen = 2;
constexpr int kFarDashes = 1 << 16;
constexpr int kHandleHalf = 4;
// Pixels beyond a figure's points that its pen may reach.
constexpr int kPenReach = kOutlinePen + 1;

// Points far outside the paint area are brought to its edge before the changed pixels are
// measured: nothing beyond it shows, and the sums stay within 32 bits.
QPoint Near(TPoint p, QSize area) {
    const int margin = 4 * kPenReach;
    return {std::clamp(p.X, -margin, area.width() + margin),
            std::clamp(p.Y, -margin, area.height() + margin)};
}

QRect Around(TPoint a, TPoint b, QSize area) {
    return QRect(Near(a, area), Near(b, area))
        .normalized()
        .adjusted(-kPenReach, -kPenReach, kPenReach, kPenReach);
}

// Beyond any paint area (a picture of 65535 pixels at 500 %): boxes are cut there, so that
// their sums stay within 32 bits.
constexpr int64_t kFar = 1 << 24;

int Cut(int64_t v) {
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

// The box between two corners given in any order, right and bottom exclusive as the platform
// draws it.
QRect Box(TPoint a, TPoint b) {
    return QRect(
        QPoint(Cut(std::min(a.X, b.X)), Cut(std::min(a.Y, b.Y))),
        QPoint(Cut(int64_t{std::max(a.X, b.X)} - 1), Cut(int64_t{std::max(a.Y, b.Y)} - 1)));
}

QRect HandleBox(TPoint centre) {
    return QRect(
        QPoint(Cut(int64_t{centre.X} - kHandleHalf), Cut(int64_t{centre.Y} - kHandleHalf)),
        QPoint(Cut(int64_t{centre.X} + kHandleHalf - 1), Cut(int64_t{centre.Y} + kHandleHalf - 1)));
}

} // namespace

void TSpotCanvas::SetPicture(const QImage& picture, const TRect& pictureRect, QSize paintArea) {
    picture_ = picture;
    pictureRect_ = pictureRect;
    paintArea_ = paintArea;
    valid_ = false;
}

void TSpotCanvas::Render(const QRect& visible, const TSpotOverlays& overlays) {
    visible_ = visible;
    if (buffer_.size() != visible.size())
        buffer_ = QImage(visible.size(), QImage::Format_RGB32);
    buffer_.fill(background_);
    {
        QPainter canvas(&buffer_);
        canvas.translate(-visible.topLeft());
        canvas.drawImage(QRect(QPoint(pictureRect_.Left, pictureRect_.Top),
                               QPoint(pictureRect_.Right - 1, pictureRect_.Bottom - 1)),
                         picture_);
    }
    valid_ = true;
    const TSpotOverlays wanted = overlays; // may be Shown() itself
    shown_ = {};
    Show(wanted);
}

QRegion TSpotCanvas::Show(const TSpotOverlays& overlays) {
    if (!valid_) {
        shown_ = overlays;
        return {};
    }
    QRegion changed;
    if (overlays.Outline != shown_.Outline) {
        if (shown_.Outline)
            changed += DrawOutline(*shown_.Outline);
        if (overlays.Outline)
            changed += DrawOutline(*overlays.Outline);
    }
    if (overlays.Handle != shown_.Handle) {
        if (shown_.Handle)
            changed += DrawHandle(*shown_.Handle);
        if (overlays.Handle)
            changed += DrawHandle(*overlays.Handle);
    }
    if (overlays.Band != shown_.Band) {
        if (shown_.Band)
            changed += DrawBand(*shown_.Band);
        if (overlays.Band)
            changed += DrawBand(*overlays.Band);
    }
    shown_ = overlays;
    return changed;
}

QRegion TSpotCanvas::DrawFigure(const TFigure& figure, bool band) {
    const std::vector<TPoint>& points = figure.Points;
    if (points.size() < 2)
        return {};
    TNotXorCanvas canvas(buffer_, visible_.topLeft());
    QRegion covered;
    const bool polyline = figure.Shape == TSpotShape::Polyline;
    const size_t segments = points.size() - (figure.Closed ? 0 : 1);
    for (size_t i = 0; polyline && i < segments; ++i)
        covered += Around(points[i], points[(i + 1) % points.size()], paintArea_);
    const QRect box = Box(points[0], points[1]);
    if (band && polyline) {
        for (size_t i = 0; i < segments; ++i)
            canvas.Line(points[i], points[(i + 1) % points.size()], true);
        return covered;
    }
    if (band && figure.Shape == TSpotShape::Rectangle && !box.isEmpty()) {
        canvas.Row(box.top(), box.left(), int64_t{box.right()} + 1, true);
        if (box.bottom() > box.top())
            canvas.Row(box.bottom(), box.left(), int64_t{box.right()} + 1, true);
        canvas.Column(box.left(), int64_t{box.top()} + 1, box.bottom(), true);
        if (box.right() > box.left())
            canvas.Column(box.right(), int64_t{box.top()} + 1, box.bottom(), true);
    }
    if (band && figure.Shape == TSpotShape::Rectangle) {
        const TPoint a = points[0], b = points[1];
        for (const auto& [from, to] :
             {std::pair{a, TPoint{b.X, a.Y}}, std::pair{TPoint{b.X, a.Y}, b},
              std::pair{b, TPoint{a.X, b.Y}}, std::pair{TPoint{a.X, b.Y}, a}})
            covered += Around(from, to, paintArea_);
        return covered;
    }
    // The outline, and the band of an ellipse: drawn on a mask of the part that can show.
    QRect bounds = box;
    if (polyline) {
        bounds = {};
        for (const TPoint& p : points)
            bounds |= QRect(QPoint(Cut(p.X), Cut(p.Y)), QSize(1, 1));
    }
    bounds.adjust(-kPenReach, -kPenReach, kPenReach, kPenReach);
    // Dashes along an ellipse far larger than any view would take long to lay out.
    const bool dashes = band && box.width() < kFarDashes && box.height() < kFarDashes;
    canvas.Masked(bounds, [&](QPainter& mask) {
        mask.setPen(QPen(Qt::black, band ? 1 : kOutlinePen, dashes ? Qt::DotLine : Qt::SolidLine));
        mask.setBrush(Qt::NoBrush);
        if (polyline) {
            QPolygon polygon;
            for (const TPoint& p : points)
                polygon << ToQPoint(p);
            if (figure.Closed)
                mask.drawPolygon(polygon);
            else
                mask.drawPolyline(polygon);
        } else if (figure.Shape == TSpotShape::Rectangle) {
            mask.drawRect(box);
        } else {
            mask.drawEllipse(box);
        }
    });
    return polyline ? covered : QRegion(bounds.intersected(QRect(QPoint(0, 0), paintArea_)));
}

QRegion TSpotCanvas::DrawOutline(const TFigure& outline) {
    return DrawFigure(outline, false);
}

QRegion TSpotCanvas::DrawHandle(TPoint centre) {
    const QRect box = HandleBox(centre);
    TNotXorCanvas canvas(buffer_, visible_.topLeft());
    for (int y = box.top(); y <= box.bottom(); ++y)
        canvas.Row(y, box.left(), int64_t{box.right()} + 1, false);
    return box.intersected(QRect(QPoint(0, 0), paintArea_));
}

QRegion TSpotCanvas::DrawBand(const TBand& band) {
    QRegion covered;
    if (band.Crosshair) {
        const TPoint at = *band.Crosshair;
        TNotXorCanvas canvas(buffer_, visible_.topLeft());
        canvas.Row(at.Y, 0, paintArea_.width(), false);
        canvas.Column(at.X, 0, paintArea_.height(), false);
        covered += Around({0, at.Y}, {paintArea_.width(), at.Y}, paintArea_);
        covered += Around({at.X, 0}, {at.X, paintArea_.height()}, paintArea_);
    }
    if (band.Figure)
        covered += DrawFigure(*band.Figure, true);
    return covered;
}

} // namespace mm
