// The hot image on an 800 x 1200 picture with 150 spots, every check mark on: one full render
// of the back buffer, and one pointer move of a sweep across the picture (hit test and the
// control's move handling), each against a plain copy of the picture into the buffer measured
// in the same run. And a map at the bound on work, freshly read: checked, drawn with every check
// mark and swept by the pointer.
#include "hotimage/core/DisplayMapping.h"
#include "hotimage/core/HotImageRenderer.h"
#include "hotimage/core/HotMapCheck.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/core/HotPointer.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 800;
constexpr int kHeight = 1200;
constexpr int kColumns = 10; // 10 x 15 buttons of 80 x 80 pixels
constexpr int kRows = 15;

// Every third button a rectangle, an ellipse or a polygon of 12 points; IDs in pairs, so that
// the selected spot has a partner; the shift key in the middle.
std::unique_ptr<mm::TSpot> Button(int index) {
    const int cx = (index % kColumns) * 80 + 40;
    const int cy = (index / kColumns) * 80 + 40;
    const int r = 30;
    std::unique_ptr<mm::TSpot> spot;
    switch (index % 3) {
    case 0:
        spot = std::make_unique<mm::TSpot>(mm::TSpotShape::Rectangle);
        spot->SetCorners({cx - r, cy - r / 2}, {cx + r, cy + r / 2});
        break;
    case 1:
        spot = std::make_unique<mm::TSpot>(mm::TSpotShape::Ellipse);
        spot->SetCorners({cx - r, cy - r}, {cx + r, cy + r});
        break;
    default: {
        spot = std::make_unique<mm::TSpot>();
        std::vector<mm::TPoint> points;
        for (int i = 0; i < 12; ++i) {
            const double angle = 2 * std::numbers::pi * i / 12;
            points.push_back({cx + static_cast<int>(std::lround(r * std::cos(angle))),
                              cy + static_cast<int>(std::lround(r * std::sin(angle)))});
        }
        spot->SetPoints(std::move(points));
    }
    }
    spot->ID = index / 2;
    spot->KeyKind = index == 75 ? mm::kKeyKindShift : mm::kKeyKindNormal;
    spot->CheckMarks = {true, true};
    return spot;
}

struct TScene {
    QImage picture{kWidth, kHeight, QImage::Format_RGB32};
    mm::THotSpots spots;
    mm::THotImageState state;
    QImage buffer{kWidth, kHeight, QImage::Format_RGB32};
    std::vector<QPoint> sweep;

    TScene() {
        std::mt19937 random(2026);
        for (int y = 0; y < kHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < kWidth; ++x)
                line[x] = qRgb(static_cast<int>(random() & 0xFF), x & 0xFF, y & 0xFF);
        }
        for (int i = 0; i < kColumns * kRows; ++i)
            spots.Add(Button(i));
        state.ShiftIndex = spots.IndexOfShiftKey();
        // Down and across the picture in steps of 3 pixels, as a hand moves a mouse.
        for (int y = 1; y < kHeight; y += 97)
            for (int x = 0; x < kWidth; x += 3)
                sweep.emplace_back((y / 97) % 2 ? kWidth - 1 - x : x, y + x % 50);
    }

    void FreeRegions() {
        for (int i = 0; i < spots.Count(); ++i)
            spots.Items(i)->FreeRegion();
    }
};

TScene& Scene() {
    static TScene scene;
    return scene;
}

// The reference: the picture copied whole into the buffer, the best of many.
double PlainCopySeconds() {
    static const double seconds = [] {
        TScene& scene = Scene();
        double best = 1e9;
        for (int run = 0; run < 200; ++run) {
            const auto start = Clock::now();
            QPainter canvas(&scene.buffer);
            canvas.drawImage(0, 0, scene.picture);
            canvas.end();
            benchmark::DoNotOptimize(scene.buffer.constBits());
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        }
        return best;
    }();
    return seconds;
}

