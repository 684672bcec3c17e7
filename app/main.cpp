// The model manager: records where it lives, opens the main window and runs until it closes.
//   modelmanager                                  the window
//   modelmanager --screenshot OUT.png [--shape ROW]
//                                                 a picture of it (or of the button shape window
//                                                 of the model on that row), then exit
#include "Screenshot.h"
#include "manager/MainWindow.h"
#include "platform/ExeDir.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] = "usage: modelmanager [--screenshot OUT.png [--shape ROW]]\n";

struct TOptions {
    const char* screenshot = nullptr;
    int shapeRow = 0;
};

// False for anything but the forms of the usage line.
bool ParseOptions(int argc, char** argv, TOptions& options) {
    if (argc == 1)
        return true;
    if ((argc != 3 && argc != 5) || std::strcmp(argv[1], "--screenshot") != 0)
        return false;
    options.screenshot = argv[2];
    if (argc == 3)
        return true;
    options.shapeRow = std::atoi(argv[4]);
    return std::strcmp(argv[3], "--shape") == 0 && options.shapeRow >= 1;
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    mm::SetExeDir(mm::RunningExeDir());
    QApplication app(argc, argv);
    // A name, not a display name: the window manager would append that to every title.
    QApplication::setApplicationName(QStringLiteral("Model Manager"));
    mm::TQtDialogs dialogs;
    mm::MainWindow window(dialogs, mm::ExeDir());
    window.show();
    if (!options.screenshot)
        return QApplication::exec();
    const int status =
        mm::TakeScreenshot(window, QString::fromLocal8Bit(options.screenshot), options.shapeRow);
    if (status != 0)
        std::fprintf(stderr, "modelmanager: no picture of the window was taken\n");
    return status;
}
