#include "SpotRegion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace mm {

namespace {

using TSpan = std::pair<int32_t, int32_t>; // pixels [first, second) of one row
using TSpans = std::vector<TSpan>;

bool InRange(int32_t value) {
    return value >= -kMaxRegionCoord && value <= kMaxRegionCoord;
}

bool InRange(const TRect& r) {
    return InRange(r.Left) && InRange(r.Top) && InRange(r.Right) && InRange(r.Bottom);
}

// Collects rows of spans into the y-x banded rectangles QRegion::setRects expects: equal
// neighbouring rows share one band, and spans of a row neither overlap nor touch.
class TBandBuilder {
public:
    void AddRow(int32_t y, const TSpans& spans) {
        if (height_ > 0 && y == top_ + height_ && spans == band_) {
            ++height_;
            return;
        }
        Flush();
        if (spans.empty())
            return;
        band_ = spans;
        top_ = y;
        height_ = 1;
    }

    QRegion Finish() {
        Flush();
        QRegion region;
        if (rects_.empty())
            return region;
        region.setRects(rects_.data(), static_cast<int>(rects_.size()));
        // QRegion does not report a failed allocation; a region that lost its rectangles is
        // one that could not be stored.
        if (region.rectCount() != static_cast<int>(rects_.size()))
            throw RegionMemoryError();
        return region;
    }

private:
    void Flush() {
        for (const TSpan& span : band_)
            rects_.emplace_back(QPoint(span.first, top_),
                                QPoint(span.second - 1, top_ + height_ - 1));
        band_.clear();
        height_ = 0;
    }

    std::vector<QRect> rects_;
    TSpans band_;
    int32_t top_ = 0;
    int32_t height_ = 0;
};

// An edge from its upper end (X0, Y0) to its lower end; it crosses the rows Y0 <= y < Y1.
struct TEdge {
    int64_t X0, Y0, X1, Y1;
};

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The first pixel of row y whose centre lies right of where the edge crosses the row's centre
// line. Exact in integers: the crossing is X0 + (2(y - Y0) + 1)(X1 - X0) / 2(Y1 - Y0).
int32_t Threshold(const TEdge& e, int32_t y) {
    const int64_t d = 2 * (e.Y1 - e.Y0);
    const int64_t k = 2 * (y - e.Y0) + 1;
    const int64_t n = 2 * e.X0 * d + 2 * k * (e.X1 - e.X0) - d;
    return static_cast<int32_t>(FloorDiv(n, 2 * d) + 1);
}

// Even-odd spans of one row from the sorted thresholds of the edges crossing it.
void PairUp(const std::vector<int32_t>& thresholds, TSpans& spans) {
    spans.clear();
    for (size_t k = 0; k + 1 < thresholds.size(); k += 2) {
        const int32_t a = thresholds[k];
        const int32_t b = thresholds[k + 1];
        if (b <= a)
            continue;
        if (!spans.empty() && spans.back().second >= a)
            spans.back().second = b;
        else
            spans.emplace_back(a, b);
    }
}

// The box of every span passed to it.
class TBoxCollector {
public:
    bool AddRow(int32_t y, const TSpans& spans) {
        for (const TSpan& span : spans)
            box_ |= QRect(QPoint(span.first, y), QPoint(span.second - 1, y));
        return true;
    }
    QRect Box() const { return box_; }

private:
    QRect box_;
};

// Rows of an ellipse's pixels, top to bottom, to sink(y, spans) until it answers false; false
// when the ellipse is beyond the limits.
// The pixels [first, second) of row y of the ellipse in the normalized box n.
TSpan EllipseRow(const TRect& n, int32_t y) {
    const double width = double(n.Right) - n.Left;
    const double height = double(n.Bottom) - n.Top;
    const double centreX2 = double(n.Left) + n.Right; // doubled, so pixel centres are 2x + 1
    const double centreY2 = double(n.Top) + n.Bottom;
    const double dy = (2.0 * y + 1 - centreY2) / height;
    const double half = width * std::sqrt(std::max(0.0, 1 - dy * dy)); // doubled half-width
    return {static_cast<int32_t>(std::floor((centreX2 - half - 1) / 2) + 1),
            static_cast<int32_t>(std::ceil((centreX2 + half - 1) / 2))};
}

// Rows of an ellipse's pixels, top to bottom, to sink(y, spans) until it answers false; false
// when the ellipse is beyond the limits.
template <typename Sink> bool ScanEllipse(const TRect& r, Sink&& sink) {
    const TRect n = Normalized(r);
    if (EllipseRegionWork(r) == 0)
        return false;
    TSpans spans;
    for (int32_t y = n.Top; y < n.Bottom; ++y) {
        const TSpan row = EllipseRow(n, y);
        spans.clear();
        if (row.second > row.first)
            spans.push_back(row);
        if (!sink(y, spans))
            break;
    }
    return true;
}

// The edges of a polygon that cross row centres, sorted by their upper ends; none when the
// polygon is beyond the limits.
std::vector<TEdge> CrossingEdges(std::span<const TPoint> points) {
    if (PolygonRegionWork(points) == 0)
        return {};
    std::vector<TEdge> edges;
    for (size_t i = 0; i < points.size(); ++i) {
        TPoint a = points[i];
        TPoint b = points[(i + 1) % points.size()];
        if (a.Y == b.Y)
            continue; // a horizontal edge crosses no row centre
        if (a.Y > b.Y)
            std::swap(a, b);
        edges.push_back({a.X, a.Y, b.X, b.Y});
    }
    std::sort(edges.begin(), edges.end(),
              [](const TEdge& l, const TEdge& r) { return l.Y0 < r.Y0; });
    return edges;
}

// The spans of row y from the thresholds of the edges that cross it.
template <typename Edges>
void RowSpans(const Edges& crossing, int32_t y, std::vector<int32_t>& thresholds, TSpans& spans) {
    thresholds.clear();
    for (const TEdge* e : crossing)
        thresholds.push_back(Threshold(*e, y));
    std::sort(thresholds.begin(), thresholds.end());
    PairUp(thresholds, spans);
}

// Rows of a polygon's pixels, top to bottom, to sink(y, spans) until it answers false.
template <typename Sink> void ScanPolygon(std::span<const TPoint> points, Sink&& sink) {
    const std::vector<TEdge> edges = CrossingEdges(points);
    if (edges.empty())
        return;
    int64_t bottom = 0;
    for (const TEdge& e : edges)
        bottom = std::max(bottom, e.Y1);
    std::vector<const TEdge*> active;
    std::vector<int32_t> thresholds;
    TSpans spans;
    size_t next = 0;
    // Every row between the top and the bottom of a closed polygon is crossed by at least two
    // edges, so the rows are bounded by the work the limit allows.
    for (auto y = static_cast<int32_t>(edges.front().Y0); y < bottom; ++y) {
        while (next < edges.size() && edges[next].Y0 <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const TEdge* e) { return e->Y1 <= y; });
        RowSpans(active, y, thresholds, spans);
        if (!sink(y, spans))
            return;
    }
}

