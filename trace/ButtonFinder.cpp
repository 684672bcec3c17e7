// Buttons are the closed regions that edges enclose: edges are taken on lightness and on both
// colour axes, so a button of any colour stands out on a dark or light body, and each channel
// is normalised locally first, so light falling from one side does not hide one half.
#include "ButtonFinder.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace mm {

namespace {

struct TCandidate {
    std::vector<cv::Point> Contour;
    double Area = 0; // inside the outer contour
    cv::Rect Box;
    cv::Point2f Centre;
    bool Hole = false; // a hole in the body's region, holding the button's rim too
};

// Sizes relative to the picture: a button covers at most this part of it.
constexpr double kMaxButtonShare = 1.0 / 12;
constexpr double kMinButtonArea = 60;
constexpr double kMinSolidity = 0.8;   // area over the convex hull's: crescents are shadows
constexpr double kMaxElongation = 4.5; // long side over short side
// Smaller than this part of the median candidate: a printed mark or a glyph's hole.
constexpr double kMinMedianShare = 0.15;
// A region nested in a bigger one and smaller than this part of it is a highlight or glyph on
// that button; a bigger nested one makes the outer region a frame around buttons.
constexpr double kNestedShare = 0.08;
// The edge band (Canny's line and the dilation closing its gaps) eats this much of each side.
constexpr double kEdgeBand = 1.5;

cv::Mat RgbMat(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    cv::Mat view(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar*>(rgb.constBits()),
                 static_cast<size_t>(rgb.bytesPerLine()));
    return view.clone();
}

cv::Mat Edges(const cv::Mat& rgb) {
    // A median wider than a letter's stroke wears down the label printed on a button (which can
    // cut the button in parts where it touches the rim) and the sensor's noise, while it keeps
    // the rim where it is.
    const int side = std::min(rgb.cols, rgb.rows);
    cv::Mat plain;
    cv::medianBlur(rgb, plain, std::max(5, side / 120) | 1);
    cv::Mat lab;
    cv::cvtColor(plain, lab, cv::COLOR_RGB2Lab);
    std::vector<cv::Mat> channels;
    cv::split(lab, channels);
    const double sigma = std::max(1.0, side / 600.0);
    cv::Mat edges = cv::Mat::zeros(rgb.size(), CV_8U);
    for (size_t c = 0; c < channels.size(); ++c) {
        cv::Mat smooth, found;
        cv::GaussianBlur(channels[c], smooth, cv::Size(0, 0), sigma);
        if (c == 0)
            cv::createCLAHE(2.0, cv::Size(8, 8))->apply(smooth, smooth);
        // The colour axes span a narrower range than lightness.
        const double low = c == 0 ? 30 : 14;
        cv::Canny(smooth, found, low, low * 2.5, 3, true);
        edges |= found;
    }
    cv::dilate(edges, edges, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
    return edges;
}

// A button's candidate when its outline has a button's size and shape.
std::optional<TCandidate> Candidate(std::vector<cv::Point> contour, double maxArea, bool hole) {
    const double area = cv::contourArea(contour);
    if (area < kMinButtonArea || area > maxArea)
        return std::nullopt;
    std::vector<cv::Point> hull;
    cv::convexHull(contour, hull);
    if (area < kMinSolidity * cv::contourArea(hull))
        return std::nullopt;
    const cv::RotatedRect rect = cv::minAreaRect(contour);
    const float shortSide = std::min(rect.size.width, rect.size.height);
    if (shortSide < 4 || std::max(rect.size.width, rect.size.height) > kMaxElongation * shortSide)
        return std::nullopt;
    const cv::Rect box = cv::boundingRect(contour);
    return TCandidate{std::move(contour), area, box, rect.center, hole};
}

// Two kinds of candidates: the regions that edges enclose, and the holes in the large regions
// (the remote's body): a hole holds a whole button even where its label touches the rim and
// cuts its face in parts.
std::vector<TCandidate> Regions(const cv::Mat& edges) {
    cv::Mat open = edges == 0;
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(open, labels, stats, centroids, 4, CV_32S);
    const double maxArea = kMaxButtonShare * edges.cols * edges.rows;
    std::vector<TCandidate> found;
    for (int label = 1; label < count; ++label) {
        const cv::Rect box(
            stats.at<int>(label, cv::CC_STAT_LEFT), stats.at<int>(label, cv::CC_STAT_TOP),
            stats.at<int>(label, cv::CC_STAT_WIDTH), stats.at<int>(label, cv::CC_STAT_HEIGHT));
        const double area = stats.at<int>(label, cv::CC_STAT_AREA);
        if (area < kMinButtonArea)
            continue;
        const bool large = area > maxArea;
        cv::Mat mask = labels(box) == label;
        std::vector<std::vector<cv::Point>> contours;
        std::vector<cv::Vec4i> hierarchy;
        cv::findContours(mask, contours, hierarchy, large ? cv::RETR_CCOMP : cv::RETR_EXTERNAL,
                         cv::CHAIN_APPROX_SIMPLE, box.tl());
        if (large) {
            for (size_t i = 0; i < contours.size(); ++i)
                if (hierarchy[i][3] >= 0)
                    if (auto c = Candidate(std::move(contours[i]), maxArea, true))
                        found.push_back(std::move(*c));
            continue;
        }
        if (box.x == 0 || box.y == 0 || box.br().x >= edges.cols || box.br().y >= edges.rows)
            continue; // the background around the remote
        if (contours.empty())
            continue;
        auto largest =
            std::max_element(contours.begin(), contours.end(), [](const auto& a, const auto& b) {
                return cv::contourArea(a) < cv::contourArea(b);
            });
        if (auto c = Candidate(std::move(*largest), maxArea, false))
            found.push_back(std::move(*c));
    }
    return found;
}

// A hole of the body and the regions inside it: the hole is one button whose face its label
// cut in parts when those parts cover less than half of it; else the regions are buttons
// touching each other (the arrows around OK) and the hole is left out.
std::vector<TCandidate> WholeButtons(std::vector<TCandidate> candidates) {
    std::vector<bool> drop(candidates.size(), false);
    for (size_t h = 0; h < candidates.size(); ++h) {
        if (!candidates[h].Hole)
            continue;
        std::vector<size_t> inside;
        double covered = 0;
        for (size_t r = 0; r < candidates.size(); ++r) {
            if (candidates[r].Hole ||
                cv::pointPolygonTest(candidates[h].Contour, candidates[r].Centre, false) < 0)
                continue;
            inside.push_back(r);
            covered += candidates[r].Area;
        }
        if (covered < 0.5 * candidates[h].Area) {
            for (size_t r : inside)
                drop[r] = true;
        } else {
            drop[h] = true;
        }
    }
    std::vector<TCandidate> kept;
    for (size_t i = 0; i < candidates.size(); ++i)
        if (!drop[i])
            kept.push_back(std::move(candidates[i]));
    return kept;
}

// Leaves out glyph holes and highlights inside buttons, frames around groups of buttons, and
// marks much smaller than the typical button.
std::vector<TCandidate> Buttons(std::vector<TCandidate> candidates) {
    std::sort(candidates.begin(), candidates.end(),
              [](const TCandidate& a, const TCandidate& b) { return a.Area > b.Area; });
    std::vector<bool> drop(candidates.size(), false);
    for (size_t outer = 0; outer < candidates.size(); ++outer) {
        for (size_t inner = outer + 1; inner < candidates.size(); ++inner) {
            if (cv::pointPolygonTest(candidates[outer].Contour, candidates[inner].Centre, false) <
                0)
                continue;
            if (candidates[inner].Area < kNestedShare * candidates[outer].Area)
                drop[inner] = true;
            else
                drop[outer] = true;
        }
    }
    std::vector<TCandidate> kept;
    for (size_t i = 0; i < candidates.size(); ++i)
        if (!drop[i])
            kept.push_back(std::move(candidates[i]));
    if (kept.empty())
        return kept;
    std::vector<double> areas;
    for (const TCandidate& c : kept)
        areas.push_back(c.Area);
    std::nth_element(areas.begin(), areas.begin() + areas.size() / 2, areas.end());
    const double median = areas[areas.size() / 2];
    std::erase_if(kept, [&](const TCandidate& c) { return c.Area < kMinMedianShare * median; });
    return kept;
}

TPoint Rounded(cv::Point2f p) {
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))};
}

