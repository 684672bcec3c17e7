#pragma once
// Where a hot image shows its picture on the control, and the mapping of picture points there.
#include "Spot.h"

#include <QSize>

namespace mm {

// The client area when stretched, else the picture at its natural size at the top left.
TRect DisplayRect(bool stretch, QSize clientSize, QSize pictureSize);

// Picture to display: the picture's size as the source, the display rectangle as the
// destination. Without stretching it is the identity.
TSpotMapping DisplayMapping(bool stretch, QSize clientSize, QSize pictureSize);

} // namespace mm
