#include "LegacyLayouts.h"

#include "platform/Strings.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace mm {

namespace {

constexpr int kAbsent = -1;

// Where a key entry of one size keeps each field.
struct TKeyEntryLayout {
    size_t Size;
    size_t KeyIdx;
    bool WideKeyIdx; // uint16; otherwise a uint8 widened
    size_t CanotDefine;
    size_t FollowSno;
    int Reserved; // kAbsent: the entry gets 255
    int Learned;  // kAbsent: from the learned list, or 0
};

constexpr TKeyEntryLayout kEntry23{23, 17, true, 19, 20, 21, 22};
constexpr TKeyEntryLayout kEntry24{24, 18, true, 20, 21, 22, kAbsent};
constexpr TKeyEntryLayout kEntry21{21, 17, false, 18, 19, 20, kAbsent};
constexpr TKeyEntryLayout kEntry20{20, 17, false, 18, 19, kAbsent, kAbsent};

enum class TBlobSource {
    BlobLen,    // BlobLen bytes after the record
    Picture,    // picture size bytes after the record
    PictureArea // the start of the picture area inside the record
};

// One old layout: the offset of every field it has, kAbsent for those it lacks.
struct TLegacyLayout {
    size_t FixedSize;
    size_t ModelType;
    size_t KeyCount;
    size_t ModelID;
    size_t PageCount;
    size_t PageNames;
    size_t PicSize;
    size_t CommType;
    size_t HasShift;
    size_t OneInTwoCount;
    int ChipKind;
    int UniversalCount;
    int ProtocolCount;
    size_t KeyTable;
    int KeyCapacity;
    TKeyEntryLayout Entry;
    int LearnedCount;
    int LearnedList;
    bool TrimPageNames;
    TBlobSource Blob;
    int BlobAt; // offset of BlobLen, of the picture size, or of the picture area
};

// clang-format off
//                              fixed  name  keys    id  pages names   pic   comm  shift  1in2
//                              chip   univ  proto   table cap entry   learned-count/list  trim
//                              blob source and offset
constexpr TLegacyLayout kF002{ 3032, 2853, 2879, 2880, 2884, 2885,  3013, 3017, 3018, 3019,
                               2852, 3020, 3024,    0, 124, kEntry23, kAbsent, kAbsent, true,
                               TBlobSource::BlobLen, 3028};
constexpr TLegacyLayout kF001{ 2733, 2554, 2580, 2581, 2585, 2586,  2714, 2718, 2719, 2720,
                               2553, 2721, 2725,    0, 111, kEntry23, kAbsent, kAbsent, true,
                               TBlobSource::BlobLen, 2729};
constexpr TLegacyLayout kF000{ 2728,    0,   32,   33,   37,   38,   166,  170,  171,  172,
                               174, kAbsent, kAbsent, 175, 111, kEntry23, kAbsent, kAbsent, true,
                               TBlobSource::Picture, 166};
constexpr TLegacyLayout k1237{ 3198,    0,   32,   33,   37,   38,   166,  170,  171,  172,
                               3197, kAbsent, kAbsent, 174, 111, kEntry24, 2839, 2856, true,
                               TBlobSource::Picture, 166};
constexpr TLegacyLayout k1236{ 3197,    0,   32,   33,   37,   38,   166,  170,  171,  172,
                               kAbsent, kAbsent, kAbsent, 174, 111, kEntry24, 2839, 2856, true,
                               TBlobSource::Picture, 166};
constexpr TLegacyLayout k1235{ 2838,    0,   32,   33,   37,   38,   166,  170,  171,  172,
                               kAbsent, kAbsent, kAbsent, 174, 111, kEntry24, kAbsent, kAbsent, true,
                               TBlobSource::Picture, 166};
constexpr TLegacyLayout k1234{ 2505,    0,   32,   33, 2368, 2369,  2497, 2501, 2502, 2503,
                               kAbsent, kAbsent, kAbsent, 37, 111, kEntry21, kAbsent, kAbsent, false,
                               TBlobSource::Picture, 2497};
constexpr TLegacyLayout kOldest{103860, 0,   32,   36, 1320, 1321,  1452, 103857, 103858, 103859,
                               kAbsent, kAbsent, kAbsent, 40, 64, kEntry20, kAbsent, kAbsent, false,
                               TBlobSource::PictureArea, 1456};
// clang-format on

constexpr size_t kLearnedEntrySize = 17;

// Every field a reader touches lies inside the old record, and its key table fits the current one.
constexpr bool FitsItsRecord(const TLegacyLayout& l) {
    const auto within = [&](size_t at, size_t size) { return at + size <= l.FixedSize; };
    const auto optional = [&](int at, size_t size) {
        return at == kAbsent || within(static_cast<size_t>(at), size);
    };
    const size_t picture = l.Blob == TBlobSource::PictureArea ? kOldestPictureArea : 4;
    return within(l.ModelType, 20) && within(l.KeyCount, 1) && within(l.ModelID, 2) &&
           within(l.PageCount, 1) && within(l.PageNames, 8 * 16) && within(l.PicSize, 4) &&
           within(l.CommType, 1) && within(l.HasShift, 1) && within(l.OneInTwoCount, 1) &&
           optional(l.ChipKind, 1) && optional(l.UniversalCount, 4) &&
           optional(l.ProtocolCount, 4) &&
           within(l.KeyTable, static_cast<size_t>(l.KeyCapacity) * l.Entry.Size) &&
           l.KeyCapacity <= kMaxKeyEntries && optional(l.LearnedCount, 1) &&
           optional(l.LearnedList, kMaxLearnedEntries * kLearnedEntrySize) &&
           optional(l.BlobAt, picture);
}
static_assert(FitsItsRecord(kF002) && FitsItsRecord(kF001) && FitsItsRecord(kF000) &&
              FitsItsRecord(k1237) && FitsItsRecord(k1236) && FitsItsRecord(k1235) &&
              FitsItsRecord(k1234) && FitsItsRecord(kOldest));

// Little-endian fields of one old record held in memory; offsets come from the tables above,
// which all lie inside their record.
class TOldRecord {
public:
    explicit TOldRecord(size_t size) : bytes_(size, 0) {}

