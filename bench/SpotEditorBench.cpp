// The spot editor in drawing mode at 500 % over an 800 x 1200 picture: one pointer move of a
// sweep of 1,000 (the rubber band erased and drawn again in not-xor mode), against one full
// repaint of the visible part of the paint area (the zoomed picture and every overlay drawn
// afresh), both measured in the same run. The moves are measured twice: on the editor's
// document and canvas alone, and through the window offscreen (a real mouse event to the paint
// area and the paint it leads to).
#include "BenchSupport.h"
#include "controls/RadioGroup.h"
#include "hotedit/core/SpotCanvas.h"
#include "hotedit/core/SpotDocument.h"
#include "hotedit/windows/SpotEditor.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <cstdio>
#include <random>

using namespace mm;
using namespace mm::bench;

namespace {

constexpr QSize kPicture(800, 1200);
constexpr QSize kClient(508, 519); // the visible part of the spot editor's paint area
constexpr int kZoom500 = 3;
constexpr int kMoves = 1000;
constexpr int kRuns = 5;
constexpr int kRepaints = 50;

QImage Picture() {
    QImage picture(kPicture, QImage::Format_RGB32);
    std::mt19937 random(2026);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgb(static_cast<int>(random() & 0xFF), x & 0xFF, y & 0xFF);
    }
    return picture;
}

// Down and across the visible part in steps of 3 pixels, as a hand moves a mouse.
std::vector<QPoint> Sweep(QPoint origin, QSize area) {
    std::vector<QPoint> path;
    for (int i = 0; path.size() < kMoves; ++i) {
        const int x = (i * 3) % (2 * area.width() - 2);
        path.emplace_back(origin.x() + (x < area.width() ? x : 2 * area.width() - 2 - x),
                          origin.y() + (i * 7 / 5) % area.height());
    }
    return path;
}

// A rectangle (its band has a crosshair and a dotted rectangle) and a twelve-point polyline (a
// dotted line to the pointer and on to the first point), both being drawn.
std::unique_ptr<TSpot> Spot(bool rectangle) {
    auto spot = std::make_unique<TSpot>(rectangle ? TSpotShape::Rectangle : TSpotShape::Polyline);
    std::vector<TPoint> points;
    for (int i = 0; i < (rectangle ? 2 : 12); ++i)
        points.push_back({400 + 4 * i, 600 + (i % 3) * 9});
    spot->SetPoints(points);
    return spot;
}

struct TFigures {
    double repaint = 0;
    double move = 0;
};

TFigures CoreFigures(const QImage& picture, bool rectangle) {
    const std::unique_ptr<TSpot> spot = Spot(rectangle);
    TSpotDocument document(spot->Data(), picture.size());
    const TSpotZoom zoom = ZoomStep(kZoom500, picture.size(), kClient);
    document.SetZoom(zoom);
    document.SelectPoint(1);
    document.EnterDrawing(std::nullopt);
    const QRect visible(zoom.ToView({350, 560}).X, zoom.ToView({350, 560}).Y, kClient.width(),
                        kClient.height());
    TSpotCanvas canvas;
    canvas.SetPicture(picture, zoom.PictureRect, zoom.PaintArea);
    const std::vector<QPoint> sweep = Sweep(visible.topLeft(), visible.size());
    document.Move(FromQPoint(sweep.front()), true);
    TFigures figures;
    figures.repaint =
        MedianSeconds(kRepaints, [&] { canvas.Render(visible, document.Overlays()); });
    figures.move = MedianSeconds(kRuns,
                                 [&] {
                                     for (const QPoint& at : sweep) {
                                         document.Move(FromQPoint(at), true);
                                         canvas.Show(document.Overlays());
                                     }
                                 }) /
                   kMoves;
    return figures;
}

void Move(QWidget* paintBox, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, paintBox->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(paintBox, &move);
    QApplication::processEvents(); // the paint the move asked for
}

// Through the window: real mouse events to the paint area and the paints they cause; a
// one-pixel scroll, which draws the visible part afresh, as the window's full repaint.
TFigures WindowFigures(const QImage& picture, bool rectangle, TDialogs& dialogs) {
    const std::unique_ptr<TSpot> spot = Spot(rectangle);
    TSpotEditor editor(dialogs);
    editor.LoadSpot(picture, spot->Data());
    editor.show();
    editor.activateWindow();
    QApplication::processEvents();
    editor.findChild<TRadioGroup*>("rgZoom")->SetItemIndex(kZoom500);
    auto* scroll = editor.findChild<QScrollArea*>("ScrollBox1");
    QWidget* paintBox = editor.findChild<QWidget*>("PaintBox");
    scroll->horizontalScrollBar()->setValue(1750);
    scroll->verticalScrollBar()->setValue(2800);
    editor.findChild<QToolButton*>("sbEdit")->click();
    QApplication::processEvents();
    const QRect visible(-paintBox->pos(), scroll->viewport()->size());
    const std::vector<QPoint> sweep = Sweep(visible.topLeft(), visible.size());
    Move(paintBox, sweep.front());
    TFigures figures;
    int step = 1;
    figures.repaint = MedianSeconds(kRepaints, [&] {
        step = -step;
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->value() + step);
        QApplication::processEvents();
    });
    figures.move = MedianSeconds(kRuns,
                                 [&] {
                                     for (const QPoint& at : sweep)
                                         Move(paintBox, at);
                                 }) /
                   kMoves;
    return figures;
}

void Print(const char* figure, double seconds, double reference) {
    const double ratio = seconds / reference;
    std::printf("%-58s %9.1f us %8.3f  %s\n", figure, seconds * 1e6, ratio,
                ratio <= 1.0 / 20 ? "met" : "missed");
}

// The offscreen platform's notes about raising and grabbing are not measurements.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QStringLiteral("This plugin does not support")) &&
        !text.contains(QStringLiteral("propagateSizeHints")) &&
        !text.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreen);
    QApplication app(argc, argv);
    const QImage picture = Picture();
    TQtDialogs dialogs;
    std::printf("picture %d x %d at 500 %%, visible part %d x %d; aim: a move <= 1/20 of a "
                "repaint\n\n",
                kPicture.width(), kPicture.height(), kClient.width(), kClient.height());
    std::printf("%-58s %12s %8s\n", "figure", "measured", "/ repaint");
    for (const bool rectangle : {true, false}) {
        const char* shape = rectangle ? "rectangle" : "polyline";
        const TFigures core = CoreFigures(picture, rectangle);
        const TFigures window = WindowFigures(picture, rectangle, dialogs);
        std::printf("-- %s being drawn\n", shape);
        std::printf("%-58s %9.1f us\n", "full repaint of the visible part (reference)",
                    core.repaint * 1e6);
        Print("pointer move: document and canvas", core.move, core.repaint);
        Print("pointer move through the window (event and paint)", window.move, core.repaint);
        std::printf("%-58s %9.1f us %8.3f\n", "window: one-pixel scroll (a full repaint)",
                    window.repaint * 1e6, window.repaint / core.repaint);
        std::printf("%-58s %12s %8.3f\n", "window: pointer move / its full repaint", "",
                    window.move / window.repaint);
    }
    return 0;
}
