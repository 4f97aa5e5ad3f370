#pragma once

#include "Status.h"

#include <cstdlib>
#include <cstring>
#include <limits>

// Blocks own raw arrays from the C allocator. These helpers throw errNoMemory
// instead of returning null, so an operation can unwind to its boundary.

template<class T> T *allocArray(qint64 count)
{
    if (count < 0 || quint64(count) > std::numeric_limits<size_t>::max() / sizeof(T))
        throw errNoMemory;
    void *p = std::malloc(count ? size_t(count) * sizeof(T) : 1);
    if (!p)
        throw errNoMemory;
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
    void *p = std::realloc(static_cast<void *>(array), count ? size_t(count) * sizeof(T) : 1);
    if (!p)
        throw errNoMemory;
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
