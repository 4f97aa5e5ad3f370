#pragma once

// Handmade .surf files for the reader tests: sections of big-endian records.

#include <QByteArray>
#include <QtEndian>

#include <bit>
#include <vector>

inline QByteArray bigEndianWords(const std::vector<quint32> &words)
{
    QByteArray bytes(qsizetype(4 * words.size()), '\0');
    for (size_t i = 0; i < words.size(); ++i)
        qToBigEndian(words[i], bytes.data() + 4 * i);
    return bytes;
}

// "Vertices N" and the points (i, 2i, 3i) for i = 1..N.
inline QByteArray vertexSection(int count)
{
    std::vector<quint32> words;
    for (int i = 1; i <= count; ++i)
        for (int axis = 1; axis <= 3; ++axis)
            words.push_back(std::bit_cast<quint32>(float(axis * i)));
    return "Vertices " + QByteArray::number(count) + "\n" + bigEndianWords(words);
}

// "Triangles M" and the vertex numbers as written (from 1).
inline QByteArray triangleSection(const std::vector<qint32> &numbers)
{
    const std::vector<quint32> words(numbers.begin(), numbers.end());
    return "Triangles " + QByteArray::number(qsizetype(numbers.size() / 3)) + "\n"
        + bigEndianWords(words);
}
