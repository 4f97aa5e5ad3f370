#pragma once

// What every fuzz target of a mesh reader checks of the soup it gets: faces
// of three or more corners, each naming a vertex the soup has.

#include "import/ImportTypes.h"
#include "import/PolygonSoup.h"

inline void checkSoup(const PolygonSoup &soup)
{
    if (soup.xyz.size() % 3 != 0 || soup.faceStarts.empty() || soup.faceStarts.front() != 0
        || soup.faceStarts.back() != qint64(soup.indices.size()))
        __builtin_trap();
    for (qint64 f = 0; f < soup.faceCount(); ++f)
        if (soup.faceStarts[size_t(f + 1)] - soup.faceStarts[size_t(f)] < 3)
            __builtin_trap();
    for (const qint32 index : soup.indices)
        if (index < 0 || index >= soup.vertexCount())
            __builtin_trap();
}

// Runs a reader over the input: a refusal is fine, anything else must give a
// sound soup.
template<class Read> int fuzzReader(const uint8_t *data, size_t size, Read read)
{
    try {
        read(QByteArrayView(data, qsizetype(size)));
    } catch (const ImportFailure &) { }
    return 0;
}
