#pragma once
// Spots and lists built by the tests, and a readable form of a spot for failure messages.
#include "hotimage/core/HotSpots.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace mm::test {

inline std::unique_ptr<TSpot> MakeSpot(TSpotShape shape, std::vector<TPoint> points,
                                       int32_t id = 0) {
    auto spot = std::make_unique<TSpot>(shape);
    spot->SetPoints(std::move(points));
    spot->ID = id;
    return spot;
}

// The text of the error the action raises.
inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

inline std::string Describe(const TSpot& s) {
    std::ostringstream out;
    out << "shape " << int(s.Shape()) << " points";
    for (const TPoint& p : s.Points())
        out << " " << p.X << "," << p.Y;
    out << " ID " << s.ID << " KeyKind " << s.KeyKind << " colours " << s.NormalColor << "/"
        << s.ToggleColor << " enabled " << s.Enabled << " hint [" << s.Hint << "]";
    if (s.HasMask()) {
        const TSpotMask m = s.GetMask();
        out << " mask " << int(m.Flags) << " " << m.OverPoint.X << "," << m.OverPoint.Y << " "
            << m.DownPoint.X << "," << m.DownPoint.Y;
    }
    return out.str();
}

inline std::string Describe(const THotSpots& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i)
        out += "[" + std::to_string(i) + "] " + Describe(*list.Items(i)) + "\n";
    return out;
}

} // namespace mm::test
