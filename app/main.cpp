// The model manager: records where it lives, opens the main window and runs until it closes.
#include "manager/ModelEdit.h"
#include "platform/ExeDir.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    mm::SetExeDir(mm::RunningExeDir());
    QApplication app(argc, argv);
    // A name, not a display name: the window manager would append that to every title.
    QApplication::setApplicationName(QStringLiteral("Model Manager"));
    mm::TQtDialogs dialogs;
    mm::TfrmModelEdit window(dialogs, mm::ExeDir());
    window.show();
    return QApplication::exec();
}
