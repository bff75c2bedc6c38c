// AtlasAllocator: the allocator of the piece atlas. It leaves new elements as the heap
// hands them out instead of zeroing them, because the cutter writes every byte of the atlas
// in its one pass anyway: zeroing first would be a second pass over tens of megabytes.
// Construction with a value (assign(n, 0), push_back) works as usual.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

template <typename T>
class AtlasAllocator : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = AtlasAllocator<U>;
    };

    AtlasAllocator() noexcept = default;
    template <typename U>
    AtlasAllocator(const AtlasAllocator<U>&) noexcept {}

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible<U>::value) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
