#include "CatalogueMemory.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace mm {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// A catalogue that grows by Copy/Add or Import takes address space in steps of at least this,
// doubling with what it already holds, so a few mappings serve any catalogue.
constexpr size_t kFirstStep = kHugePage;
constexpr size_t kLargestStep = size_t{256} << 20;
// Blocks handed back at least this large return their whole pages to the system.
constexpr size_t kReturnedBlock = size_t{1} << 20;

size_t RoundUp(size_t value, size_t unit) {
    return (value + unit - 1) / unit * unit;
}

size_t PageSize() {
    static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

#ifdef MM_SANITIZE
constexpr bool kBlockPerAllocation = true;
#else
constexpr bool kBlockPerAllocation = false;
#endif

} // namespace

TCatalogueMemory::~TCatalogueMemory() {
    for (const TMapping& mapping : mappings_)
        munmap(mapping.Base, mapping.Size);
}

void TCatalogueMemory::Expect(size_t bytes) {
    if (static_cast<size_t>(end_ - next_) < bytes)
        expected_ = std::max(expected_, bytes);
}

void* TCatalogueMemory::do_allocate(size_t bytes, size_t alignment) {
    if (kBlockPerAllocation)
        return ::operator new(std::max<size_t>(bytes, 1), std::align_val_t(alignment));
    bytes = std::max<size_t>(bytes, 1);
    auto at = reinterpret_cast<uintptr_t>(next_);
    uintptr_t aligned = (at + alignment - 1) & ~(uintptr_t{alignment} - 1);
    if (!next_ || aligned + bytes > reinterpret_cast<uintptr_t>(end_)) {
        MapAtLeast(bytes + alignment);
        at = reinterpret_cast<uintptr_t>(next_);
        aligned = (at + alignment - 1) & ~(uintptr_t{alignment} - 1);
    }
    next_ = reinterpret_cast<char*>(aligned + bytes);
    return reinterpret_cast<void*>(aligned);
}

void TCatalogueMemory::do_deallocate(void* pointer, size_t bytes, size_t alignment) {
    if (kBlockPerAllocation) {
        ::operator delete(pointer, std::align_val_t(alignment));
        return;
    }
    if (bytes < kReturnedBlock)
        return;
    // The whole pages inside the block go back; they read as zero if ever touched again, which
    // nothing does: the block is not handed out a second time.
    const auto from = RoundUp(reinterpret_cast<uintptr_t>(pointer), PageSize());
    const auto to = (reinterpret_cast<uintptr_t>(pointer) + bytes) / PageSize() * PageSize();
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

void TCatalogueMemory::MapAtLeast(size_t bytes) {
    const size_t step = std::clamp(mapped_, kFirstStep, kLargestStep);
    const size_t size = RoundUp(std::max({bytes, expected_, step}), kHugePage);
    // One huge page more than needed, so that the mapping can start on a huge-page boundary:
    // the system backs only aligned 2 MB ranges with huge pages.
    const size_t padded = size + kHugePage;
    void* raw = mmap(nullptr, padded, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = RoundUp(start, kHugePage);
    if (aligned > start)
        munmap(raw, aligned - start);
    const uintptr_t tail = aligned + size;
    if (start + padded > tail)
        munmap(reinterpret_cast<void*>(tail), start + padded - tail);
    // Where the system offers no huge pages the advice is refused and ordinary pages serve.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    mappings_.push_back({reinterpret_cast<void*>(aligned), size});
    next_ = reinterpret_cast<char*>(aligned);
    end_ = next_ + size;
    mapped_ += size;
    expected_ = 0;
}

} // namespace mm
