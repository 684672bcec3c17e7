#pragma once
// A picture of the program's windows for a terminal without a display: the main window, or the
// button shape window of one row of the model list with its check marks on.
#include <QString>

namespace mm {
class MainWindow;

// Once the shown window is up and painted, writes the picture to the PNG file and ends the
// event loop. Returns the exit status: 0 when the picture was written.
int TakeScreenshot(MainWindow& window, const QString& fileName, int shapeRow);

} // namespace mm
