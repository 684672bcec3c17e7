#pragma once
// One remote-control model as it is held in memory and, for its fixed part, on disk: the
// structures are byte-packed images of the stored layout.
#include "platform/CatalogueMemory.h"
#include "platform/Gbk.h"
#include "platform/Streams.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <memory_resource>
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

// A new record is all zero; copies never share their Blob. A record made inside a catalogue
// (TMyModelRecords) keeps its Blob in the catalogue's memory, whatever it was copied from.
struct TMyModelRecord : TModelFixedPart {
    using allocator_type = std::pmr::polymorphic_allocator<uint8_t>;

    TMyModelRecord() : TModelFixedPart{} {}
    explicit TMyModelRecord(const allocator_type& memory) : TModelFixedPart{}, Blob(memory) {}
    TMyModelRecord(const TMyModelRecord&) = default;
    TMyModelRecord(TMyModelRecord&&) noexcept = default;
    TMyModelRecord(const TMyModelRecord& other, const allocator_type& memory)
        : TModelFixedPart(other), Blob(other.Blob, memory) {}
    TMyModelRecord(TMyModelRecord&& other, const allocator_type& memory)
        : TModelFixedPart(other), Blob(std::move(other.Blob), memory) {}
    TMyModelRecord& operator=(const TMyModelRecord&) = default;
    TMyModelRecord& operator=(TMyModelRecord&&) = default;

    TSSByteArray Blob;

    TModelFixedPart& Fixed() { return *this; }
    const TModelFixedPart& Fixed() const { return *this; }
};

// The allocator of a catalogue's array: a moved or swapped array takes its memory along, and
// every record made in the array makes its Blob in the same memory.
template <typename T> class TCatalogueAllocator {
public:
    using value_type = T;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    TCatalogueAllocator() noexcept : memory_(std::pmr::get_default_resource()) {}
    TCatalogueAllocator(std::pmr::memory_resource* memory) noexcept
        : memory_(memory ? memory : std::pmr::get_default_resource()) {}
    template <typename U>
    TCatalogueAllocator(const TCatalogueAllocator<U>& other) noexcept : memory_(other.Resource()) {}

    T* allocate(size_t count) {
        return static_cast<T*>(memory_->allocate(count * sizeof(T), alignof(T)));
    }
    void deallocate(T* pointer, size_t count) {
        memory_->deallocate(pointer, count * sizeof(T), alignof(T));
    }
    template <typename U, typename... Args> void construct(U* at, Args&&... args) {
        std::uninitialized_construct_using_allocator(
            at, std::pmr::polymorphic_allocator<U>(memory_), std::forward<Args>(args)...);
    }
    // A copy of the array is made by its own catalogue, which passes its memory explicitly.
    TCatalogueAllocator select_on_container_copy_construction() const { return {}; }

    std::pmr::memory_resource* Resource() const noexcept { return memory_; }
    friend bool operator==(const TCatalogueAllocator& a, const TCatalogueAllocator& b) noexcept {
        return a.memory_ == b.memory_;
    }

private:
    std::pmr::memory_resource* memory_;
};

// Owns a catalogue's memory; a base of TMyModelRecords, so that it is made before the records
// and given back after them.
class TCatalogueMemoryOwner {
protected:
    std::unique_ptr<TCatalogueMemory> memory_ = std::make_unique<TCatalogueMemory>();
};

// The whole catalogue: the ordered records, and the memory that they and their blobs live in,
// given back when the catalogue is replaced or destroyed. Copying makes a new catalogue.
class TMyModelRecords : private TCatalogueMemoryOwner,
                        public std::vector<TMyModelRecord, TCatalogueAllocator<TMyModelRecord>> {
    using TRecords = std::vector<TMyModelRecord, TCatalogueAllocator<TMyModelRecord>>;

public:
    TMyModelRecords() : TCatalogueMemoryOwner(), TRecords(memory_.get()) {}
    explicit TMyModelRecords(size_t count)
        : TCatalogueMemoryOwner(), TRecords(count, memory_.get()) {}
    TMyModelRecords(size_t count, const TMyModelRecord& record)
        : TCatalogueMemoryOwner(), TRecords(count, record, memory_.get()) {}
    TMyModelRecords(std::initializer_list<TMyModelRecord> records)
        : TCatalogueMemoryOwner(), TRecords(records, memory_.get()) {}
    template <std::input_iterator Iterator>
    TMyModelRecords(Iterator first, Iterator last)
        : TCatalogueMemoryOwner(), TRecords(first, last, memory_.get()) {}
    TMyModelRecords(const TMyModelRecords& other)
        : TCatalogueMemoryOwner(), TRecords(other, memory_.get()) {}
    TMyModelRecords(TMyModelRecords&& other) noexcept
        : TCatalogueMemoryOwner(std::move(other)), TRecords(std::move(other)) {
        other.Forget();
    }
    TMyModelRecords& operator=(const TMyModelRecords& other) {
        TRecords::operator=(other);
        return *this;
    }
    TMyModelRecords& operator=(TMyModelRecords&& other) noexcept {
        if (this != &other) {
            // The records go first, while the memory they were made in is still there.
            TRecords::operator=(std::move(other));
            memory_ = std::move(other.memory_);
            other.Forget();
        }
        return *this;
    }
    void swap(TMyModelRecords& other) noexcept {
        TRecords::swap(other);
        std::swap(memory_, other.memory_);
    }

    // The memory the records are made in (a moved-from catalogue has none of its own and uses
    // the ordinary heap).
    TCatalogueMemory* Memory() const { return memory_.get(); }

private:
    // A moved-from catalogue starts again empty, on the ordinary heap.
    void Forget() noexcept { TRecords::operator=(TRecords(TCatalogueAllocator<TMyModelRecord>())); }
};

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
