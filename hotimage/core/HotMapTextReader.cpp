// Reading the text hot-map format. The reader works on one line at a time and never stops on
// malformed content: words that are not keywords are dropped, values that do not convert
// become 0.
#include "HotMapFormats.h"
#include "platform/Errors.h"
#include "platform/IntText.h"
#include "platform/Strings.h"

#include <algorithm>

namespace mm {

namespace {

// Lines of a stream, each ended by CR LF, a lone LF or a lone CR, and none longer than
// kMaxHotMapLineBytes: a stream without line ends (a device, a pipe) is refused, not held.
class TLineSource {
public:
    TLineSource(TStream& stream, const std::string& nameInErrors)
        : stream_(stream), name_(nameInErrors) {}

    // False at the end of the stream; raises FileReadError for a line beyond the bound.
    bool Next(std::string& line) {
        line.clear();
        if (Peek() < 0)
            return false;
        ++number_;
        for (int c = Get(); c >= 0; c = Get()) {
            if (c == '\n')
                break;
            if (c == '\r') {
                if (Peek() == '\n')
                    Get();
                break;
            }
            if (line.size() == kMaxHotMapLineBytes)
                throw FileReadError(name_, "Line " + std::to_string(number_) + " is longer than " +
                                               std::to_string(kMaxHotMapLineBytes) + " bytes.");
            line += static_cast<char>(c);
        }
        return true;
    }

private:
    int Peek() {
        if (pos_ == size_) {
            size_ = stream_.Read(chunk_.data(), chunk_.size());
            pos_ = 0;
        }
        return pos_ < size_ ? static_cast<unsigned char>(chunk_[pos_]) : -1;
    }

    int Get() {
        const int c = Peek();
        if (c >= 0)
            ++pos_;
        return c;
    }

    TStream& stream_;
    const std::string& name_;
    long long number_ = 0;
    std::vector<char> chunk_ = std::vector<char>(65536);
    size_t pos_ = 0;
    size_t size_ = 0;
};

bool IsWhitespace(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}
bool IsSeparator(char c) {
    return IsWhitespace(c) || c == ',' || c == '=';
}
bool IsWordEnd(char c) {
    return IsSeparator(c) || c == '>';
}
bool IsNumberChar(char c) {
    return c == '-' || (c >= '0' && c <= '9');
}

enum class TKeyword {
    None,
    ID,
    Hint,
    Shape,
    Disabled,
    Coords,
    MouseOver,
    MouseDown,
    KeyKind,
    NormalColor,
    ToggleColor
};

TKeyword KeywordOf(std::string_view word) {
    static constexpr std::pair<const char*, TKeyword> kKeywords[] = {
        {"ID", TKeyword::ID},
        {"HINT", TKeyword::Hint},
        {"SHAPE", TKeyword::Shape},
        {"DISABLED", TKeyword::Disabled},
        {"COORDS", TKeyword::Coords},
        {"MOUSEOVER", TKeyword::MouseOver},
        {"MOUSEDOWN", TKeyword::MouseDown},
        {"KEYKIND", TKeyword::KeyKind},
        {"NomalColo", TKeyword::NormalColor}, // nine letters, not NomalColor
        {"ToggleCol", TKeyword::ToggleColor},
    };
    for (const auto& [name, keyword] : kKeywords)
        if (SameText(word, name))
            return keyword;
    return TKeyword::None;
}

int32_t IntValue(std::string_view text) {
    return TryStrToInt(text).value_or(0);
}

// The point of the comma at `comma`: x is the run of number characters just before it, y the
// run just after it.
TPoint PointAtComma(std::string_view value, size_t comma) {
    size_t first = comma;
    while (first > 0 && IsNumberChar(value[first - 1]))
        --first;
    size_t last = comma + 1;
    while (last < value.size() && IsNumberChar(value[last]))
        ++last;
    return {IntValue(value.substr(first, comma - first)),
            IntValue(value.substr(comma + 1, last - comma - 1))};
}

void ApplyCoords(TSpot& spot, std::string_view value) {
    std::vector<TPoint> points;
    for (size_t comma = value.find(','); comma != std::string_view::npos;
         comma = value.find(',', comma + 1)) {
        points.push_back(PointAtComma(value, comma));
        if (spot.Shape() != TSpotShape::Polyline && points.size() == 2)
            break;
    }
    if (spot.Shape() == TSpotShape::Polyline) {
        if (!points.empty()) {
            spot.Clear();
            spot.SetPoints(std::move(points));
        }
        return;
    }
    points.resize(2); // corners without a comma of their own are (0, 0)
    spot.SetCorners({std::min(points[0].X, points[1].X), std::min(points[0].Y, points[1].Y)},
                    {std::max(points[0].X, points[1].X), std::max(points[0].Y, points[1].Y)});
}

void ApplyMaskPoint(TSpot& spot, uint8_t flag, std::string_view value) {
    TSpotMask mask = spot.GetMask();
    mask.Flags |= flag;
    const size_t comma = value.find(',');
    if (comma != std::string_view::npos) {
        const TPoint p = PointAtComma(value, comma);
        if (flag == kMaskOverPoint)
            mask.OverPoint = p;
        else
            mask.DownPoint = p;
    }
    spot.SetMask(mask);
}

void Apply(TSpot& spot, TKeyword keyword, const std::string& value) {
    switch (keyword) {
    case TKeyword::ID:
        spot.ID = IntValue(value);
        break;
    case TKeyword::KeyKind:
        spot.KeyKind = IntValue(value);
        break;
    case TKeyword::NormalColor:
        spot.NormalColor = IntValue(value);
        break;
    case TKeyword::ToggleColor:
        spot.ToggleColor = IntValue(value);
        break;
    case TKeyword::Hint:
        spot.Hint = value;
        break;
    case TKeyword::Shape:
        spot.SetShape(ShapeFromName(value));
        break;
    case TKeyword::Coords:
        ApplyCoords(spot, value);
        break;
    case TKeyword::MouseOver:
        ApplyMaskPoint(spot, kMaskOverPoint, value);
        break;
    case TKeyword::MouseDown:
        ApplyMaskPoint(spot, kMaskDownPoint, value);
        break;
    case TKeyword::None:
    case TKeyword::Disabled:
        break;
    }
}

// Rectangles and ellipses read from text always have Left <= Right and Top <= Bottom, also
// when "SHAPE" came after "COORDS" and turned a polyline's first points into corners.
void SortCorners(TSpot& spot) {
    if (spot.Shape() == TSpotShape::Polyline)
        return;
    const TRect r = Normalized(spot.Corners());
    if (r != spot.Corners())
        spot.SetCorners({r.Left, r.Top}, {r.Right, r.Bottom});
}

// The reader's buffer is the unread rest of the current line: line_ from pos_ on.
class THotMapTextReader {
public:
    THotMapTextReader(TStream& stream, const std::string& nameInErrors)
        : lines_(stream, nameInErrors) {}