// Corners of a box around the centre, grown by the edge band.
std::vector<TPoint> Corners(cv::Point2f centre, float width, float height) {
    const float halfW = width / 2 + float(kEdgeBand);
    const float halfH = height / 2 + float(kEdgeBand);
    return {Rounded({centre.x - halfW, centre.y - halfH}),
            Rounded({centre.x + halfW, centre.y + halfH})};
}

// A polygon pushed outwards from its centre by the edge band.
std::vector<TPoint> Grown(const std::vector<cv::Point2f>& points, cv::Point2f centre) {
    std::vector<TPoint> grown;
    for (const cv::Point2f& p : points) {
        const cv::Point2f away = p - centre;
        const float length = std::max(1.0f, std::hypot(away.x, away.y));
        grown.push_back(Rounded(p + away * (float(kEdgeBand) / length)));
    }
    return grown;
}

bool NearlyUpright(float angle, float tolerance) {
    const float off = std::fmod(std::fabs(angle), 90.0f);
    return off < tolerance || 90.0f - off < tolerance;
}

bool Turned(float angle) {
    return std::fmod(std::fabs(angle) + 45.0f, 180.0f) >= 90.0f;
}

std::vector<cv::Point2f> EllipsePoints(const cv::RotatedRect& e) {
    std::vector<cv::Point2f> points;
    const double turn = e.angle * std::numbers::pi / 180;
    for (int i = 0; i < kMaxTracePoints; ++i) {
        const double t = 2 * std::numbers::pi * i / kMaxTracePoints;
        const double x = e.size.width / 2 * std::cos(t), y = e.size.height / 2 * std::sin(t);
        points.emplace_back(float(e.center.x + x * std::cos(turn) - y * std::sin(turn)),
                            float(e.center.y + x * std::sin(turn) + y * std::cos(turn)));
    }
    return points;
}

