#pragma once

// NIfTI files written by the tests themselves; the images: n³ voxels of `step`
// millimetres centred on the origin, value f(i, j, k), as signed 16-bit
// integers or as 32-bit floats. `flipX` runs the i axis towards the patient's
// left (as a map stored left-posterior would after its turn); `extension`,
// when given, is stored as a header extension of text.

#include <QFile>
#include <QString>
#include <QtEndian>

#include <array>
#include <cstring>
#include <functional>

// A NIfTI-1 file of nx × ny × nz voxels of `type` (2 uint8, 4 int16, 16
// float32) 1 mm apart, its data right after the 352 bytes of header.
inline QByteArray niftiBytes(std::array<qint16, 3> n, qint16 type, const QByteArray &data)
{
    QByteArray h(352, '\0');
    qToLittleEndian<qint32>(348, h.data());
    const qint16 dims[8] = {3, n[0], n[1], n[2], 1, 1, 1, 1};
    for (int d = 0; d < 8; ++d) {
        qToLittleEndian(dims[d], h.data() + 40 + 2 * d);
        qToLittleEndian<float>(1, h.data() + 76 + 4 * d);
    }
    qToLittleEndian(type, h.data() + 70);
    qToLittleEndian<qint16>(type == 2 ? 8 : type == 4 ? 16 : 32, h.data() + 72);
    qToLittleEndian<float>(352, h.data() + 108);
    std::memcpy(h.data() + 344, "n+1", 4);
    return h + data;
}

template<class T>
bool writeNiftiCube(const QString &path, int n, double step, qint16 type,
                    const std::function<T(int, int, int)> &f, bool flipX = false,
                    const QByteArray &extension = {})
{
    QByteArray bytes = niftiBytes({qint16(n), qint16(n), qint16(n)}, type, {});
    for (int d = 1; d <= 3; ++d)
        qToLittleEndian(float(step), bytes.data() + 76 + 4 * d);
    // An extension: its size (a multiple of 16, with its 8 bytes of size
    // and code), code 6 (text), then the text padded with zeros.
    QByteArray ext;
    if (!extension.isEmpty()) {
        const qint32 size = qint32((extension.size() + 8 + 15) / 16 * 16), code = 6;
        ext.append(reinterpret_cast<const char *>(&size), 4);
        ext.append(reinterpret_cast<const char *>(&code), 4);
        ext.append(extension);
        ext.append(QByteArray(size - ext.size(), '\0'));
        bytes[348] = 1;
    }
    qToLittleEndian(float(352 + ext.size()), bytes.data() + 108);
    bytes[123] = 2;                                 // millimetres
    qToLittleEndian<qint16>(1, bytes.data() + 254); // the sform is the scanner's
    const float origin = float(-step * (n - 1) / 2);
    for (int r = 0; r < 3; ++r) {
        float row[4] = {0, 0, 0, r == 0 && flipX ? -origin : origin};
        row[r] = float(r == 0 && flipX ? -step : step);
        std::memcpy(bytes.data() + 280 + 16 * r, row, sizeof row);
    }
    bytes.append(ext);
    for (int k = 0; k < n; ++k)
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const T value = qToLittleEndian(f(i, j, k));
                bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
            }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool writeNifti(const QString &path, int n, double step,
                       const std::function<qint16(int, int, int)> &f, bool flipX = false,
                       const QByteArray &extension = {})
{
    return writeNiftiCube<qint16>(path, n, step, 4, f, flipX, extension);
}

inline bool writeCubeNifti(const QString &path, int n, double step,
                           const std::function<qint16(int, int, int)> &f)
{
    return writeNifti(path, n, step, f);
}

inline bool writeFloatCubeNifti(const QString &path, int n, double step,
                                const std::function<float(int, int, int)> &f)
{
    return writeNiftiCube<float>(path, n, step, 16, f);
}
