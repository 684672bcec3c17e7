#pragma once
// A remote control's picture drawn from its buttons, as JPEG bytes.
#include "platform/Streams.h"

#include <QColor>
#include <QSize>
#include <vector>

namespace mm {

struct TDemoButton;

inline constexpr QSize kDemoPictureSize{240, 560};

// Needs a running QGuiApplication: the labels are text.
TSSByteArray DrawDemoPicture(const std::vector<TDemoButton>& buttons, const QColor& body);

} // namespace mm