    void Read(THotSpots& spots) {
        NextLine(); // the header line is searched like any other
        spots.Clear();
        while (FindSpotStart()) {
            auto spot = std::make_unique<TSpot>();
            ReadFields(*spot);
            SortCorners(*spot);
            spots.Add(std::move(spot));
        }
    }

private:
    bool NextLine() {
        pos_ = 0;
        return lines_.Next(line_);
    }

    bool FindSpotStart() {
        for (;;) {
            const size_t at = line_.find('<', pos_);
            if (at != std::string::npos) {
                pos_ = at + 1;
                return true;
            }
            if (!NextLine())
                return false;
        }
    }

    // Skips characters of the class, reading on; false at the end of the file.
    bool Skip(bool (*skipped)(char)) {
        for (;;) {
            while (pos_ < line_.size() && skipped(line_[pos_]))
                ++pos_;
            if (pos_ < line_.size())
                return true;
            if (!NextLine())
                return false;
        }
    }

    // Consumes a ">" that ends the spot.
    bool AtSpotEnd() {
        if (line_[pos_] != '>')
            return false;
        ++pos_;
        return true;
    }

    std::string_view TakeWord() {
        const size_t first = pos_;
        while (pos_ < line_.size() && !IsWordEnd(line_[pos_]))
            ++pos_;
        return std::string_view(line_).substr(first, pos_ - first);
    }

    // A quoted string, its doubled quotes single, or else a word.
    std::string TakeValue() {
        if (line_[pos_] != '"')
            return std::string(TakeWord());
        ++pos_;
        std::string value;
        for (;;) {
            const size_t quote = line_.find('"', pos_);
            if (quote == std::string::npos) {
                value.append(line_, pos_);
                if (!NextLine())
                    return value;
                value += "\r\n";
                continue;
            }
            value.append(line_, pos_, quote - pos_);
            if (quote + 1 < line_.size() && line_[quote + 1] == '"') {
                value += '"';
                pos_ = quote + 2;
                continue;
            }
            pos_ = quote + 1;
            return value;
        }
    }

    void ReadFields(TSpot& spot) {
        for (;;) {
            if (!Skip(IsSeparator) || AtSpotEnd())
                return;
            const TKeyword keyword = KeywordOf(TakeWord());
            if (keyword == TKeyword::None)
                continue;
            if (keyword == TKeyword::Disabled) {
                spot.Enabled = false;
                continue;
            }
            if (!Skip(IsWhitespace) || AtSpotEnd())
                return;
            if (line_[pos_] != '=')
                continue; // a keyword without "=" has no effect
            ++pos_;
            if (!Skip(IsWhitespace) || AtSpotEnd())
                return;
            Apply(spot, keyword, TakeValue());
        }
    }

    TLineSource lines_;
    std::string line_;
    size_t pos_ = 0;
};

} // namespace

void ReadHotMapText(TStream& stream, THotSpots& spots, const std::string& nameInErrors) {
    THotMapTextReader(stream, nameInErrors).Read(spots);
}

} // namespace mm
