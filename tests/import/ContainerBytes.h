#pragma once

// Bytes of binary containers the tests write by hand.

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <array>
#include <cstring>

// `value` as `bytes` little-endian bytes at the end of `out`.
inline void putLe(QByteArray &out, quint32 value, int bytes)
{
    for (int b = 0; b < bytes; ++b)
        out.append(char(value >> (8 * b)));
}

// A binary glTF container: the JSON chunk padded with spaces, then the
// buffer as its BIN chunk, whose length `binClaim` may give another.
inline QByteArray glb(const QByteArray &json, const QByteArray &bin, quint32 binClaim = 0)
{
    QByteArray padded = json;
    padded.append((4 - padded.size() % 4) % 4, ' ');
    QByteArray out = "glTF";
    putLe(out, 2, 4), putLe(out, quint32(28 + padded.size() + bin.size()), 4);
    putLe(out, quint32(padded.size()), 4), putLe(out, 0x4E4F534A, 4);
    out += padded;
    putLe(out, binClaim ? binClaim : quint32(bin.size()), 4), putLe(out, 0x004E4942, 4);
    return out + bin;
}

// A binary STL of the triangles (three corners each), its header `header`.
inline QByteArray binaryStl(const QList<std::array<float, 9>> &triangles,
                            const QByteArray &header = {})
{
    QByteArray bytes = header.leftJustified(80, ' ', true);
    bytes.resize(84 + 50 * triangles.size(), 0);
    qToLittleEndian(quint32(triangles.size()), bytes.data() + 80);
    for (qsizetype t = 0; t < triangles.size(); ++t)
        std::memcpy(bytes.data() + 84 + 50 * t + 12, triangles[t].data(), 36);
    return bytes;
}
