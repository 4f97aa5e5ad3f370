#pragma once

// Writes small binary .surf files for tests: a header, the vertices as
// big-endian floats and 1-based big-endian triangle indices.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <vector>

inline QByteArray surfBytes(const std::vector<float> &xyz, const std::vector<qint32> &triangles)
{
    QByteArray bytes = "# HyperSurface 0.1 BINARY\n\nParameters {\n}\n\n";
    bytes += "Vertices " + QByteArray::number(qsizetype(xyz.size() / 3)) + "\n";
    for (float v : xyz) {
        char be[4];
        qToBigEndian(v, be);
        bytes.append(be, 4);
    }
    bytes +=
        "\nPatches 1\n{\nTriangles " + QByteArray::number(qsizetype(triangles.size() / 3)) + "\n";
    for (qint32 i : triangles) {
        char be[4];
        qToBigEndian(i, be);
        bytes.append(be, 4);
    }
    bytes += "\n}\n";
    return bytes;
}

// One triangle, shifted along x so that models differ.
inline bool writeTriangleSurf(const QString &path, float shift = 0)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(surfBytes({shift, 0, 0, shift + 1, 0, 0, shift, 1, 0}, {1, 2, 3}));
    return true;
}

// A scene file loading the named files of its own folder. Each label names a
// surface, so that a line loading another scene is a load line too.
inline bool writeScene(const QString &path, const QStringList &names)
{
    QByteArray text = "# scene\n";
    for (const QString &name : names) {
        const QByteArray label = QFileInfo(name).completeBaseName().toUtf8() + ".surf";
        text += "[ load ${SCRIPTDIR}/" + name.toUtf8() + " ] setLabel {" + label + "}\n";
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}
