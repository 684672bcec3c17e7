#pragma once
// A button whose click changes what it does next (Edit / Exit Edit) takes a double click as one
// click: the second click of a double click would otherwise undo or redo the first.
class QAbstractButton;

namespace mm {

void IgnoreSecondClickOfDoubleClick(QAbstractButton* button);

} // namespace mm
