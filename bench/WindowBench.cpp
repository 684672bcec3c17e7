// The main window over a database of 10,000 models of 123 keys with 30 KB JPEG pictures:
// start-up to the window shown, and switching between two models in edit mode (store the left
// model, show the new one), each against loading the same database without a window.
// Run without arguments; "--load DIR" and "--startup DIR" are the children that measure one
// load and one start-up in a fresh process, as the program meets them.
#include "BenchSupport.h"
#include "controls/Grid.h"
#include "manager/MainWindow.h"
#include "model/ModelFile.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QToolButton>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>

using namespace mm;
using namespace mm::bench;

namespace {

constexpr int kModels = 10000;
constexpr int kKeys = 123;
constexpr int kRuns = 5;
constexpr int kSwitches = 60;

// A photograph-like picture: gradients with noise, about 30 KB at quality 60.
TSSByteArray JpegPicture() {
    QImage image(360, 480, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int noise = static_cast<int>(random() % 40);
            image.setPixel(x, y, qRgb((x / 2 + noise) % 256, (y / 2 + noise) % 256, (x + y) % 256));
        }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 60);
    const QByteArray& bytes = buffer.data();
    return TSSByteArray(bytes.begin(), bytes.end());
}

// The offscreen platform says on every show that it keeps no size hints, and Qt that there is
// no runtime folder; nothing else is hidden.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QStringLiteral("propagateSizeHints")) &&
        !text.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Start-up as the user sees it: built, shown and painted.
std::unique_ptr<MainWindow> OpenWindow(TDialogs& dialogs, const std::string& dir) {
    auto window = std::make_unique<MainWindow>(dialogs, dir);
    window->show();
    QApplication::processEvents();
    return window;
}

// The children: one load, or one start-up, in this fresh process; the seconds are printed.
int LoadChild(const std::string& dir) {
    TMyModelRecords models;
    std::printf("%.9f\n", Seconds([&] { LoadModelFile(ModelDatabasePath(dir), models); }));
    return models.size() == kModels ? 0 : 1;
}

// The clock starts once the platform is up, where the program's own work begins.
int StartupChild(int argc, char** argv) {
    QApplication app(argc, argv);
    TScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    std::printf("%.9f\n", Seconds([&] { window = OpenWindow(dialogs, argv[2]); }));
    return window->Document().Count() == kModels && dialogs.shown.isEmpty() ? 0 : 1;
}

double MedianChildSeconds(const TempFolder& folder, const char* what) {
    const std::string output = folder.File("child.txt");
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        RunProgram({SelfPath(), what, folder.Dir()}, output);
        double seconds = 0;
        std::ifstream(output) >> seconds;
        times.push_back(seconds);
    }
    return Median(times);
}

// Median time of one row change between the two models of 123 keys, painted.
double MedianSwitchSeconds(const std::string& dir) {
    TScriptedDialogs dialogs;
    const std::unique_ptr<MainWindow> window = OpenWindow(dialogs, dir);
    window->findChild<QToolButton*>(QStringLiteral("ToolButton3"))->click();
    auto* list = window->findChild<TtsGrid*>(QStringLiteral("tsGrid1"));
    std::vector<double> times;
    bool switched = window->Document().EditMode();
    for (int run = 0; run < kSwitches && switched; ++run) {
        const int row = run % 2 == 0 ? 2 : 1;
        times.push_back(Seconds([&] {
            list->SetCurrentRow(row);
            QApplication::processEvents();
        }));
        switched = list->CurrentRow() == row;
    }
    if (!switched || !dialogs.shown.isEmpty())
        throw std::runtime_error("the models were not switched: " +
                                 dialogs.shown.join(QStringLiteral(" | ")).toStdString());
    return Median(times);
}

// Median time of one edit of a model in the list and its undo command, there and back.
double MedianEditAndUndoSeconds(const std::string& dir) {
    TModelDocument document(dir);
    if (!document.Load().empty())
        throw std::runtime_error("the database was not read");
    std::vector<double> times;
    for (int run = 0; run < kSwitches; ++run) {
        times.push_back(Seconds([&] {
            document.SetName(run % kModels, "Renamed " + std::to_string(run));
            document.UndoStack().undo();
        }));
    }
    if (document.Unsaved())
        throw std::runtime_error("an edit was not undone");
    return Median(times);
}

// Median time of one key name typed into the working copy of a 123-key model and its undo.
double MedianKeyEditAndUndoSeconds(const std::string& dir) {
    TModelDocument document(dir);
    if (!document.Load().empty())
        throw std::runtime_error("the database was not read");
    document.SetEditMode(true);
    document.OpenWorking(0);
    std::vector<double> times;
    for (int run = 0; run < kSwitches; ++run) {
        const int row = 1 + run % kKeys;
        times.push_back(Seconds([&] {
            document.EditWorking(QStringLiteral("Rename key"), KeyCellMergeKey(false, 2, row),
                                 [&](TWorkingModel& model) {
                                     SetKeyCell(model, false, 2, row,
                                                "Typed " + std::to_string(run));
                                 });
            document.UndoStack().undo();
        }));
    }
    if (document.Unsaved())
        throw std::runtime_error("a key edit was not undone");
    return Median(times);
}

void Print(const char* figure, double seconds, double load, const char* aim, bool met) {
    std::printf("%-40s %9.1f ms %7.2f %14s  %s\n", figure, seconds * 1e3, seconds / load, aim,
                met ? "met" : "MISSED");
}

int RunBenchmark(int argc, char** argv) {
    QApplication app(argc, argv);
    TempFolder folder;
    std::filesystem::create_directory(folder.File("data"));
    const std::string database = ModelDatabasePath(folder.Dir());
    const TSSByteArray picture = JpegPicture();
    SaveModelFile(database, PictureDatabase(kModels, kKeys, picture), 0);
    std::printf("database: %d models of %d keys, %zu-byte JPEG pictures, %.1f MB\n", kModels, kKeys,
                picture.size(), static_cast<double>(std::filesystem::file_size(database)) / 1e6);

    const double load = MedianChildSeconds(folder, "--load");
    const double startup = MedianChildSeconds(folder, "--startup");
    const double switchTime = MedianSwitchSeconds(folder.Dir());
    const double editTime = MedianEditAndUndoSeconds(folder.Dir());
    const double keyEditTime = MedianKeyEditAndUndoSeconds(folder.Dir());

    std::printf("load without a window, fresh process: %.1f ms (median of %d)\n\n", load * 1e3,
                kRuns);
    std::printf("%-40s %12s %7s %14s\n", "figure", "measured", "/ load", "aim");
    Print("start-up to the window shown, median", startup, load, "<= 1.3 x load",
          startup <= 1.3 * load);
    Print("switch of two 123-key models, median", switchTime, load, "< 10 ms", switchTime < 0.010);
    Print("an edit and its undo command, median", editTime, load, "< 1 ms", editTime < 0.001);
    Print("a key typed and its undo command, median", keyEditTime, load, "< 1 ms",
          keyEditTime < 0.001);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreen);
    try {
        if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
            return LoadChild(argv[2]);
        if (argc == 3 && std::strcmp(argv[1], "--startup") == 0)
            return StartupChild(argc, argv);
        return RunBenchmark(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
