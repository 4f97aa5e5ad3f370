#pragma once

// What a test reads of a glTF file it had written: the GLB container's JSON
// and buffer, a mesh's positions, and the camera node as a picture into which
// points are projected, all in glTF's own frame and metres.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

class ModelClass;

// The models as the writer takes them.
inline QList<const ModelClass *> pointers(const std::vector<std::unique_ptr<ModelClass>> &models)
{
    QList<const ModelClass *> list;
    for (const auto &m : models)
        list << m.get();
    return list;
}

inline quint32 glbWord(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The JSON and the buffer of a GLB file, after checking its container; empty
// when the container is wrong.
inline std::pair<QJsonObject, QByteArray> readGlb(const QByteArray &bytes)
{
    if (bytes.size() < 28 || glbWord(bytes, 0) != 0x46546C67 || glbWord(bytes, 4) != 2
        || glbWord(bytes, 8) != quint32(bytes.size()))
        return {};
    const quint32 jsonLength = glbWord(bytes, 12);
    if (jsonLength % 4 || glbWord(bytes, 16) != 0x4E4F534A)
        return {};
    const QJsonObject json = QJsonDocument::fromJson(bytes.mid(20, jsonLength)).object();
    const qsizetype bin = 20 + jsonLength;
    if (bin % 4 || bin + 8 > bytes.size() || glbWord(bytes, bin + 4) != 0x004E4942)
        return {};
    const quint32 binLength = glbWord(bytes, bin);
    if (binLength % 4 || bin + 8 + binLength != quint32(bytes.size()))
        return {};
    return {json, bytes.mid(bin + 8, binLength)};
}

inline float glbFloat(const QByteArray &bin, qint64 at)
{
    float v;
    std::memcpy(&v, bin.constData() + at, 4);
    return v;
}

// The accessor `accessor`'s VEC3 floats, three per point.
inline std::vector<double> accessorPoints(const QJsonObject &json, const QByteArray &bin,
                                          int accessor)
{
    const QJsonObject a = json["accessors"][accessor].toObject();
    const qint64 at = json["bufferViews"][a["bufferView"].toInt()]["byteOffset"].toInteger();
    std::vector<double> out;
    for (qint64 i = 0; i < 3 * a["count"].toInteger(); ++i)
        out.push_back(glbFloat(bin, at + 4 * i));
    return out;
}

// The camera of the file's last node: where it stands, its rotation as a
// matrix (columns: its right, up and backwards), its angle and aspect.
struct GltfPicture
{
    double eye[3] = {0, 0, 0};
    double axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; // axes[column][row]
    double tanHalf = 0, aspect = 1, znear = 0, zfar = 0;

    explicit GltfPicture(const QJsonObject &json)
    {
        const QJsonObject node = json["nodes"].toArray().last().toObject();
        const QJsonObject perspective =
            json["cameras"][node["camera"].toInt()]["perspective"].toObject();
        tanHalf = std::tan(perspective["yfov"].toDouble() / 2);
        aspect = perspective["aspectRatio"].toDouble(1);
        znear = perspective["znear"].toDouble();
        zfar = perspective["zfar"].toDouble();
        for (int k = 0; k < 3; ++k)
            eye[k] = node["translation"][k].toDouble();
        const double x = node["rotation"][0].toDouble(), y = node["rotation"][1].toDouble(),
                     z = node["rotation"][2].toDouble(), w = node["rotation"][3].toDouble();
        const double r[3][3] = {
            {1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                axes[c][k] = r[k][c];
    }
    const double *right() const { return axes[0]; }
    const double *up() const { return axes[1]; }
    // The line of sight: the camera's -z.
    std::vector<double> forward() const { return {-axes[2][0], -axes[2][1], -axes[2][2]}; }

    // The point in the camera's own axes.
    std::vector<double> local(const double *p) const
    {
        std::vector<double> c(3, 0.0);
        for (int a = 0; a < 3; ++a)
            for (int k = 0; k < 3; ++k)
                c[size_t(a)] += axes[a][k] * (p[k] - eye[k]);
        return c;
    }
    // How far towards the picture's edge a point lies (1: on the edge); the
    // largest double for a point outside the clipping planes.
    double share(const double *p) const
    {
        const std::vector<double> c = local(p);
        if (-c[2] < znear || -c[2] > zfar)
            return std::numeric_limits<double>::max();
        return std::max(std::abs(c[0] / -c[2]) / (tanHalf * aspect),
                        std::abs(c[1] / -c[2]) / tanHalf);
    }
};

// The largest share of the picture any vertex of the file reaches.
inline double largestShare(const QJsonObject &json, const QByteArray &bin)
{
    const GltfPicture picture(json);
    double largest = 0;
    for (const QJsonValue &mesh : json["meshes"].toArray()) {
        const std::vector<double> p =
            accessorPoints(json, bin, mesh["primitives"][0]["attributes"]["POSITION"].toInt());
        for (size_t v = 0; v < p.size(); v += 3)
            largest = std::max(largest, picture.share(&p[v]));
    }
    return largest;
}
