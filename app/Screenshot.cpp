// modelmanager-screenshot DIR OUT.png [--shape ROW]: the main window over the data folder below
// DIR, shown on whatever display Qt is given, written to OUT.png once it is up; with --shape,
// the button shape window of the model on that row of the list instead, its check marks on.
// Used by "scripts/run --screenshot" to show the program from a terminal.
#include "controls/Grid.h"
#include "manager/ModelEdit.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#include <string>

namespace {

// What is on the screen where the window is, frame and all as the display shows it.
bool Grab(QWidget* window, const QString& fileName) {
    QApplication::processEvents();
    const QPixmap shot = window->screen()->grabWindow(
        0, window->frameGeometry().x(), window->frameGeometry().y(),
        window->frameGeometry().width(), window->frameGeometry().height());
    return !shot.isNull() && shot.save(fileName, "PNG");
}

int Usage() {
    std::fprintf(stderr, "usage: modelmanager-screenshot DIR OUT.png [--shape ROW]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5)
        return Usage();
    const int shapeRow = argc == 5 ? std::atoi(argv[4]) : 0;
    if (argc == 5 && (std::string(argv[3]) != "--shape" || shapeRow < 1))
        return Usage();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Model Manager"));
    std::string dir = argv[1];
    if (dir.back() != '/')
        dir += '/';
    const QString out = QString::fromLocal8Bit(argv[2]);
    mm::TQtDialogs dialogs;
    mm::TfrmModelEdit window(dialogs, dir);
    window.show();
    int status = 1;
    // Once the window is up and painted: grab it, or open the button shape window and grab that.
    QTimer::singleShot(1000, [&] {
        if (shapeRow == 0) {
            status = Grab(&window, out) ? 0 : 1;
            QApplication::quit();
            return;
        }
        window.findChild<mm::TtsGrid*>(QStringLiteral("tsGrid1"))->SetCurrentRow(shapeRow);
        auto* watch = new QTimer(&window);
        QObject::connect(watch, &QTimer::timeout, [&, watch] {
            QWidget* shape = QApplication::activeModalWidget();
            if (!shape || !shape->isVisible())
                return;
            watch->stop();
            for (QPushButton* button : shape->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Check"))
                    button->click();
            QTimer::singleShot(500, [&, shape] {
                status = Grab(shape, out) ? 0 : 1;
                shape->close();
                QApplication::quit();
            });
        });
        watch->start(100);
        window.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->click();
    });
    QApplication::exec();
    if (status != 0)
        std::fprintf(stderr, "modelmanager-screenshot: no picture of the window was taken\n");
    return status;
}
