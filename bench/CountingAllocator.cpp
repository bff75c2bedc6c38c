// The counting operator new and delete; see CountingAllocator.h. Each block carries its size
// in a 16-byte header (16 keeps the alignment malloc gives).
#include "bench/CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kHeader = 16;
std::atomic<uint64_t> held{0};
std::atomic<uint64_t> peak{0};

void* Take(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) return nullptr;
    *static_cast<size_t*>(block) = size;
    const uint64_t now = held.fetch_add(size) + size;
    uint64_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Give(void* pointer) {
    if (pointer == nullptr) return;
    void* block = static_cast<char*>(pointer) - kHeader;
    held.fetch_sub(*static_cast<size_t*>(block));
    std::free(block);
}

void* TakeOrThrow(size_t size) {
    void* p = Take(size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

}  // namespace

namespace counting {
uint64_t HeldBytes() { return held.load(); }
uint64_t PeakBytes() { return peak.load(); }
void ResetPeak() { peak.store(held.load()); }
}  // namespace counting

void* operator new(size_t size) { return TakeOrThrow(size); }
void* operator new[](size_t size) { return TakeOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, size_t) noexcept { Give(p); }
void operator delete[](void* p, size_t) noexcept { Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Give(p); }
