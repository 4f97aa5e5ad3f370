#pragma once

// Handmade .surf sections for the reader tests, in big-endian records.

#include <QByteArray>
#include <QtEndian>

#include <bit>
#include <vector>

inline void appendWord(QByteArray &bytes, quint32 word)
{
    const quint32 big = qToBigEndian(word);
    bytes.append(reinterpret_cast<const char *>(&big), 4);
}

// "Vertices N" and the points (i, 2i, 3i) for i = 1..N.
inline QByteArray vertices(int count)
{
    QByteArray bytes = "Vertices " + QByteArray::number(count) + "\n";
    for (int i = 1; i <= count; ++i)
        for (int axis = 1; axis <= 3; ++axis)
            appendWord(bytes, std::bit_cast<quint32>(float(axis * i)));
    return bytes;
}

// "Triangles M" and the vertex numbers as written (from 1).
inline QByteArray triangles(const std::vector<qint32> &numbers)
{
    QByteArray bytes = "Triangles " + QByteArray::number(qsizetype(numbers.size() / 3)) + "\n";
    for (qint32 number : numbers)
        appendWord(bytes, quint32(number));
    return bytes;
}
