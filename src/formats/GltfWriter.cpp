#include "GltfWriter.h"

#include "GltfMesh.h"
#include "OutputFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr quint32 kGlbMagic = 0x46546C67; // "glTF"
constexpr quint32 kJsonChunk = 0x4E4F534A;
constexpr quint32 kBinChunk = 0x004E4942;
constexpr qint64 kGlbHeaderBytes = 12;
constexpr qint64 kChunkHeaderBytes = 8;

// A model as a node: its place among the nodes and the mesh it got (-1: none).
struct SceneNode
{
    const ModelClass *model;
    QList<int> children;
    GltfMeshLayout layout;
    int mesh = -1;
};

QJsonArray numbers(std::initializer_list<double> values)
{
    QJsonArray array;
    for (double v : values)
        array.append(v);
    return array;
}

QJsonArray triple(const float v[3])
{
    return numbers({v[0], v[1], v[2]});
}

QJsonObject view(qint64 offset, qint64 length, int target)
{
    return {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", length}, {"target", target}};
}

// The model's colour and opacity as glTF's linear factors.
QJsonArray baseColour(const ModelClass &model)
{
    int rgb[3];
    modelColour(model, rgb);
    return numbers(
        {linearFromSrgb(rgb[0]), linearFromSrgb(rgb[1]), linearFromSrgb(rgb[2]), opacityOf(model)});
}

QJsonObject material(const ModelClass &model)
{
    const QJsonObject pbr {
        {"baseColorFactor", baseColour(model)}, {"metallicFactor", 0.0}, {"roughnessFactor", 0.5}};
    QJsonObject out {{"name", model.title()}, {"pbrMetallicRoughness", pbr}, {"doubleSided", true}};
    if (opacityOf(model) < 1)
        out["alphaMode"] = "BLEND";
    return out;
}

// The arrays that describe every mesh's data in the buffer, which holds each
// model's positions, normals and indices in node order.
struct Arrays
{
    QJsonArray views, accessors, meshes, materials;
    qint64 offset = 0;

    void add(SceneNode &node)
    {
        const GltfMeshLayout &l = node.layout;
        if (l.triangles == 0)
            return;
        const int first = int(accessors.size());
        views << view(offset, 12 * l.vertices, kGltfArrayBuffer)
              << view(offset + 12 * l.vertices, 12 * l.vertices, kGltfArrayBuffer)
              << view(offset + 24 * l.vertices, 12 * l.triangles, kGltfElementArrayBuffer);
        offset += l.byteLength();
        accessors << QJsonObject {{"bufferView", first},  {"componentType", kGltfFloat},
                                  {"count", l.vertices},  {"type", "VEC3"},
                                  {"min", triple(l.min)}, {"max", triple(l.max)}}
                  << QJsonObject {{"bufferView", first + 1},
                                  {"componentType", kGltfFloat},
                                  {"count", l.vertices},
                                  {"type", "VEC3"}}
                  << QJsonObject {{"bufferView", first + 2},
                                  {"componentType", kGltfUnsignedInt},
                                  {"count", 3 * l.triangles},
                                  {"type", "SCALAR"}};
        node.mesh = int(meshes.size());
        const QJsonObject primitive {
            {"attributes", QJsonObject {{"POSITION", first}, {"NORMAL", first + 1}}},
            {"indices", first + 2},
            {"material", int(materials.size())},
            {"mode", 4}};
        meshes << QJsonObject {{"name", node.model->title()},
                               {"primitives", QJsonArray {primitive}}};
        materials << material(*node.model);
    }
};

// The box of every mesh's positions as written (all zero without any).
void sceneBox(const std::vector<SceneNode> &nodes, float low[3], float high[3])
{
    bool any = false;
    for (const SceneNode &node : nodes) {
        if (node.layout.vertices == 0)
            continue;
        for (int k = 0; k < 3; ++k) {
            low[k] = any ? std::min(low[k], node.layout.min[k]) : node.layout.min[k];
            high[k] = any ? std::max(high[k], node.layout.max[k]) : node.layout.max[k];
        }
        any = true;
    }
}

// The whole JSON of the scene; `binUri` names the buffer's file (empty: the
// GLB's own chunk).
QJsonObject sceneJson(std::vector<SceneNode> &nodes, const QList<int> &roots,
                      const GltfCamera *camera, const QString &binUri)
{
    Arrays arrays;
    for (SceneNode &node : nodes)
        arrays.add(node);
    QJsonArray nodeArray;
    for (const SceneNode &node : nodes) {
        QJsonObject out {{"name", node.model->title()}};
        if (node.mesh >= 0)
            out["mesh"] = node.mesh;
        if (!node.children.isEmpty()) {
            QJsonArray children;
            for (int c : node.children)
                children << c + 1; // after the root node
            out["children"] = children;
        }
        nodeArray << out;
    }
    QJsonArray rootChildren;
    for (int r : roots)
        rootChildren << r + 1;
    QJsonObject root {{"name", "Scene"}};
    if (!rootChildren.isEmpty())
        root["children"] = rootChildren;
    nodeArray.prepend(root);
    QJsonObject gltf {{"asset", QJsonObject {{"version", "2.0"}, {"generator", "Tessaron"}}}};
    QJsonArray sceneNodes {0};
    if (camera) {
        float low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
        sceneBox(nodes, low, high);
        sceneNodes << nodeArray.size();
        gltf["cameras"] = QJsonArray {gltfCameraJson(*camera, low, high)};
        nodeArray << gltfCameraNode(*camera, 0);
    }
    gltf["scene"] = 0;
    gltf["scenes"] = QJsonArray {QJsonObject {{"name", "Scene"}, {"nodes", sceneNodes}}};
    gltf["nodes"] = nodeArray;
    if (arrays.offset > 0) {
        QJsonObject buffer {{"byteLength", arrays.offset}};
        if (!binUri.isEmpty())
            buffer["uri"] = binUri;
        gltf["buffers"] = QJsonArray {buffer};
        gltf["bufferViews"] = arrays.views;
        gltf["accessors"] = arrays.accessors;
        gltf["meshes"] = arrays.meshes;
        gltf["materials"] = arrays.materials;
    }
    return gltf;
}

void word(OutputBuffer &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.bytes(&le, 4);
}

qint64 padded(qint64 length)
{
    return (length + 3) / 4 * 4;
}

void writeBuffer(OutputBuffer &out, const std::vector<SceneNode> &nodes)
{
    for (const SceneNode &node : nodes)
        if (node.mesh >= 0)
            writeGltfMeshData(out, *node.model, node.layout);
}

// The binary container: header, the JSON chunk padded with blanks, the
// buffer's chunk padded with zeros, every chunk starting on 4 bytes.
void writeGlb(OutputBuffer &out, const QByteArray &json, const std::vector<SceneNode> &nodes,
              qint64 binLength)
{
    const qint64 jsonLength = padded(json.size());
    qint64 total = kGlbHeaderBytes + kChunkHeaderBytes + jsonLength;
    if (binLength > 0)
        total += kChunkHeaderBytes + padded(binLength);
    if (total > std::numeric_limits<quint32>::max())
        throw errNoMemory;
    word(out, kGlbMagic);
    word(out, 2);
    word(out, quint32(total));
    word(out, quint32(jsonLength));
    word(out, kJsonChunk);
    out.bytes(json.constData(), size_t(json.size()));
    for (qint64 i = json.size(); i < jsonLength; ++i)
        out.ch(' ');
    if (binLength == 0)
        return;
    word(out, quint32(padded(binLength)));
    word(out, kBinChunk);
    writeBuffer(out, nodes);
    for (qint64 i = binLength; i < padded(binLength); ++i)
        out.ch('\0');
}

qint32 writeJsonPair(const QString &chosen, std::vector<SceneNode> &nodes, const QList<int> &roots,
                     const GltfCamera *camera)
{
    OutputFile json(outputFileName(chosen, kindEnding(FileKind::Gltf)), false);
    const QString binName = outputFileName(chosen, secondEnding(FileKind::Gltf));
    OutputFile bin(binName, false);
    if (!json.isOpen() || !bin.isOpen())
        return errOpen;
    const QString uri = QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(binName).fileName()));
    const qint32 status = runGuarded("writeGltf", [&] {
        const QJsonObject gltf = sceneJson(nodes, roots, camera, uri);
        json.out().text(QJsonDocument(gltf).toJson(QJsonDocument::Indented).toStdString());
        writeBuffer(bin.out(), nodes);
    });
    if (status != errNone)
        return status;
    // The buffer goes first, so that a buffer that cannot take its place
    // leaves the earlier JSON file, the one that is opened, as it was.
    return commitPair(bin, json);
}

