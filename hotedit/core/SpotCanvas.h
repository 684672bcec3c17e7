#pragma once
// The spot editor's face, without a widget: the visible part of the paint area in a buffer,
// the zoomed picture with the overlays drawn over it in not-xor mode. A figure drawn twice
// restores the pixels beneath, so an overlay that changes is drawn at its old place (erasing
// it) and at its new one, and the picture is never drawn again for it.
#include "hotimage/core/Spot.h"

#include <QImage>
#include <QRegion>
#include <optional>
#include <vector>

namespace mm {

// A figure through view points: a polyline (closed or open), or the rectangle or ellipse
// between two corners in any order.
struct TFigure {
    TSpotShape Shape = TSpotShape::Polyline;
    std::vector<TPoint> Points;
    bool Closed = false;
    friend bool operator==(const TFigure&, const TFigure&) = default;
};

// The rubber band of drawing mode: a solid crosshair through the pointer across the whole
// paint area, and a dotted figure from the outline to the pointer.
struct TBand {
    std::optional<TPoint> Crosshair;
    std::optional<TFigure> Figure;
    friend bool operator==(const TBand&, const TBand&) = default;
};

struct TSpotOverlays {
    std::optional<TFigure> Outline; // pen 2 pixels wide, solid, hollow
    std::optional<TPoint> Handle;   // an 8 x 8 filled square from (x - 4, y - 4)
    std::optional<TBand> Band;      // pen 1 pixel wide
    friend bool operator==(const TSpotOverlays&, const TSpotOverlays&) = default;
};

class TSpotCanvas {
public:
    // The picture and where it lies in a paint area of the given size; drawn at the next Render.
    void SetPicture(const QImage& picture, const TRect& pictureRect, QSize paintArea);
    void SetBackground(const QColor& background) { background_ = background; }

    // Draws the part `visible` of the paint area afresh: the background, the picture stretched
    // into its rectangle, then the overlays.
    void Render(const QRect& visible, const TSpotOverlays& overlays);
    // Brings the overlays on the buffer to `overlays` with not-xor draws of only those that
    // changed. Returns the paint-area pixels that changed. Before the first Render it only
    // records them.
    QRegion Show(const TSpotOverlays& overlays);

    // The buffer is drawn and holds exactly the part `visible`.
    bool Covers(const QRect& visible) const { return valid_ && visible == visible_; }
    void Invalidate() { valid_ = false; }
    const QImage& Buffer() const { return buffer_; }
    QPoint Origin() const { return visible_.topLeft(); }
    const TSpotOverlays& Shown() const { return shown_; }

private:
    // Toggles the figures of one overlay; returns the pixels they cover.
    QRegion DrawOutline(const TFigure& outline);
    QRegion DrawHandle(TPoint centre);
    QRegion DrawBand(const TBand& band);
    // band: one pixel wide and dotted; else the outline's pen, 2 pixels wide.
    QRegion DrawFigure(const TFigure& figure, bool band);

    QImage picture_;
    TRect pictureRect_;
    QSize paintArea_;
    QColor background_ = Qt::white;
    QImage buffer_;
    QRect visible_;
    bool valid_ = false;
    TSpotOverlays shown_;
};

} // namespace mm
