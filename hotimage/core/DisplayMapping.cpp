#include "DisplayMapping.h"

namespace mm {

TRect DisplayRect(bool stretch, QSize clientSize, QSize pictureSize) {
    const QSize size = stretch ? clientSize : pictureSize;
    return {0, 0, size.width(), size.height()};
}

TSpotMapping DisplayMapping(bool stretch, QSize clientSize, QSize pictureSize) {
    const TRect display = DisplayRect(stretch, clientSize, pictureSize);
    TSpotMapping mapping;
    mapping.SrcWidth = pictureSize.width();
    mapping.SrcHeight = pictureSize.height();
    mapping.DstWidth = display.Right - display.Left;
    mapping.DstHeight = display.Bottom - display.Top;
    mapping.DstX = display.Left;
    mapping.DstY = display.Top;
    return mapping;
}

} // namespace mm
