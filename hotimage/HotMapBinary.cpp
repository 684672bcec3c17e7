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

int32_t ReadInt(TStream& stream) {
    return stream.ReadValue<int32_t>();
}

// Counts and lengths from the file are checked against the bytes really left before anything
// is allocated for them.
void RequireBytes(TStream& stream, int64_t count) {
    if (count > stream.Remaining())
        throw ReadError();
}

TSpotShape ReadShape(TStream& stream) {
    const auto value = stream.ReadValue<uint8_t>();
    if (value > static_cast<uint8_t>(TSpotShape::Ellipse))
        throw HotMapFormatError(); // the outline that follows could not be read
    return static_cast<TSpotShape>(value);
}

std::string ReadHint(TStream& stream) {
    const int32_t length = ReadInt(stream);
    if (length < 0)
        throw ReadError();
    RequireBytes(stream, length);
    std::string hint(static_cast<size_t>(length), '\0');
    stream.ReadBuffer(hint.data(), hint.size());
    return hint;
}

void ReadOutline(TStream& stream, TSpot& spot) {
    int32_t count = 2;
    if (spot.Shape() == TSpotShape::Polyline) {
        count = ReadInt(stream);
        if (count < 0)
            throw ListError::CountOutOfBounds(count);
    }
    RequireBytes(stream, int64_t{count} * int64_t{sizeof(TPoint)});
    std::vector<TPoint> points(static_cast<size_t>(count));
    stream.ReadBuffer(points.data(), points.size() * sizeof(TPoint));
    spot.SetPoints(std::move(points));
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
void ReadMaskPoints(TStream& stream, int32_t size, TSpotMask& mask) {
    if (size < 0)
        throw ReadError();
    uint8_t bytes[kMaskPointBytes] = {};
    stream.ReadBuffer(bytes, static_cast<size_t>(std::min(size, kMaskPointBytes)));
    std::memcpy(&mask.OverPoint, bytes, sizeof(TPoint));
    std::memcpy(&mask.DownPoint, bytes + sizeof(TPoint), sizeof(TPoint));
    if (size > kMaskPointBytes)
        stream.SetPosition(stream.Position() + (size - kMaskPointBytes));
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
    const int32_t first = ReadInt(stream);
    const bool withShapes = first == 0; // an older section starts with its count
    const int32_t count = withShapes ? ReadInt(stream) : first;
    for (int32_t i = 0; i < count; ++i) {
        const TSpotShape shape = withShapes ? ReadShape(stream) : TSpotShape::Polyline;
        // Added at once: a read error leaves the spots read so far in the list.
        TSpot& spot = *Add(std::make_unique<TSpot>(shape));
        spot.ID = ReadInt(stream);
        spot.KeyKind = ReadInt(stream);
        spot.NormalColor = ReadInt(stream);
        spot.ToggleColor = ReadInt(stream);
        spot.Enabled = stream.ReadValue<uint8_t>();
        spot.Hint = ReadHint(stream);
        ReadOutline(stream, spot);
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
    const int32_t pointBytes = ReadInt(stream);
    const int32_t count = ReadInt(stream);
    RequireBytes(stream, int64_t{count} * kMinMaskItemBytes);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t index = ReadInt(stream);
        if (index < 0)
            continue; // an item without flags and points
        TSpotMask mask;
        mask.Flags = stream.ReadValue<uint8_t>() & (kMaskOverPoint | kMaskDownPoint);
        ReadMaskPoints(stream, pointBytes, mask);
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
        throw HotMapFormatError();
    ReadSpots(stream);
    char tag[4] = {};
    if (stream.Read(tag, sizeof tag) == sizeof tag && std::memcmp(tag, kMaskTag, 4) == 0)
        ReadMaskItems(stream);
}

void THotSpots::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    LoadFromStream(stream);
}

void THotSpots::SaveToFile(const std::string& fileName) const {
    TAtomicFileWriter writer(fileName);
    SaveToStream(writer.Stream());
    writer.Commit();
}

} // namespace mm
