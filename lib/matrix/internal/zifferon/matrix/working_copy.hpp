#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "zifferon/matrix/element_traits.hpp"

namespace zifferon::detail {

// A private copy of some elements that an algorithm changes in place.
//
// Up to InlineCapacity elements live inside the object, so that an algorithm on a small matrix
// keeps its working copy on the stack and costs no allocation; more take one heap block of
// exactly their size. Every element is made in one place, copyElements: a plain copy, for a
// fraction the element type's working copy, which keeps it as stored (a fraction typed as 2/4
// stays 2/4; the algorithms' arithmetic reduces anyway).
template <class T, std::size_t InlineCapacity>
class WorkingCopy {
public:
    // Copies source[0..count).
    WorkingCopy(const T* source, std::size_t count)
        : first(count <= InlineCapacity ? inlineElements() : allocate(count)), size(count) {
        try {
            copyElements(source, first, size);
        } catch (...) {
            release(first, size);
            throw;
        }
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    ~WorkingCopy() {
        std::destroy_n(first, size);
        release(first, size);
    }

    T* data() noexcept { return first; }
    const T* data() const noexcept { return first; }
    T& operator[](std::size_t i) noexcept { return first[i]; }
    const T& operator[](std::size_t i) const noexcept { return first[i]; }

    // Replaces every element by a fresh copy of source's. On the heap the new block is complete
    // before the old one goes, as for a new copy assigned over the old.
    void renew(const T* source) {
        if (first != inlineElements()) {
            T* const fresh = allocate(size);
            try {
                copyElements(source, fresh, size);
            } catch (...) {
                release(fresh, size);
                throw;
            }
            std::destroy_n(first, size);
            release(first, size);
            first = fresh;
            return;
        }
        const std::size_t count = std::exchange(size, 0);
        std::destroy_n(first, count);
        copyElements(source, first, count);
        size = count;
    }

private:
    // The one place where a working element is made from its source.
    static void copyElements(const T* source, T* target, std::size_t count) {
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::uninitialized_copy_n(source, count, target);
        } else {
            std::size_t made = 0;
            try {
                for (; made < count; ++made) {
                    // Made in place from the returned value: no copy constructor in between.
                    ::new (static_cast<void*>(target + made))
                        T(ElementTraits<T>::workingCopy(source[made]));
                }
            } catch (...) {
                std::destroy_n(target, made);
                throw;
            }
        }
    }
    static T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
    void release(T* block, std::size_t count) noexcept {
        if (block != inlineElements()) {
            std::allocator<T>().deallocate(block, count);
        }
    }
    T* inlineElements() noexcept { return reinterpret_cast<T*>(storage); }

    alignas(T) std::byte storage[InlineCapacity * sizeof(T)];
    T* first;
    std::size_t size;
};

// Up to this many rows and columns, solve and determinant keep their working copies on the
// stack (16 * 16 fractions take 6 KiB); larger matrices are copied to the heap.
inline constexpr std::size_t maxInlineOrder = 16;

// A working copy of a matrix's elements, row by row like the storage.
template <class T>
using WorkingMatrix = WorkingCopy<T, maxInlineOrder * maxInlineOrder>;

}  // namespace zifferon::detail
