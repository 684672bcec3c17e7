#pragma once
// Memory obtained for a whole catalogue: a few large anonymous mappings, advised to use huge
// pages where the system offers them (ordinary pages otherwise), handed out in order and given
// back all at once when the catalogue goes. A fresh page costs the system one fault; a huge page
// brings 512 of them in one, which is most of what loading a large catalogue costs.
//
// Memory handed back early is not reused (a replaced picture's old bytes stay until the
// catalogue goes), but the whole pages of a large block are returned to the system at once.
// In the sanitizer build every allocation is one of its own, so the sanitizer sees each bound.
#include <cstddef>
#include <memory_resource>
#include <vector>

namespace mm {

class TCatalogueMemory final : public std::pmr::memory_resource {
public:
    TCatalogueMemory() = default;
    ~TCatalogueMemory() override;
    TCatalogueMemory(const TCatalogueMemory&) = delete;
    TCatalogueMemory& operator=(const TCatalogueMemory&) = delete;

    // The next mapping is made large enough for this many more bytes, so that a load whose size
    // is known lands in one mapping. Only address space is taken until the bytes are used.
    void Expect(size_t bytes);

    // Bytes of address space mapped so far (0 in the sanitizer build).
    size_t Mapped() const { return mapped_; }

private:
    void* do_allocate(size_t bytes, size_t alignment) override;
    void do_deallocate(void* pointer, size_t bytes, size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    void MapAtLeast(size_t bytes);

    struct TMapping {
        void* Base;
        size_t Size;
    };
    std::vector<TMapping> mappings_;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t mapped_ = 0;
    size_t expected_ = 0;
};

} // namespace mm
