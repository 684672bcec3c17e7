#pragma once
// Paints a hot image into its back buffer: the picture at its natural size, the selected
// spot and its first partner tinted, the shift key in red while the SHIFT layer is on, and
// the check marks of the current layer.
#include "HotSpots.h"

#include <QColor>
#include <QImage>
#include <QRegion>

class QPainter;

namespace mm {

// What the control shows of its spots.
struct THotImageState {
    int32_t SelectedIndex = 0; // tinted with its first partner of the same ID
    bool ShiftOn = false;      // the SHIFT layer is active
    int32_t ShiftIndex = -1;   // the shift key's spot
    bool Stretch = false;      // outlines mapped onto the whole client area
};

// The background, the standard Windows button face (0x00BBGGRR), the same on every desktop so
// that a rendering is the same in the window and from the command line.
constexpr int32_t kButtonFaceColor = 0x00F0F0F0;
constexpr int32_t kShiftKeyTint = 0x000000FF;   // red
constexpr int32_t kCheckMarkColor = 16711935;   // magenta, normal layer
constexpr int32_t kShiftCheckMarkColor = 65280; // green, SHIFT layer
constexpr int kCheckMarkPenWidth = 2;

class THotImageRenderer {
public:
    // picture: the picture at its natural size in Format_RGB32 (PictureBitmapOf). The renderer
    // keeps the references; all three outlive it.
    THotImageRenderer(const QImage& picture, const THotSpots& spots, const THotImageState& state);

    // The picture as the renderer paints it.
    static QImage PictureBitmapOf(const QImage& picture);

    // Redraws the whole buffer, whose size is the control's client size. Without a valid
    // picture only the background is drawn.
    void RenderBuffer(QImage& buffer, bool pictureValid) const;

    // Tints spot `index`: the picture within the spot's bounds ANDed with the tint, copied
    // onto the canvas through the spot's outline. The outline stays the canvas's clip.
    void HighlightSpot(QPainter& canvas, int index) const;

    // The tick of spot `index`: two strokes from 8 pixels left and 4 above the centre of the
    // spot's bounds, down to 4 below it, and up to 8 right and 8 above, pen width 2.
    void DrawCheckMark(QPainter& canvas, int index) const;

    // The spot's outline in display coordinates; empty for a spot without points.
    static QRegion MappedRegion(const TSpot& spot, const TSpotMapping& mapping);

    // Red for the shift key, else the spot's colour of the layer.
    static int32_t HighlightTint(const TSpot& spot, bool shiftOn);

private:
    const QImage& picture_;
    const THotSpots& spots_;
    const THotImageState& state_;
};

} // namespace mm
