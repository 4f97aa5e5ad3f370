#pragma once

// The storage of an image's voxels: a std::vector whose allocator differs from
// the standard one in two ways that matter for a CT of hundreds of megabytes.
//
// - Growing it leaves the new voxels unset instead of zero. Every reader writes
//   each voxel once; zeroing them first would touch all the memory twice.
// - A block of 2 MB or more is aligned to 2 MB and offered to the kernel for
//   huge pages, so it is faulted in 2 MB at a time rather than 4 KB.
//
// `assign`, `push_back` and the constructors with a value still set what they
// are given.

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

template<class T> struct VoxelAllocator
{
    using value_type = T;

    static constexpr std::size_t kHugePage = std::size_t(2) << 20;

    VoxelAllocator() = default;
    template<class U> VoxelAllocator(const VoxelAllocator<U> &) noexcept { }

    T *allocate(std::size_t n)
    {
        if (n > (std::size_t(-1) - kHugePage) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage)
            return static_cast<T *>(::operator new(bytes));
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void *block = std::aligned_alloc(kHugePage, rounded);
        if (!block)
            throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        madvise(block, rounded, MADV_HUGEPAGE); // a hint: refused, it costs nothing
#endif
        return static_cast<T *>(block);
    }

    void deallocate(T *block, std::size_t n) noexcept
    {
        if (n * sizeof(T) < kHugePage)
            ::operator delete(block);
        else
            std::free(block);
    }

    // Default-initialises instead of value-initialising: new voxels stay unset.
    template<class U> void construct(U *at) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void *>(at)) U;
    }
    template<class U, class... Args> void construct(U *at, Args &&...args)
    {
        ::new (static_cast<void *>(at)) U(std::forward<Args>(args)...);
    }

    template<class U> bool operator==(const VoxelAllocator<U> &) const noexcept
    {
        return true;
    }
    template<class U> bool operator!=(const VoxelAllocator<U> &) const noexcept
    {
        return false;
    }
};

template<class T> using VoxelArray = std::vector<T, VoxelAllocator<T>>;