// regionsCached false: every spot gave its region back first, as the misses of a pointer
// sweep leave them before a click renders.
void Render(benchmark::State& state, bool regionsCached) {
    TScene& scene = Scene();
    const mm::THotImageRenderer renderer(scene.picture, scene.spots, scene.state);
    double total = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        if (!regionsCached) {
            state.PauseTiming();
            scene.FreeRegions();
            state.ResumeTiming();
        }
        const auto start = Clock::now();
        renderer.RenderBuffer(scene.buffer, true);
        total += std::chrono::duration<double>(Clock::now() - start).count();
        ++runs;
        benchmark::DoNotOptimize(scene.buffer.constBits());
    }
    const double perRender = runs ? total / static_cast<double>(runs) : 0;
    state.counters["ms_per_render"] = perRender * 1e3;
    state.counters["ratio_to_plain_copy"] = perRender / PlainCopySeconds();
}

void PointerSweep(benchmark::State& state) {
    TScene& scene = Scene();
    mm::THotPointer pointer(scene.spots);
    int changes = 0;
    pointer.HotSpotChanged = [&](mm::TSpot*) { ++changes; };
    const mm::TSpotMapping mapping =
        mm::DisplayMapping(false, {kWidth, kHeight}, scene.picture.size());
    double total = 0;
    int64_t moves = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const QPoint& at : scene.sweep) {
            pointer.HitTest(at, mapping);
            pointer.MouseMove(true);
        }
        total += std::chrono::duration<double>(Clock::now() - start).count();
        moves += static_cast<int64_t>(scene.sweep.size());
    }
    benchmark::DoNotOptimize(changes);
    const double perMove = moves ? total / static_cast<double>(moves) : 0;
    state.counters["us_per_move"] = perMove * 1e6;
    state.counters["ratio_to_plain_copy"] = perMove / PlainCopySeconds();
    state.counters["plain_copy_ms"] = PlainCopySeconds() * 1e3;
}

// As many tall triangles as the bound on work lets one map hold, across the picture.
void FillAtTheBound(mm::THotSpots& spots) {
    const std::vector<mm::TPoint> triangle = {{0, 0}, {10, 131071}, {20, 0}};
    for (int i = 0;; ++i) {
        auto spot = std::make_unique<mm::TSpot>();
        std::vector<mm::TPoint> points;
        for (const mm::TPoint& p : triangle)
            points.push_back({p.X + 48 * i, p.Y});
        spot->SetPoints(std::move(points));
        spot->ID = i;
        spot->CheckMarks = {true, true};
        spots.Add(std::move(spot));
        if (spots.Count() > 1 &&
            spots.Items(0)->RegionWork() * (spots.Count() + 1) > mm::kMaxMapRegionWork)
            return;
    }
}

void MapAtTheBound(benchmark::State& state) {
    TScene& scene = Scene();
    const mm::TSpotMapping mapping =
        mm::DisplayMapping(false, {kWidth, kHeight}, scene.picture.size());
    double total = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        mm::THotSpots spots;
        FillAtTheBound(spots);
        state.ResumeTiming();
        const auto start = Clock::now();
        benchmark::DoNotOptimize(mm::CheckHotMap({0, 1, 2}, spots));
        mm::THotImageState shown;
        mm::THotImageRenderer(scene.picture, spots, shown).RenderBuffer(scene.buffer, true);
        mm::THotPointer pointer(spots);
        for (const QPoint& at : scene.sweep)
            pointer.HitTest(at, mapping);
        total += std::chrono::duration<double>(Clock::now() - start).count();
        ++runs;
    }
    const double perRun = runs ? total / static_cast<double>(runs) : 0;
    state.counters["ms_check_render_sweep"] = perRun * 1e3;
    state.counters["ratio_to_plain_copy"] = perRun / PlainCopySeconds();
}

BENCHMARK_CAPTURE(Render, regions_cached, true)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Render, after_a_sweep, false)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(PointerSweep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(MapAtTheBound)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