// Runs a scan, turning a failed allocation into the program's own error.
template <typename Scan> auto WithinMemory(Scan&& scan) {
    try {
        return scan();
    } catch (const std::bad_alloc&) {
        throw RegionMemoryError();
    }
}

// A scan deciding emptiness goes on only while the rows have no pixel.
bool StillEmpty(const TSpans& spans) {
    return spans.empty();
}

} // namespace

RegionMemoryError::RegionMemoryError()
    : Error("Not enough memory to build the outline of a spot") {}

RegionMemoryError::RegionMemoryError(const std::string& fileName)
    : Error("Not enough memory to build the outline of a spot of \"" + fileName + "\"") {}

QRegion RectRegion(const TRect& r) {
    const TRect n = Normalized(r);
    if (!InRange(n) || n.Left == n.Right || n.Top == n.Bottom)
        return {};
    return QRegion(ToQRect(n));
}

int64_t EllipseRegionWork(const TRect& r) {
    const TRect n = Normalized(r);
    if (!InRange(n) || n.Left == n.Right || n.Top == n.Bottom ||
        int64_t{n.Bottom} - n.Top > kMaxRegionWork)
        return 0;
    return int64_t{n.Bottom} - n.Top;
}

int64_t PolygonRegionWork(std::span<const TPoint> points) {
    if (points.size() < 3)
        return 0;
    int64_t work = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint a = points[i];
        const TPoint b = points[(i + 1) % points.size()];
        if (!InRange(a.X) || !InRange(a.Y))
            return 0;
        work += std::abs(int64_t{b.Y} - a.Y);
        if (work > kMaxRegionWork)
            return 0;
    }
    return work;
}

// The region of every row a scan gives, within the memory a region may take.
template <typename Scan> QRegion RegionOfRows(Scan scan) {
    return WithinMemory([&] {
        TBandBuilder bands;
        scan([&](int32_t y, const TSpans& spans) {
            bands.AddRow(y, spans);
            return true;
        });
        return bands.Finish();
    });
}

QRegion EllipseRegion(const TRect& r) {
    return RegionOfRows([&](const auto& row) { ScanEllipse(r, row); });
}

QRegion PolygonRegion(std::span<const TPoint> points) {
    return RegionOfRows([&](const auto& row) { ScanPolygon(points, row); });
}

QRect PolygonRegionBox(std::span<const TPoint> points) {
    return WithinMemory([&] {
        TBoxCollector box;
        ScanPolygon(points, [&](int32_t y, const TSpans& spans) { return box.AddRow(y, spans); });
        return box.Box();
    });
}

bool EllipseRegionIsEmpty(const TRect& r) {
    return WithinMemory([&] {
        bool empty = true;
        ScanEllipse(r, [&](int32_t, const TSpans& spans) { return empty = StillEmpty(spans); });
        return empty;
    });
}

bool PolygonRegionIsEmpty(std::span<const TPoint> points) {
    return WithinMemory([&] {
        bool empty = true;
        ScanPolygon(points,
                    [&](int32_t, const TSpans& spans) { return empty = StillEmpty(spans); });
        return empty;
    });
}

bool EllipseContains(const TRect& r, TPoint p) {
    const TRect n = Normalized(r);
    if (EllipseRegionWork(r) == 0 || p.Y < n.Top || p.Y >= n.Bottom)
        return false;
    const TSpan row = EllipseRow(n, p.Y);
    return row.first <= p.X && p.X < row.second;
}

bool PolygonContains(std::span<const TPoint> points, TPoint p) {
    return WithinMemory([&] {
        std::vector<TEdge> edges = CrossingEdges(points);
        std::vector<const TEdge*> crossing;
        for (const TEdge& e : edges)
            if (e.Y0 <= p.Y && p.Y < e.Y1)
                crossing.push_back(&e);
        std::vector<int32_t> thresholds;
        TSpans spans;
        RowSpans(crossing, p.Y, thresholds, spans);
        return std::any_of(spans.begin(), spans.end(), [&](const TSpan& span) {
            return span.first <= p.X && p.X < span.second;
        });
    });
}

} // namespace mm
