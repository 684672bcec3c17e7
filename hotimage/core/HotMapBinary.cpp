// The binary hot-map format: little-endian, packed, text without terminator.
#include "HotSpots.h"
#include "platform/FileWriter.h"

#include <bit>
#include <cstring>

namespace mm {

static_assert(std::endian::native == std::endian::little, "the format is read as memory images");
static_assert(sizeof(TPoint) == 8);

namespace {

constexpr char kSignature[4] = {'H', 'M', 'A', 'P'};
constexpr char kOldSignature[4] = {'H', 'M', 'A', 'p'};
constexpr char kMaskTag[4] = {'M', 'A', 'S', 'K'};
constexpr int32_t kMaskPointBytes = 16;
constexpr int32_t kMinMaskItemBytes = 4; // an item with a negative index is only that

// Reads the fields of one part of the file ("spot 3", "mask item 0") and says, when one cannot
// be read or holds a value no reader takes, which field of which part it was.
class TFieldReader {
public:
    TFieldReader(TStream& stream, std::string part) : stream_(stream), part_(std::move(part)) {}

    template <typename T> T Read(const char* field) {
        try {
            return stream_.ReadValue<T>();
        } catch (const ReadError& error) {
            throw HotMapFieldError(error, "the file ends inside " + Name(field));
        }
    }
    void ReadBytes(void* buffer, int64_t count, const char* field) {
        try {
            stream_.ReadBuffer(buffer, static_cast<size_t>(count));
        } catch (const ReadError& error) {
            throw HotMapFieldError(error, "the file ends inside " + Name(field));
        }
    }
    [[noreturn]] void Refuse(const Error& standard, const char* field, const std::string& value) {
        throw HotMapFieldError(standard, Name(field) + " is " + value);
    }
    // Counts and lengths from the file are checked against the bytes really left before
    // anything is allocated for them.
    void RequireBytes(int64_t count, int32_t value, const char* field) {
        if (count > stream_.Remaining())
            Refuse(ReadError(), field, std::to_string(value) + ", beyond the end of the file");
    }
    TStream& Stream() { return stream_; }

private:
    std::string Name(const char* field) const {
        return part_.empty() ? std::string("the ") + field
                             : std::string("the ") + field + " of " + part_;
    }

