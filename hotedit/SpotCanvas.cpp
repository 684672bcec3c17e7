#include "SpotCanvas.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace mm {

namespace {

constexpr int kOutlinePen = 2;
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

QRegion TSpotCanvas::DrawFigure(const TFigure& figure, const QPen& pen) {
    const std::vector<TPoint>& points = figure.Points;
    if (points.size() < 2)
        return {};
    QPainter canvas(&buffer_);
    canvas.translate(-visible_.topLeft());
    canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    QRegion covered;
    if (figure.Shape == TSpotShape::Polyline) {
        QPolygon polygon;
        for (const TPoint& p : points)
            polygon << ToQPoint(p);
        if (figure.Closed)
            canvas.drawPolygon(polygon);
        else
            canvas.drawPolyline(polygon);
        for (size_t i = 1; i < points.size(); ++i)
            covered += Around(points[i - 1], points[i], paintArea_);
        if (figure.Closed)
            covered += Around(points.back(), points.front(), paintArea_);
        return covered;
    }
    const QRect box = Box(points[0], points[1]);
    if (figure.Shape == TSpotShape::Ellipse) {
        canvas.drawEllipse(box);
        return Around(points[0], points[1], paintArea_);
    }
    canvas.drawRect(box);
    const TPoint a = points[0], b = points[1];
    for (const auto& [from, to] : {std::pair{a, TPoint{b.X, a.Y}}, std::pair{TPoint{b.X, a.Y}, b},
                                   std::pair{b, TPoint{a.X, b.Y}}, std::pair{TPoint{a.X, b.Y}, a}})
        covered += Around(from, to, paintArea_);
    return covered;
}

QRegion TSpotCanvas::DrawOutline(const TFigure& outline) {
    return DrawFigure(outline, QPen(Qt::black, kOutlinePen, Qt::SolidLine));
}

QRegion TSpotCanvas::DrawHandle(TPoint centre) {
    const QRect box = HandleBox(centre);
    QPainter canvas(&buffer_);
    canvas.translate(-visible_.topLeft());
    canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    canvas.fillRect(box, Qt::black);
    return box.intersected(QRect(QPoint(0, 0), paintArea_));
}

QRegion TSpotCanvas::DrawBand(const TBand& band) {
    QRegion covered;
    if (band.Crosshair) {
        const TPoint at = *band.Crosshair;
        QPainter canvas(&buffer_);
        canvas.translate(-visible_.topLeft());
        canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine));
        const TPoint left{0, at.Y}, right{paintArea_.width(), at.Y};
        const TPoint top{at.X, 0}, bottom{at.X, paintArea_.height()};
        canvas.drawLine(ToQPoint(left), ToQPoint(right));
        canvas.drawLine(ToQPoint(top), ToQPoint(bottom));
        covered += Around(left, right, paintArea_);
        covered += Around(top, bottom, paintArea_);
    }
    if (band.Figure)
        covered += DrawFigure(*band.Figure, QPen(Qt::black, 1, Qt::DotLine));
    return covered;
}

} // namespace mm
