// Hit testing a hot map of 500 polygon spots of 16 points at 10,000 pointer positions, per
// position, against one QRegion point test measured in the same run.
#include "hotimage/core/HotSpots.h"

#include <QPolygon>
#include <QRegion>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSpots = 500;
constexpr int kPointsPerSpot = 16;
constexpr int kPositions = 10000;
constexpr int kPictureWidth = 1000; // a tall remote-control photograph
constexpr int kPictureHeight = 2000;

std::vector<mm::TPoint> Outline(std::mt19937& random) {
    std::uniform_int_distribution<int> x(40, kPictureWidth - 40);
    std::uniform_int_distribution<int> y(40, kPictureHeight - 40);
    std::uniform_int_distribution<int> radius(10, 30);
    const int cx = x(random);
    const int cy = y(random);
    const int r = radius(random);
    std::vector<mm::TPoint> points;
    for (int i = 0; i < kPointsPerSpot; ++i) {
        const double angle = 2 * std::numbers::pi * i / kPointsPerSpot;
        points.push_back({cx + static_cast<int>(std::lround(r * std::cos(angle))),
                          cy + static_cast<int>(std::lround(r * std::sin(angle)))});
    }
    return points;
}

struct TScene {
    mm::THotSpots spots;
    std::vector<mm::TPoint> positions;
};

const TScene& Scene() {
    static const std::unique_ptr<TScene> scene = [] {
        auto s = std::make_unique<TScene>();
        std::mt19937 random(2024);
        for (int i = 0; i < kSpots; ++i)
            s->spots.Add(std::make_unique<mm::TSpot>())->SetPoints(Outline(random));
        std::uniform_int_distribution<int> x(0, kPictureWidth - 1);
        std::uniform_int_distribution<int> y(0, kPictureHeight - 1);
        for (int i = 0; i < kPositions; ++i)
            s->positions.push_back({x(random), y(random)});
        return s;
    }();
    return *scene;
}

// The reference: one QRegion point test on the region of the first spot's polygon, the best
// of a few passes over the same positions.
double QRegionTestSeconds() {
    const TScene& scene = Scene();
    QPolygon polygon;
    for (const mm::TPoint& p : scene.spots.Items(0)->Points())
        polygon << mm::ToQPoint(p);
    const QRegion region(polygon, Qt::OddEvenFill);
    double best = 1e9;
    for (int pass = 0; pass < 20; ++pass) {
        int64_t hits = 0;
        const auto start = Clock::now();
        for (const mm::TPoint& p : scene.positions)
            hits += region.contains(mm::ToQPoint(p)) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best / kPositions;
}

void HitTest(benchmark::State& state) {
    const TScene& scene = Scene();
    double total = 0;
    int64_t runs = 0;
    int64_t hits = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const mm::TPoint& p : scene.positions)
            hits += scene.spots.IndexAt(p) >= 0 ? 1 : 0;
        total += std::chrono::duration<double>(Clock::now() - start).count();
        ++runs;
    }
    benchmark::DoNotOptimize(hits);
    const double perPosition = runs ? total / static_cast<double>(runs) / kPositions : 0;
    state.counters["us_per_position"] = perPosition * 1e6;
    state.counters["ratio_to_one_qregion_test"] = perPosition / QRegionTestSeconds();
    state.counters["hit_share"] =
        runs ? static_cast<double>(hits) / static_cast<double>(runs * kPositions) : 0;
}

BENCHMARK(HitTest)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
