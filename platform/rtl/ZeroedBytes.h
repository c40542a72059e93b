// A byte vector whose new bytes are zero without being written: its memory comes from calloc, which
// hands large blocks out as untouched zero pages, so a buffer sized for a whole picture costs memory
// only where data is actually stored. Size it with ResizeZeroed, never with resize after clear (the
// old capacity would keep its old bytes).
#pragma once

#include "rtl/Types.h"

#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <class T> struct TZeroedAllocator {
    static_assert(std::is_trivial_v<T>, "zero pages stand for values only for trivial types");
    using value_type = T;
    TZeroedAllocator() = default;
    template <class U> TZeroedAllocator(const TZeroedAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        void* p = std::calloc(n == 0 ? 1 : n, sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    // Growth default-initialises: the bytes stay the zeros calloc gave.
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... A> void construct(U* p, A&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
    template <class U> bool operator==(const TZeroedAllocator<U>&) const noexcept { return true; }
};

using TZeroedBytes = std::vector<Byte, TZeroedAllocator<Byte>>;

// Replaces the buffer by `size` zero bytes in fresh memory.
inline void ResizeZeroed(TZeroedBytes& bytes, std::size_t size) {
    TZeroedBytes fresh;
    fresh.resize(size);
    bytes.swap(fresh);
}
