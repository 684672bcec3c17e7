#include "HotMapFormats.h"

#include "platform/Errors.h"
#include "platform/Streams.h"
#include "platform/Strings.h"

#include <string_view>

namespace mm {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kPointsPerLine = 8;
constexpr const char* kShapeNames[] = {"polyline", "rectangle", "ellipse"};

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"'; // a quote inside is written twice
        out += c;
    }
    return out + '"';
}

std::string PointText(TPoint p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string CoordsText(const std::vector<TPoint>& points) {
    std::string out;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            out += i % kPointsPerLine == 0 ? kLineEnd : " ";
        out += PointText(points[i]);
    }
    return Quoted(out);
}

std::string Field(std::string_view keyword, std::string_view value) {
    return std::string(keyword) + "=" + std::string(value);
}

void WriteSpot(std::string& out, const TSpot& spot) {
    std::vector<std::string> fields;
    fields.push_back(Field("ID", std::to_string(spot.ID)));
    fields.push_back(Field("SHAPE", ShapeName(spot.Shape())));
    if (spot.PointCount() > 0)
        fields.push_back(Field("COORDS", CoordsText(spot.Points())));
    fields.push_back(Field("KEYKIND", std::to_string(spot.KeyKind)));
    fields.push_back(Field("NomalColo", std::to_string(spot.NormalColor)));
    fields.push_back(Field("ToggleCol", std::to_string(spot.ToggleColor)));
    if (!spot.Enabled)
        fields.emplace_back("DISABLED");
    if (!spot.Hint.empty())
        fields.push_back(Field("HINT", Quoted(spot.Hint)));
    const TSpotMask mask = spot.GetMask();
    if (mask.Flags & kMaskOverPoint)
        fields.push_back(Field("MOUSEOVER", Quoted(PointText(mask.OverPoint))));
    if (mask.Flags & kMaskDownPoint)
        fields.push_back(Field("MOUSEDOWN", Quoted(PointText(mask.DownPoint))));

    out += kLineEnd;
    out += "<";
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ",";
            out += kLineEnd;
        }
        out += fields[i];
    }
    out += ">";
    out += kLineEnd;
}

} // namespace

const char* ShapeName(TSpotShape shape) {
    const auto index = static_cast<size_t>(shape);
    return index < std::size(kShapeNames) ? kShapeNames[index] : kShapeNames[0];
}

TSpotShape ShapeFromName(std::string_view name) {
    for (size_t i = 0; i < std::size(kShapeNames); ++i)
        if (SameText(name, kShapeNames[i]))
            return static_cast<TSpotShape>(i);
    return TSpotShape::Polyline;
}

std::string HotMapText(const THotSpots& spots) {
    std::string out = "HOTMAP (HotImage v2.2)";
    out += kLineEnd;
    for (int i = 0; i < spots.Count(); ++i)
        WriteSpot(out, *spots.Items(i));
    return out;
}

void SaveHotMapText(const std::string& fileName, const THotSpots& spots) {
    const std::string text = HotMapText(spots);
    WriteWholeFile(fileName, text.data(), text.size());
}

void LoadHotMapText(const std::string& fileName, THotSpots& spots) {
    // An absent text file fails with the text-file error; other open failures keep their reason.
    if (FileIsAbsent(fileName))
        throw InOutError::FileNotFound();
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    ReadHotMapText(stream, spots, fileName);
}

} // namespace mm
