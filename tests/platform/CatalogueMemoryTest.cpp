#include "platform/CatalogueMemory.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace mm {
namespace {

#ifdef MM_SANITIZE
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif

struct Block {
    uint8_t* at;
    size_t size;
    size_t alignment;
};

bool Overlap(const Block& a, const Block& b) {
    return a.at < b.at + b.size && b.at < a.at + a.size;
}

TEST(CatalogueMemory, BlocksAreAlignedApartAndKeepTheirBytes) {
    struct Case {
        size_t size;
        size_t alignment;
    } cases[] = {{1, 1}, {3, 2}, {3280, 8}, {30 * 1024, 16}, {2 << 20, 8}, {0, 1}, {7, 64}};
    TCatalogueMemory memory;
    std::vector<Block> blocks;
    for (int round = 0; round < 10; ++round)
        for (const Case& c : cases) {
            auto* at = static_cast<uint8_t*>(memory.allocate(c.size, c.alignment));
            ASSERT_EQ(reinterpret_cast<uintptr_t>(at) % c.alignment, 0u) << c.size;
            std::memset(at, static_cast<int>(blocks.size() & 0xFF), c.size);
            blocks.push_back({at, c.size, c.alignment});
        }
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (size_t b = 0; b < blocks[i].size; ++b)
            ASSERT_EQ(blocks[i].at[b], i & 0xFF) << i;
        if (i > 0 && blocks[i].size && blocks[i - 1].size) {
            ASSERT_FALSE(Overlap(blocks[i], blocks[i - 1])) << i;
        }
    }
    // A large block handed back early frees its pages; the others keep their bytes.
    memory.deallocate(blocks[4].at, blocks[4].size, blocks[4].alignment);
    EXPECT_EQ(blocks[3].at[0], 3);
    EXPECT_EQ(blocks[6].at[blocks[6].size - 1], 6);
    for (size_t i = 0; i < blocks.size(); ++i)
        if (i != 4)
            memory.deallocate(blocks[i].at, blocks[i].size, blocks[i].alignment);
}

TEST(CatalogueMemory, AnExpectedLoadTakesOneMapping) {
    if (!kPooled)
        GTEST_SKIP() << "every block is an allocation of its own here";
    TCatalogueMemory memory;
    EXPECT_EQ(memory.Mapped(), 0u); // nothing until it is used
    const size_t expected = 300u << 20;
    memory.Expect(expected);
    size_t taken = 0;
    while (taken + 33 * 1024 <= expected) {
        ASSERT_NE(memory.allocate(33 * 1024, 16), nullptr);
        taken += 33 * 1024;
    }
    EXPECT_GE(memory.Mapped(), expected);
    EXPECT_LT(memory.Mapped(), expected + (4u << 20));
}

TEST(CatalogueMemory, GrowsInStepsThatDoubleWithWhatItHolds) {
    if (!kPooled)
        GTEST_SKIP() << "every block is an allocation of its own here";
    TCatalogueMemory memory;
    for (int i = 0; i < 20000; ++i)
        ASSERT_NE(memory.allocate(3312, 8), nullptr);
    // 66 MB of records in steps of 2, 2, 4, 8, 16, 32, 64 MB at most.
    EXPECT_GE(memory.Mapped(), 20000u * 3312);
    EXPECT_LE(memory.Mapped(), 2 * 20000u * 3312 + (4u << 20));
}

} // namespace
} // namespace mm