    size_t Fill(TStream& stream) { return stream.Read(bytes_.data(), bytes_.size()); }
    uint8_t U8(size_t at) const { return bytes_[at]; }
    uint16_t U16(size_t at) const { return Get<uint16_t>(at); }
    int32_t I32(size_t at) const { return Get<int32_t>(at); }
    const uint8_t* At(size_t at) const { return bytes_.data() + at; }

private:
    template <typename T> T Get(size_t at) const {
        T value;
        std::memcpy(&value, bytes_.data() + at, sizeof value);
        return value;
    }
    std::vector<uint8_t> bytes_;
};

template <size_t N> void CopyText(TShortString<N>& to, const TOldRecord& from, size_t at) {
    std::memcpy(&to, from.At(at), sizeof to);
}

void CopyPageNames(const TLegacyLayout& layout, const TOldRecord& old, TMyModelRecord& record) {
    for (int p = 0; p < kMaxPages; ++p) {
        const size_t at = layout.PageNames + static_cast<size_t>(p) * sizeof(TShortString<15>);
        if (!layout.TrimPageNames) {
            CopyText(record.PageName[p], old, at);
            continue;
        }
        TShortString<15> stored;
        CopyText(stored, old, at);
        record.PageName[p].Assign(Trim(stored.Str()));
    }
}

// The serial numbers of the learned list; an old count beyond the list is cut to it.
std::vector<uint8_t> LearnedSerials(const TLegacyLayout& layout, const TOldRecord& old) {
    std::vector<uint8_t> serials;
    if (layout.LearnedList == kAbsent)
        return serials;
    const int count =
        std::min<int>(old.U8(static_cast<size_t>(layout.LearnedCount)), kMaxLearnedEntries);
    for (int i = 0; i < count; ++i)
        serials.push_back(old.U8(static_cast<size_t>(layout.LearnedList) +
                                 static_cast<size_t>(i) * kLearnedEntrySize));
    return serials;
}

TBtnInfo ConvertKey(const TKeyEntryLayout& entry, const uint8_t* from,
                    const std::vector<uint8_t>& learnedSerials) {
    TBtnInfo key{};
    std::memcpy(&key.Name, from, sizeof key.Name);
    key.KNo = from[16];
    if (entry.WideKeyIdx)
        std::memcpy(&key.KeyIdx, from + entry.KeyIdx, sizeof key.KeyIdx);
    else
        key.KeyIdx = from[entry.KeyIdx];
    key.CanotDefine = from[entry.CanotDefine];
    key.FollowSno = from[entry.FollowSno];
    key.Reserved = entry.Reserved == kAbsent ? 255 : from[entry.Reserved];
    if (entry.Learned != kAbsent)
        key.Learned = from[entry.Learned];
    else
        key.Learned =
            std::find(learnedSerials.begin(), learnedSerials.end(), key.KNo) != learnedSerials.end()
                ? 1
                : 0;
    return key;
}

void ConvertKeys(const TLegacyLayout& layout, const TOldRecord& old, TMyModelRecord& record) {
    // The stored count may claim more keys than the old table holds, and the oldest layout's
    // SHIFT copies must still fit the current table, so both are clamped.
    const bool doubles = layout.Blob == TBlobSource::PictureArea && record.HasShift != 0;
    int stored = std::min<int>(old.U8(layout.KeyCount), layout.KeyCapacity);
    if (doubles)
        stored = std::min(stored, kMaxKeyEntries / 2);
    const std::vector<uint8_t> learned = LearnedSerials(layout, old);
    for (int i = 0; i < stored; ++i)
        record.BtnInfo[i] = ConvertKey(
            layout.Entry, old.At(layout.KeyTable + static_cast<size_t>(i) * layout.Entry.Size),
            learned);
    if (doubles)
        for (int i = 0; i < stored; ++i) {
            TBtnInfo& shifted = record.BtnInfo[stored + i];
            shifted = record.BtnInfo[i];
            shifted.KeyIdx = static_cast<uint16_t>(shifted.KeyIdx + kShiftKeyIdxOffset);
        }
    record.KeyCount = static_cast<uint8_t>(doubles ? 2 * stored : stored);
}

// Reads the blob bytes that follow the record, never more than the stream still holds.
size_t ReadFollowingBlob(TStream& stream, int32_t claimed, TMyModelRecord& record) {
    const int64_t available = std::max<int64_t>(0, stream.Remaining());
    const size_t length = static_cast<size_t>(std::clamp<int64_t>(claimed, 0, available));
    record.Blob.assign(length, 0);
    stream.Read(record.Blob.data(), length);
    return length;
}

void ReadBlob(const TLegacyLayout& layout, const TOldRecord& old, size_t oldBytesRead,
              TStream& stream, TMyModelRecord& record) {
    const size_t at = static_cast<size_t>(layout.BlobAt);
    switch (layout.Blob) {
    case TBlobSource::BlobLen:
        record.BlobSize = static_cast<int32_t>(ReadFollowingBlob(stream, old.I32(at), record));
        return;
    case TBlobSource::Picture:
        // Picture and blob are one: a file shorter than the picture shortens both.
        record.PicSize = record.BlobSize =
            static_cast<int32_t>(ReadFollowingBlob(stream, record.PicSize, record));
        return;
    case TBlobSource::PictureArea: {
        const int64_t present =
            std::max<int64_t>(0, static_cast<int64_t>(oldBytesRead) - static_cast<int64_t>(at));
        const auto length = static_cast<size_t>(
            std::clamp<int64_t>(record.PicSize, 0, std::min<int64_t>(kOldestPictureArea, present)));
        record.Blob.assign(old.At(at), old.At(at) + length);
        record.PicSize = record.BlobSize = static_cast<int32_t>(length);
        return;
    }
    }
}

void ReadLegacyRecord(const TLegacyLayout& layout, TStream& stream, TMyModelRecord& record) {
    TOldRecord old(layout.FixedSize);
    const size_t read = old.Fill(stream);
    CopyText(record.ModelType, old, layout.ModelType);
    record.ModelID = old.U16(layout.ModelID);
    record.PageCount = old.U8(layout.PageCount);
    CopyPageNames(layout, old, record);
    record.PicSize = old.I32(layout.PicSize);
    record.CommType = old.U8(layout.CommType);
    record.HasShift = old.U8(layout.HasShift);
    record.OneInTwoCount = old.U8(layout.OneInTwoCount);
    record.ChipKind = layout.ChipKind == kAbsent ? 0 : old.U8(static_cast<size_t>(layout.ChipKind));
    record.UniversalCount =
        layout.UniversalCount == kAbsent ? 0 : old.I32(static_cast<size_t>(layout.UniversalCount));
    record.ProtocolCount =
        layout.ProtocolCount == kAbsent ? 0 : old.I32(static_cast<size_t>(layout.ProtocolCount));
    ConvertKeys(layout, old, record);
    ReadBlob(layout, old, read, stream, record);
}

const TLegacyLayout& Describe(TRecordLayout layout) {
    switch (layout) {
    case TRecordLayout::F002:
        return kF002;
    case TRecordLayout::F001:
        return kF001;
    case TRecordLayout::F000:
        return kF000;
    case TRecordLayout::V1237:
        return k1237;
    case TRecordLayout::V1236:
        return k1236;
    case TRecordLayout::V1235:
        return k1235;
    case TRecordLayout::V1234:
        return k1234;
    case TRecordLayout::F003:
    case TRecordLayout::Oldest:
        break;
    }
    return kOldest;
}

template <TRecordLayout Layout> void ReadLayout(TStream& stream, TMyModelRecord& record) {
    ReadLegacyRecord(Describe(Layout), stream, record);
}

struct TLayoutEntry {
    TRecordLayout Layout;
    uint16_t Version;
    const char* Name;
    TRecordReader Reader;
};

constexpr std::array<TLayoutEntry, 9> kLayouts{{
    {TRecordLayout::F003, kCurrentVersion, "F003", ReadCurrentRecord},
    {TRecordLayout::F002, 0xF002, "F002", ReadLayout<TRecordLayout::F002>},
    {TRecordLayout::F001, 0xF001, "F001", ReadLayout<TRecordLayout::F001>},
    {TRecordLayout::F000, 0xF000, "F000", ReadLayout<TRecordLayout::F000>},
    {TRecordLayout::V1237, 0x1237, "1237", ReadLayout<TRecordLayout::V1237>},
    {TRecordLayout::V1236, 0x1236, "1236", ReadLayout<TRecordLayout::V1236>},
    {TRecordLayout::V1235, 0x1235, "1235", ReadLayout<TRecordLayout::V1235>},
    {TRecordLayout::V1234, 0x1234, "1234", ReadLayout<TRecordLayout::V1234>},
    {TRecordLayout::Oldest, 0, "oldest", ReadLayout<TRecordLayout::Oldest>},
}};

const TLayoutEntry& Entry(TRecordLayout layout) {
    return kLayouts[static_cast<size_t>(layout)];
}

} // namespace

const char* LayoutName(TRecordLayout layout) {
    return Entry(layout).Name;
}

TRecordLayout LayoutOfVersion(uint16_t version) {
    for (const TLayoutEntry& entry : kLayouts)
        if (entry.Layout != TRecordLayout::Oldest && entry.Version == version)
            return entry.Layout;
    return TRecordLayout::Oldest;
}

size_t FixedPartSize(TRecordLayout layout) {
    return layout == TRecordLayout::F003 ? sizeof(TModelFixedPart) : Describe(layout).FixedSize;
}

int BlobLengthOffset(TRecordLayout layout) {
    if (layout == TRecordLayout::F003)
        return static_cast<int>(offsetof(TModelFixedPart, BlobSize));
    if (layout == TRecordLayout::Oldest)
        return kAbsent;
    return Describe(layout).BlobAt;
}

TRecordReader ReaderOf(TRecordLayout layout) {
    return Entry(layout).Reader;
}

} // namespace mm