qint32 writeBinary(const QString &chosen, std::vector<SceneNode> &nodes, const QList<int> &roots,
                   const GltfCamera *camera)
{
    return writeOneFile(chosen, FileKind::Glb, false, "writeGltf", [&](OutputBuffer &out) {
        const QJsonObject gltf = sceneJson(nodes, roots, camera, {});
        qint64 binLength = 0;
        for (const SceneNode &node : nodes)
            if (node.mesh >= 0)
                binLength += node.layout.byteLength();
        writeGlb(out, QJsonDocument(gltf).toJson(QJsonDocument::Compact), nodes, binLength);
    });
}

} // namespace

double linearFromSrgb(int component)
{
    const double c = std::clamp(component, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int srgbFromLinear(double factor)
{
    const double c = std::clamp(factor, 0.0, 1.0);
    const double s = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

qint32 writeGltfScene(const QList<const ModelClass *> &models, const GltfCamera *camera,
                      const QString &fileName)
{
    if (fileName.isEmpty())
        return errNone;
    std::vector<SceneNode> nodes;
    QList<int> roots;
    const qint32 status = runGuarded("writeGltf", [&] {
        for (const ModelClass *model : models)
            roots << collectGltfNodes(*model, nodes);
        qint64 total = 0;
        for (SceneNode &node : nodes) {
            node.layout = gltfMeshLayout(*node.model);
            total += node.layout.byteLength();
        }
        // One buffer of at most 4 GiB in a container whose lengths are 32 bits.
        if (total > std::numeric_limits<quint32>::max() - (qint64(1) << 24))
            throw errNoMemory;
    });
    if (status != errNone)
        return status;
    return kindOfName(fileName) == FileKind::Gltf ? writeJsonPair(fileName, nodes, roots, camera)
                                                  : writeBinary(fileName, nodes, roots, camera);
}

qint32 writeGltf(const ModelClass &model, const QString &fileName)
{
    const QList<const ModelClass *> models {&model};
    const GltfCamera camera = framingCamera(models);
    return writeGltfScene(models, &camera, fileName);
}