    TStream& stream_;
    std::string part_;
};

std::string SpotPart(int32_t index) {
    return "spot " + std::to_string(index);
}

TSpotShape ReadShape(TFieldReader& reader) {
    const auto value = reader.Read<uint8_t>("shape byte");
    if (value > static_cast<uint8_t>(TSpotShape::Ellipse)) // the outline could not be read
        reader.Refuse(HotMapFormatError(), "shape byte",
                      std::to_string(value) +
                          "; a shape is 0 (polyline), 1 (rectangle) or 2 (ellipse)");
    return static_cast<TSpotShape>(value);
}

std::string ReadHint(TFieldReader& reader) {
    const auto length = reader.Read<int32_t>("hint length");
    if (length < 0)
        reader.Refuse(ReadError(), "hint length", std::to_string(length));
    reader.RequireBytes(length, length, "hint length");
    std::string hint(static_cast<size_t>(length), '\0');
    reader.ReadBytes(hint.data(), length, "hint");
    return hint;
}

void ReadOutline(TFieldReader& reader, TSpot& spot) {
    int32_t count = 2;
    if (spot.Shape() == TSpotShape::Polyline) {
        count = reader.Read<int32_t>("point count");
        if (count < 0)
            reader.Refuse(ListError::CountOutOfBounds(count), "point count", std::to_string(count));
    }
    const int64_t bytes = int64_t{count} * int64_t{sizeof(TPoint)};
    reader.RequireBytes(bytes, count, "point count");
    std::vector<TPoint> points(static_cast<size_t>(count));
    reader.ReadBytes(points.data(), bytes,
                     spot.Shape() == TSpotShape::Polyline ? "points" : "corners");
    spot.SetPoints(std::move(points));
}

void ReadSpotFields(TFieldReader& reader, TSpot& spot) {
    spot.ID = reader.Read<int32_t>("ID");
    spot.KeyKind = reader.Read<int32_t>("KeyKind");
    spot.NormalColor = reader.Read<int32_t>("NormalColor");
    spot.ToggleColor = reader.Read<int32_t>("ToggleColor");
    spot.Enabled = reader.Read<uint8_t>("Enabled byte");
    spot.Hint = ReadHint(reader);
    ReadOutline(reader, spot);
}

void WriteSpot(TStream& stream, const TSpot& spot) {
    stream.WriteValue(static_cast<uint8_t>(spot.Shape()));
    stream.WriteValue(spot.ID);
    stream.WriteValue(spot.KeyKind);
    stream.WriteValue(spot.NormalColor);
    stream.WriteValue(spot.ToggleColor);
    stream.WriteValue(spot.Enabled); // written back as it was read
    stream.WriteValue(static_cast<int32_t>(spot.Hint.size()));
    stream.WriteBuffer(spot.Hint.data(), spot.Hint.size());
    if (spot.Shape() == TSpotShape::Polyline)
        stream.WriteValue(static_cast<int32_t>(spot.PointCount()));
    stream.WriteBuffer(spot.Points().data(), spot.Points().size() * sizeof(TPoint));
}

// The point bytes of one mask item: the first min(size, 16) fill the points in order, the
// rest of the item is skipped.
void ReadMaskPoints(TFieldReader& reader, int32_t size, TSpotMask& mask) {
    uint8_t bytes[kMaskPointBytes] = {};
    reader.ReadBytes(bytes, std::min(size, kMaskPointBytes), "points");
    std::memcpy(&mask.OverPoint, bytes, sizeof(TPoint));
    std::memcpy(&mask.DownPoint, bytes + sizeof(TPoint), sizeof(TPoint));
    if (size > kMaskPointBytes)
        reader.Stream().SetPosition(reader.Stream().Position() + (size - kMaskPointBytes));
}

} // namespace

void THotSpots::WriteSpots(TStream& stream) const {
    stream.WriteValue(int32_t{0}); // records carry a shape byte
    stream.WriteValue(static_cast<int32_t>(Count()));
    for (const std::unique_ptr<TSpot>& spot : items_)
        WriteSpot(stream, *spot);
}

void THotSpots::ReadSpots(TStream& stream) {
    Clear();
    TFieldReader section(stream, "");
    const auto first = section.Read<int32_t>("spot count");
    const bool withShapes = first == 0; // an older section starts with its count
    const int32_t count = withShapes ? section.Read<int32_t>("spot count") : first;
    for (int32_t i = 0; i < count; ++i) {
        TFieldReader record(stream, SpotPart(i));
        const TSpotShape shape = withShapes ? ReadShape(record) : TSpotShape::Polyline;
        // Added at once: a read error leaves the spots read so far in the list.
        ReadSpotFields(record, *Add(std::make_unique<TSpot>(shape)));
    }
}

void THotSpots::WriteMaskItems(TStream& stream) const {
    stream.WriteValue(kMaskPointBytes);
    int32_t count = 0;
    for (const std::unique_ptr<TSpot>& spot : items_)
        count += spot->HasMask() ? 1 : 0;
    stream.WriteValue(count);
    for (int32_t i = 0; i < Count(); ++i) {
        if (!items_[static_cast<size_t>(i)]->HasMask())
            continue;
        const TSpotMask mask = items_[static_cast<size_t>(i)]->GetMask();
        stream.WriteValue(i);
        const int32_t points[4] = {mask.OverPoint.X, mask.OverPoint.Y, mask.DownPoint.X,
                                   mask.DownPoint.Y};
        stream.WriteValue(mask.Flags);
        stream.WriteBuffer(points, sizeof points);
    }
}

void THotSpots::ReadMaskItems(TStream& stream) {
    TFieldReader section(stream, "");
    const auto pointBytes = section.Read<int32_t>("point size of the mask items");
    const auto count = section.Read<int32_t>("mask item count");
    section.RequireBytes(int64_t{count} * kMinMaskItemBytes, count, "mask item count");
    for (int32_t i = 0; i < count; ++i) {
        TFieldReader item(stream, "mask item " + std::to_string(i));
        const auto index = item.Read<int32_t>("spot index");
        if (index < 0)
            continue; // an item without flags and points
        TSpotMask mask;
        mask.Flags = item.Read<uint8_t>("Flags byte") & (kMaskOverPoint | kMaskDownPoint);
        if (pointBytes < 0)
            section.Refuse(ReadError(), "point size of the mask items", std::to_string(pointBytes));
        ReadMaskPoints(item, pointBytes, mask);
        if (index < Count())
            Items(index)->SetMask(mask);
    }
}

void THotSpots::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(kSignature, sizeof kSignature);
    WriteSpots(stream);
    stream.WriteBuffer(kMaskTag, sizeof kMaskTag);
    WriteMaskItems(stream);
}

void THotSpots::LoadFromStream(TStream& stream) {
    char signature[4] = {};
    if (stream.Read(signature, sizeof signature) != sizeof signature ||
        (std::memcmp(signature, kSignature, 4) != 0 &&
         std::memcmp(signature, kOldSignature, 4) != 0))
        throw HotMapFieldError(HotMapFormatError(), "it does not start with \"HMAP\" or \"HMAp\"");
    ReadSpots(stream);
    char tag[4] = {};
    if (stream.Read(tag, sizeof tag) == sizeof tag && std::memcmp(tag, kMaskTag, 4) == 0)
        ReadMaskItems(stream);
}

void THotSpots::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    try {
        LoadFromStream(stream);
    } catch (const HotMapFieldError& error) {
        throw FileReadError(fileName, std::string(error.what()) + ": " + error.Field() + ".");
    }
}

void THotSpots::SaveToFile(const std::string& fileName) const {
    TAtomicFileWriter writer(fileName);
    SaveToStream(writer.Stream());
    writer.Commit();
}

} // namespace mm
