#pragma once
// The buttons on a photo of a remote: where each one is and the outline that fits it.
#include "hotimage/core/Spot.h"

#include <QImage>
#include <vector>

namespace mm {

struct TButtonOutline {
    // An ellipse or rectangle holds its corners (Left, Top) and (Right, Bottom); a polygon at
    // most kMaxTracePoints points.
    TSpotShape Shape = TSpotShape::Polyline;
    std::vector<TPoint> Points;
    TRect Box; // the outline's bounding box, right and bottom one past the last pixel
};

inline constexpr int kMaxTracePoints = 12;

// Buttons in reading order (top to bottom, then left to right). The remote's body, the
// background, shadows, highlights, printed marks and the glyphs of labels are left out.
std::vector<TButtonOutline> FindButtons(const QImage& picture);

} // namespace mm
