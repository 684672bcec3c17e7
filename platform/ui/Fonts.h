#pragma once
#include <QFont>

namespace mm {

// The windows' font: Tahoma at 8 points where it is installed, else the desktop's font.
// Debian's fonts-wine puts a Tahoma-metric face in wine's own folder, which fontconfig does
// not list, so that file is registered with the application first. Chinese text falls back
// to the system's CJK font.
QFont WindowFont();

} // namespace mm
