#pragma once

// NIfTI images written by the tests themselves: n³ voxels of `step`
// millimetres centred on the origin, value f(i, j, k), as signed 16-bit
// integers or as 32-bit floats. `flipX` runs the i axis towards the patient's
// left (as a map stored left-posterior would after its turn); `extension`,
// when given, is stored as a header extension of text.

#include <QFile>
#include <QString>
#include <QtEndian>

#include <cstring>
#include <functional>

template<class T>
bool writeNiftiCube(const QString &path, int n, double step, qint16 type,
                    const std::function<T(int, int, int)> &f, bool flipX = false,
                    const QByteArray &extension = {})
{
    QByteArray bytes(352, '\0');
    auto put = [&](int at, const void *value, size_t size) {
        std::memcpy(bytes.data() + at, value, size);
    };
    const qint32 headerSize = 348;
    put(0, &headerSize, 4);
    const qint16 dims[8] = {3, qint16(n), qint16(n), qint16(n), 1, 1, 1, 1};
    put(40, dims, sizeof dims);
    const qint16 bits = qint16(8 * sizeof(T));
    put(70, &type, 2);
    put(72, &bits, 2);
    const float pixdim[8] = {1, float(step), float(step), float(step), 1, 1, 1, 1};
    put(76, pixdim, sizeof pixdim);
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
    const float offset = float(352 + ext.size());
    put(108, &offset, 4);
    bytes[123] = 2; // millimetres
    const qint16 sform = 1;
    put(254, &sform, 2);
    const float origin = float(-step * (n - 1) / 2);
    for (int r = 0; r < 3; ++r) {
        float row[4] = {0, 0, 0, r == 0 && flipX ? -origin : origin};
        row[r] = float(r == 0 && flipX ? -step : step);
        put(280 + 16 * r, row, sizeof row);
    }
    put(344, "n+1", 4);
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
