#include "platform/HeapRelease.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define HEAP_RELEASE_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HEAP_RELEASE_SANITIZER_HEAP 1
#endif
#endif

namespace
{

// The sanitizer's allocator stands in for the C library's, whose behaviour
// these tests look at.
bool SanitizerHeap()
{
#if defined(HEAP_RELEASE_SANITIZER_HEAP)
    return true;
#else
    return false;
#endif
}

// A block the compiler cannot leave out: written whole and read back.
void* Touched(size_t bytes)
{
    auto* block = static_cast<unsigned char*>(std::malloc(bytes));
    std::memset(block, 0x5A, bytes);
    EXPECT_EQ(block[bytes - 1], 0x5A);
    return block;
}

size_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * size_t(sysconf(_SC_PAGESIZE));
}

size_t MappedBlockBytes()
{
    return mallinfo2().hblkhd;
}

} // namespace

// Freeing a large block used to raise the bound above which blocks are mapped
// apart, so that the next picture of that size came out of the heap.
TEST(HeapRelease, LargeBlocksStayMappedApartAfterALargerOneWasFreed)
{
    if (SanitizerHeap())
        GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
    platform::keepLargeBlocksApart();
    std::free(Touched(4 * 1024 * 1024));
    for (size_t bytes : {platform::kSeparateBlockBytes, size_t(800 * 600 * 4)})
    {
        const size_t before = MappedBlockBytes();
        void* block = Touched(bytes);
        EXPECT_GE(MappedBlockBytes() - before, bytes) << bytes;
        std::free(block);
        EXPECT_LT(MappedBlockBytes(), before + bytes) << "freed " << bytes;
    }
}

TEST(HeapRelease, FreedHolesInTheHeapAreGivenBack)
{
    if (SanitizerHeap())
        GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
    // Blocks below the separate-block size, each held in place by a small
    // neighbour that stays, so that freeing them leaves holes amid the heap.
    constexpr size_t kHoleBytes = 64 * 1024;
    constexpr int kHoles = 128;
    std::vector<void*> holes, keepers;
    for (int i = 0; i < kHoles; ++i)
    {
        holes.push_back(Touched(kHoleBytes));
        keepers.push_back(Touched(64));
    }
    for (void* hole : holes)
        std::free(hole);
    const size_t held = ResidentBytes();
    platform::releaseFreeHeap();
    const size_t released = held - std::min(held, ResidentBytes());
    EXPECT_GE(released, kHoleBytes * kHoles / 2);
    for (void* keeper : keepers)
        std::free(keeper);
}
