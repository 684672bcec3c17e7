// Tracing an 800 x 1200 photo of a remote with 40 buttons, OCR included: the whole trace and
// the finding of the outlines alone, each the median of 5 runs, with the trace's score. The
// aim is absolute (under 2 s), so no reference program is timed.
#include "BenchSupport.h"
#include "trace/ButtonFinder.h"
#include "trace/TracePictures.h" // tests/trace

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    using namespace mm;
    const test::TDrawnPicture picture = test::DrawPicture(
        {"800x1200, 40 buttons",
         {800, 1200},
         4,
         10,
         QColor(235, 235, 235),
         QColor(35, 35, 38),
         {QColor(150, 152, 155), QColor(235, 235, 232), QColor(200, 40, 35), QColor(40, 70, 190)},
         -2,
         true,
         true,
         true});
    std::vector<double> whole, finding;
    TTraceResult result;
    for (int run = 0; run < 5; ++run) {
        whole.push_back(
            bench::Seconds([&] { result = TracePicture(picture.Image, picture.Keys); }));
        finding.push_back(bench::Seconds([&] { (void)FindButtons(picture.Image); }));
    }
    std::printf("trace of 800x1200 with 40 buttons: %.0f ms (aim < 2000 ms), of which finding "
                "the outlines %.0f ms\n%s\n",
                bench::Median(whole) * 1000, bench::Median(finding) * 1000,
                test::ScoreText(test::Score(picture.Buttons, result)).c_str());
    return 0;
}
