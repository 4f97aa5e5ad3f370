#pragma once

#include "Status.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#ifdef __linux__
#include <sys/mman.h>
#endif

// Blocks own raw arrays from the C allocator. These helpers throw errNoMemory
// instead of returning null, so an operation can unwind to its boundary.

// Asks for transparent huge pages on the 2 MiB-aligned part of a large
// array. Filling a fresh array costs one page fault per page touched; with
// huge pages that is one per 2 MiB instead of one per 4 KiB. On a virtual
// machine, where faults are dear, they were a third of the time of a render.
inline void adviseHugePages(void *p, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t huge = uintptr_t(2) << 20;
    const uintptr_t begin = (uintptr_t(p) + huge - 1) & ~(huge - 1);
    const uintptr_t end = (uintptr_t(p) + bytes) & ~(huge - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(p);
    Q_UNUSED(bytes);
#endif
}

// Reserves room for n elements of a vector that is about to be filled, with
// huge pages for its storage.
template<class Vector> void reserveLarge(Vector &v, size_t n)
{
    v.reserve(n);
    adviseHugePages(v.data(), n * sizeof(typename Vector::value_type));
}

template<class T> T *allocArray(qint64 count)
{
    if (count < 0 || quint64(count) > std::numeric_limits<size_t>::max() / sizeof(T))
        throw errNoMemory;
    const size_t bytes = count ? size_t(count) * sizeof(T) : 1;
    void *p = std::malloc(bytes);
    if (!p)
        throw errNoMemory;
    adviseHugePages(p, bytes);
    return static_cast<T *>(p);
}

template<class T> T *allocZeroed(qint64 count)
{
    T *p = allocArray<T>(count);
    std::memset(static_cast<void *>(p), 0, size_t(count) * sizeof(T));
    return p;
}

// Grows or shrinks an array; on failure the old array stays valid and owned.
template<class T> void resizeArray(T *&array, qint64 count)
{
    if (count < 0 || quint64(count) > std::numeric_limits<size_t>::max() / sizeof(T))
        throw errNoMemory;
    const size_t bytes = count ? size_t(count) * sizeof(T) : 1;
    void *p = std::realloc(static_cast<void *>(array), bytes);
    if (!p)
        throw errNoMemory;
    adviseHugePages(p, bytes);
    array = static_cast<T *>(p);
}

template<class T> T *copyArray(const T *source, qint64 count)
{
    if (!source)
        return nullptr;
    T *p = allocArray<T>(count);
    if (count)
        std::memcpy(static_cast<void *>(p), source, size_t(count) * sizeof(T));
    return p;
}

template<class T> void freeArray(T *&array)
{
    std::free(static_cast<void *>(array));
    array = nullptr;
}
