// Buffers kept from one game to the next: a large block keeps its address and gives the pages of
// an idle tail back to the system (residency read with mincore), a heap vector is kept only when
// no more than half of it would stand idle.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/KeptBuffer.h"
#include "engine/LargeBlock.h"

namespace {

using LargeBuffer = std::vector<uint8_t, LargeBlockAllocator<uint8_t>>;

size_t PageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

// How many pages of [block + from, block + to) the system holds in memory; `from` lies on a page.
size_t ResidentPages(const uint8_t* block, size_t from, size_t to) {
    const size_t page = PageSize();
    std::vector<unsigned char> resident((to - from + page - 1) / page);
    if (mincore(const_cast<uint8_t*>(block + from), to - from, resident.data()) != 0) return SIZE_MAX;
    size_t count = 0;
    for (const unsigned char r : resident) count += r & 1u;
    return count;
}

// The bytes of the mapping that holds `block` that the system backs with huge pages (the
// AnonHugePages line of /proc/self/smaps), or SIZE_MAX when it cannot tell.
size_t HugePageBytes(const uint8_t* block) {
    FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (smaps == nullptr) return SIZE_MAX;
    const auto address = reinterpret_cast<uintptr_t>(block);
    size_t bytes = SIZE_MAX;
    bool inside = false;
    char line[512];
    while (std::fgets(line, sizeof line, smaps) != nullptr) {
        unsigned long start = 0, end = 0, kilobytes = 0;
        // Only a mapping's first line starts with its range (the others with a field name).
        if (std::sscanf(line, "%lx-%lx ", &start, &end) == 2) inside = start <= address && address < end;
        if (inside && std::sscanf(line, "AnonHugePages: %lu kB", &kilobytes) == 1) {
            bytes = static_cast<size_t>(kilobytes) * 1024;
            break;
        }
    }
    std::fclose(smaps);
    return bytes;
}

uint8_t PatternAt(size_t at) { return static_cast<uint8_t>(at % 251); }

// Blocks from 64 KB are made of 2 MB huge pages and give back whole ones from the next 2 MB
// boundary on; smaller blocks give back their pages from the next 4 KB boundary on.
TEST(KeptBuffer, ALargeBlockKeepsItsAddressAndGivesItsIdleTailBack) {
    ASSERT_EQ(PageSize(), 4096u);
    struct Case {
        size_t blockBytes, usedBytes, firstReleased;
    } const cases[] = {
        {size_t{16} << 20, size_t{4} << 20, size_t{4} << 20},
        {size_t{16} << 20, (size_t{3} << 20) + 1, size_t{4} << 20},
        {size_t{48} << 10, size_t{12} << 10, size_t{12} << 10},
        {size_t{48} << 10, 10000, 12288},
    };
    for (const Case& c : cases) {
        LargeBuffer buffer(c.blockBytes);
        for (size_t at = 0; at < buffer.size(); ++at) buffer[at] = PatternAt(at);
        const uint8_t* const block = buffer.data();
        const size_t pages = c.blockBytes / PageSize();
        ASSERT_EQ(ResidentPages(block, 0, c.blockBytes), pages) << c.usedBytes << ": every page written";

        // Where the system backed the whole block with huge pages, those in use stay whole.
        const bool allHuge = HugePageBytes(block) == c.blockBytes;

        FitKeptBuffer(buffer, c.usedBytes);
        EXPECT_EQ(buffer.data(), block) << c.usedBytes;
        if (allHuge) {
            EXPECT_EQ(HugePageBytes(block), c.firstReleased) << c.usedBytes;
        }
        EXPECT_EQ(buffer.capacity(), c.blockBytes);
        ASSERT_EQ(buffer.size(), c.usedBytes);
        size_t changed = 0;
        for (size_t at = 0; at < buffer.size(); ++at) changed += buffer[at] != PatternAt(at);
        EXPECT_EQ(changed, 0u) << c.usedBytes << ": the bytes in use are kept";
        EXPECT_EQ(ResidentPages(block, 0, c.usedBytes), (c.usedBytes + PageSize() - 1) / PageSize());
        EXPECT_EQ(ResidentPages(block, c.firstReleased, c.blockBytes), 0u) << c.usedBytes << ": the idle tail";

        // A larger game later grows into the tail again, writing its pages in as fresh ones.
        FitKeptBuffer(buffer, c.blockBytes);
        EXPECT_EQ(buffer.data(), block) << c.usedBytes;
        for (size_t at = c.usedBytes; at < buffer.size(); ++at) buffer[at] = 0x5A;
        EXPECT_EQ(buffer.back(), 0x5A);
        EXPECT_EQ(ResidentPages(block, 0, c.blockBytes), pages) << c.usedBytes;
    }
}

// A large block no more than half idle keeps every page; one too small is replaced by a block
// of the new size.
TEST(KeptBuffer, ALargeBlockHalfUsedKeepsItsPagesAndOneTooSmallIsReplaced) {
    LargeBuffer buffer(size_t{16} << 20, 1);
    const uint8_t* const block = buffer.data();
    FitKeptBuffer(buffer, size_t{8} << 20);
    EXPECT_EQ(buffer.data(), block);
    EXPECT_EQ(ResidentPages(block, 0, size_t{16} << 20), (size_t{16} << 20) / PageSize());

    FitKeptBuffer(buffer, (size_t{16} << 20) + 1);
    EXPECT_EQ(buffer.capacity(), (size_t{16} << 20) + 1);
}

// Heap vectors: used again, zeroed, when large enough and at most half idle; otherwise given
// back for a vector of the new size.
TEST(KeptBuffer, AHeapVectorIsKeptOnlyWhenAtMostHalfIdle) {
    struct Case {
        size_t count;
        bool kept;
    } const cases[] = {{1000, true}, {500, true}, {499, false}, {1, false}, {1001, false}};
    for (const Case& c : cases) {
        std::vector<uint32_t> buffer(1000, 7);
        const uint32_t* const before = buffer.data();
        FitKeptBuffer(buffer, c.count);
        EXPECT_EQ(buffer.size(), c.count);
        EXPECT_EQ(buffer.capacity(), c.kept ? 1000 : c.count) << c.count;
        if (c.kept) {
            EXPECT_EQ(buffer.data(), before) << c.count;
        }
        size_t nonZero = 0;
        for (const uint32_t value : buffer) nonZero += value != 0;
        EXPECT_EQ(nonZero, 0u) << c.count;
    }
}

}  // namespace
