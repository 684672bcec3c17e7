#include "Screenshot.h"

#include "controls/Grid.h"
#include "manager/MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace mm {
namespace {

// What is on the screen where the window is, frame and all as the display shows it.
bool Grab(QWidget* window, const QString& fileName) {
    QApplication::processEvents();
    const QPixmap shot = window->screen()->grabWindow(
        0, window->frameGeometry().x(), window->frameGeometry().y(),
        window->frameGeometry().width(), window->frameGeometry().height());
    return !shot.isNull() && shot.save(fileName, "PNG");
}

} // namespace

int TakeScreenshot(MainWindow& window, const QString& fileName, int shapeRow) {
    int status = 1;
    QTimer::singleShot(1000, [&] {
        if (shapeRow == 0) {
            status = Grab(&window, fileName) ? 0 : 1;
            QApplication::quit();
            return;
        }
        window.findChild<TtsGrid*>(QStringLiteral("tsGrid1"))->SetCurrentRow(shapeRow);
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
                status = Grab(shape, fileName) ? 0 : 1;
                shape->close();
                QApplication::quit();
            });
        });
        watch->start(100);
        window.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->click();
    });
    QApplication::exec();
    return status;
}

} // namespace mm
