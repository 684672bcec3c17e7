#pragma once
// The mouse wheel changes a drop-down or a spin box only when the user gave it the keyboard
// focus: a notch over a control the pointer merely rests on scrolls what lies around it.
class QWidget;

namespace mm {

void WheelNeedsFocus(QWidget* control);

} // namespace mm
