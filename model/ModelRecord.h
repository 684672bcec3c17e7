#pragma once
// One remote-control model as it is held in memory and, for its fixed part, on disk: the
// structures are byte-packed images of the stored layout.
#include "platform/Gbk.h"
#include "platform/Streams.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace mm {

#pragma pack(push, 1)

// A length byte followed by N bytes of which the first "length" are the text.
template <size_t N> struct TShortString {
    uint8_t Len;
    char Chars[N];

    static constexpr size_t Capacity = N;

    // Only the first Len bytes count; a length beyond the capacity is read as the capacity.
    std::string Str() const { return std::string(Chars, std::min<size_t>(Len, N)); }
    // Cuts to the capacity at a whole character; bytes after the new text stay as they were.
    void Assign(std::string_view text) {
        const size_t n = GbkCutLength(text, N);
        Len = static_cast<uint8_t>(n);
        if (n != 0)
            std::memcpy(Chars, text.data(), n);
    }
};

struct TBtnInfo {
    TShortString<15> Name;
    uint8_t KNo;
    uint16_t KeyIdx;
    uint8_t CanotDefine;
    uint8_t FollowSno;
    uint8_t Reserved;
    uint8_t Learned;
    uint8_t Spare[2];
};

constexpr int kMaxKeyEntries = 124;
constexpr int kMaxPages = 8;

// The part of a record that files store verbatim.
struct TModelFixedPart {
    TBtnInfo BtnInfo[kMaxKeyEntries];
    uint8_t ChipKind;
    TShortString<19> ModelType;
    TShortString<4> Remark;
    uint8_t Spare1;
    uint8_t KeyCount;
    uint16_t ModelID;
    uint8_t Spare2;
    uint8_t Spare3;
    uint8_t PageCount;
    TShortString<15> PageName[kMaxPages];
    int32_t PicSize;
    uint8_t CommType;
    uint8_t HasShift;
    uint8_t OneInTwoCount;
    int32_t UniversalCount;
    int32_t ProtocolCount;
    int32_t BlobSize;
};

#pragma pack(pop)

static_assert(sizeof(TBtnInfo) == 25);
static_assert(offsetof(TBtnInfo, KNo) == 16);
static_assert(offsetof(TBtnInfo, KeyIdx) == 17);
static_assert(offsetof(TBtnInfo, CanotDefine) == 19);
static_assert(offsetof(TBtnInfo, FollowSno) == 20);
static_assert(offsetof(TBtnInfo, Reserved) == 21);
static_assert(offsetof(TBtnInfo, Learned) == 22);
static_assert(offsetof(TBtnInfo, Spare) == 23);

static_assert(sizeof(TModelFixedPart) == 3280);
static_assert(offsetof(TModelFixedPart, ChipKind) == 3100);
static_assert(offsetof(TModelFixedPart, ModelType) == 3101);
static_assert(offsetof(TModelFixedPart, Remark) == 3121);
static_assert(offsetof(TModelFixedPart, Spare1) == 3126);
static_assert(offsetof(TModelFixedPart, KeyCount) == 3127);
static_assert(offsetof(TModelFixedPart, ModelID) == 3128);
static_assert(offsetof(TModelFixedPart, Spare2) == 3130);
static_assert(offsetof(TModelFixedPart, Spare3) == 3131);
static_assert(offsetof(TModelFixedPart, PageCount) == 3132);
static_assert(offsetof(TModelFixedPart, PageName) == 3133);
static_assert(offsetof(TModelFixedPart, PicSize) == 3261);
static_assert(offsetof(TModelFixedPart, CommType) == 3265);
static_assert(offsetof(TModelFixedPart, HasShift) == 3266);
static_assert(offsetof(TModelFixedPart, OneInTwoCount) == 3267);
static_assert(offsetof(TModelFixedPart, UniversalCount) == 3268);
static_assert(offsetof(TModelFixedPart, ProtocolCount) == 3272);
static_assert(offsetof(TModelFixedPart, BlobSize) == 3276);
static_assert(std::is_trivially_copyable_v<TModelFixedPart>);

// A new record is all zero; copies never share their Blob.
struct TMyModelRecord : TModelFixedPart {
    TMyModelRecord() : TModelFixedPart{} {}
    TSSByteArray Blob;

    TModelFixedPart& Fixed() { return *this; }
    const TModelFixedPart& Fixed() const { return *this; }
};

using TMyModelRecords = std::vector<TMyModelRecord>;

// KeyCount, or KeyCount div 2 with a SHIFT page.
inline int NormalCount(const TModelFixedPart& record) {
    return record.HasShift == 1 ? record.KeyCount / 2 : record.KeyCount;
}

// The record's picture bytes, or nothing when PicSize does not fit in Blob.
inline std::string_view PictureBytes(const TMyModelRecord& record) {
    if (record.PicSize <= 0 || static_cast<uint64_t>(record.PicSize) > record.Blob.size())
        return {};
    return {reinterpret_cast<const char*>(record.Blob.data()), static_cast<size_t>(record.PicSize)};
}

// Sets Reserved to 255 in all 124 entries of every record, as every save does first.
void MarkReserved(TMyModelRecords& models);

// Index of the first record with the identifier, or -1.
int FindModelByID(const TMyModelRecords& models, uint16_t id);

// The smallest identifier no record uses; 0 when all 65536 are taken.
uint16_t LowestFreeModelID(const TMyModelRecords& models);

// An identifier typed in the model list: hexadecimal digits only (empty reads as 0), kept to
// its low 16 bits; ConvertError with "$" and the text otherwise.
uint16_t ModelIdFromText(std::string_view text);
// The same, nothing for a text that is not hexadecimal.
std::optional<uint16_t> TryModelIdFromText(std::string_view text);

// The search box: the first record whose name holds the text (spaces trimmed from both ends,
// bytes compared as they are), or -1; a text of spaces finds nothing.
int FindModelByName(const TMyModelRecords& models, std::string_view text);

} // namespace mm