std::vector<cv::Point2f> SimplePolygon(const std::vector<cv::Point>& contour) {
    std::vector<cv::Point> hull;
    cv::convexHull(contour, hull);
    // Arrow and rocker keys are convex or nearly so; their hull loses nothing that matters.
    const std::vector<cv::Point>& source = hull.size() > 2 ? hull : contour;
    double epsilon = 0.01 * cv::arcLength(source, true);
    std::vector<cv::Point> simple;
    do {
        cv::approxPolyDP(source, simple, epsilon, true);
        epsilon *= 1.5;
    } while (simple.size() > size_t(kMaxTracePoints));
    return {simple.begin(), simple.end()};
}

TButtonOutline Fitted(const TCandidate& c) {
    TButtonOutline out;
    const cv::RotatedRect rect = cv::minAreaRect(c.Contour);
    const double rectFill = c.Area / std::max(1.0f, rect.size.area());
    std::optional<cv::RotatedRect> ellipse;
    if (c.Contour.size() >= 5) {
        const cv::RotatedRect e = cv::fitEllipse(c.Contour);
        const double fill = c.Area / std::max(1.0, std::numbers::pi / 4 * e.size.area());
        if (fill > 0.93 && fill < 1.07 && rectFill < 0.87)
            ellipse = e;
    }
    if (ellipse) {
        const bool round = std::fabs(ellipse->size.width - ellipse->size.height) <
                           0.08f * std::max(ellipse->size.width, ellipse->size.height);
        if (round || NearlyUpright(ellipse->angle, 10)) {
            out.Shape = TSpotShape::Ellipse;
            const bool turned = !round && Turned(ellipse->angle);
            out.Points =
                Corners(ellipse->center, turned ? ellipse->size.height : ellipse->size.width,
                        turned ? ellipse->size.width : ellipse->size.height);
        } else {
            out.Points = Grown(EllipsePoints(*ellipse), ellipse->center);
        }
    } else if (rectFill > 0.88) {
        if (NearlyUpright(rect.angle, 4)) {
            out.Shape = TSpotShape::Rectangle;
            const bool turned = Turned(rect.angle);
            out.Points = Corners(rect.center, turned ? rect.size.height : rect.size.width,
                                 turned ? rect.size.width : rect.size.height);
        } else {
            cv::Point2f corners[4];
            rect.points(corners);
            out.Points = Grown({corners, corners + 4}, rect.center);
        }
    } else {
        out.Points = Grown(SimplePolygon(c.Contour), c.Centre);
    }
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const TPoint& p : out.Points) {
        left = std::min(left, p.X);
        top = std::min(top, p.Y);
        right = std::max(right, p.X + (out.Shape == TSpotShape::Polyline ? 1 : 0));
        bottom = std::max(bottom, p.Y + (out.Shape == TSpotShape::Polyline ? 1 : 0));
    }
    out.Box = {left, top, right, bottom};
    return out;
}

} // namespace

std::vector<TButtonOutline> FindButtons(const QImage& picture) {
    if (picture.isNull() || picture.width() < 8 || picture.height() < 8)
        return {};
    std::vector<TCandidate> buttons = Buttons(WholeButtons(Regions(Edges(RgbMat(picture)))));
    // Reading order: a row holds the buttons whose centres lie within half the height of the
    // row's first button; rows top to bottom, each left to right.
    std::sort(buttons.begin(), buttons.end(),
              [](const TCandidate& a, const TCandidate& b) { return a.Centre.y < b.Centre.y; });
    std::vector<std::pair<int, TButtonOutline>> rowed;
    float rowTop = 0, rowReach = -1;
    int row = 0;
    for (const TCandidate& c : buttons) {
        if (c.Centre.y > rowTop + rowReach) {
            ++row;
            rowTop = c.Centre.y;
            rowReach = float(c.Box.height) / 2;
        }
        rowed.emplace_back(row, Fitted(c));
    }
    std::stable_sort(rowed.begin(), rowed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.Box.Left < b.second.Box.Left;
    });
    std::vector<TButtonOutline> outlines;
    for (auto& [_, outline] : rowed)
        outlines.push_back(std::move(outline));
    return outlines;
}

} // namespace mm
