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

constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr quint32 kGlbMagic = 0x46546C67; // "glTF"
constexpr quint32 kJsonChunk = 0x4E4F534A;
constexpr quint32 kBinChunk = 0x004E4942;
constexpr qint64 kGlbHeaderBytes = 12;
constexpr qint64 kChunkHeaderBytes = 8;
// Deeper model trees than this are not a scene anyone builds; the walk recurses.
constexpr int kDeepestModel = 256;

// A model as a node: its place among the nodes and the mesh it got (-1: none).
struct SceneNode
{
    const ModelClass *model;
    QList<int> children;
    GltfMeshLayout layout;
    int mesh = -1;
};

int collectNodes(const ModelClass &model, std::vector<SceneNode> &nodes, int depth)
{
    if (depth > kDeepestModel)
        throw errUnknown;
    const int index = int(nodes.size());
    nodes.push_back({&model, {}, {}, -1});
    for (const ModelClass *child : model.Children) {
        const int c = collectNodes(*child, nodes, depth + 1);
        nodes[size_t(index)].children << c;
    }
    return index;
}

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

// The colour the view gives a model: its own, else its first block's.
QJsonArray baseColour(const ModelClass &model)
{
    double rgb[3] = {0.8, 0.8, 0.8};
    for (int k = 0; k < 3; ++k) {
        if (model.ModelColor[0] >= 0)
            rgb[k] = linearFromSrgb(model.ModelColor[k]);
        else if (!model.Meshes.isEmpty())
            rgb[k] = linearFromSrgb(int(std::lround(model.Meshes[0]->FrontColor[k] * 255)));
    }
    return numbers({rgb[0], rgb[1], rgb[2], opacityOf(model)});
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
        views << view(offset, 12 * l.vertices, kArrayBuffer)
              << view(offset + 12 * l.vertices, 12 * l.vertices, kArrayBuffer)
              << view(offset + 24 * l.vertices, 12 * l.triangles, kElementArrayBuffer);
        offset += l.byteLength();
        accessors << QJsonObject {{"bufferView", first},  {"componentType", kFloat},
                                  {"count", l.vertices},  {"type", "VEC3"},
                                  {"min", triple(l.min)}, {"max", triple(l.max)}}
                  << QJsonObject {{"bufferView", first + 1},
                                  {"componentType", kFloat},
                                  {"count", l.vertices},
                                  {"type", "VEC3"}}
                  << QJsonObject {{"bufferView", first + 2},
                                  {"componentType", kUnsignedInt},
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

struct Vec
{
    double x, y, z;
    Vec operator-(const Vec &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec cross(const Vec &o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    Vec unit() const
    {
        const double n = length();
        return n > 0 ? Vec {x / n, y / n, z / n} : Vec {0, 0, 0};
    }
};

Vec vec(const double v[3])
{
    return {v[0], v[1], v[2]};
}

// The rotation that turns a camera's own axes (looking along -z, y up) to
// look from its position at its target with its up, as a unit quaternion.
QJsonArray lookRotation(const GltfCamera &camera)
{
    const Vec forward = (vec(camera.target) - vec(camera.position)).unit();
    Vec right = forward.cross(vec(camera.up)).unit();
    if (right.length() == 0) // up along the line of sight: any right will do
        right = forward.cross(std::abs(forward.z) < 0.9 ? Vec {0, 0, 1} : Vec {0, 1, 0}).unit();
    const Vec up = right.cross(forward);
    // Columns: right, up, backwards.
    const double m[3][3] = {
        {right.x, up.x, -forward.x}, {right.y, up.y, -forward.y}, {right.z, up.z, -forward.z}};
    double q[4]; // x, y, z, w
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0) {
        const double s = 0.5 / std::sqrt(trace + 1);
        q[3] = 0.25 / s;
        q[0] = (m[2][1] - m[1][2]) * s, q[1] = (m[0][2] - m[2][0]) * s,
        q[2] = (m[1][0] - m[0][1]) * s;
    } else {
        int i = 0;
        if (m[1][1] > m[0][0])
            i = 1;
        if (m[2][2] > m[i][i])
            i = 2;
        const int j = (i + 1) % 3, k = (i + 2) % 3;
        const double s = 2 * std::sqrt(1 + m[i][i] - m[j][j] - m[k][k]);
        q[i] = 0.25 * s;
        q[j] = (m[j][i] + m[i][j]) / s, q[k] = (m[k][i] + m[i][k]) / s;
        q[3] = (m[k][j] - m[j][k]) / s;
    }
    const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    return numbers({q[0] / n, q[1] / n, q[2] / n, q[3] / n});
}

// The perspective camera and the node that places it; the clipping planes
// hold the whole scene (radius in metres) seen from the camera.
void addCamera(QJsonObject &gltf, QJsonArray &nodes, const GltfCamera &camera, double radius)
{
    const double distance = (vec(camera.target) - vec(camera.position)).length() * kGltfMetres;
    const double zfar = distance + 2 * radius + 1e-3;
    const double znear = std::max(zfar * 1e-4, distance - 2 * radius);
    const double fov = std::clamp(camera.yfovDegrees, 1.0, 170.0) * M_PI / 180;
    const QJsonObject perspective {{"yfov", fov},
                                   {"aspectRatio", camera.aspect > 0 ? camera.aspect : 1.0},
                                   {"znear", znear},
                                   {"zfar", zfar}};
    gltf["cameras"] = QJsonArray {
        QJsonObject {{"name", "View"}, {"type", "perspective"}, {"perspective", perspective}}};
    const double *p = camera.position;
    nodes << QJsonObject {
        {"name", "View"},
        {"camera", 0},
        {"translation", numbers({p[0] * kGltfMetres, p[1] * kGltfMetres, p[2] * kGltfMetres})},
        {"rotation", lookRotation(camera)}};
}

// The radius in metres of the sphere around every mesh's box.
double sceneRadius(const std::vector<SceneNode> &nodes)
{
    float low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
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
    const Vec d {double(high[0] - low[0]), double(high[1] - low[1]), double(high[2] - low[2])};
    return d.length() / 2;
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
        sceneNodes << nodeArray.size();
        addCamera(gltf, nodeArray, *camera, sceneRadius(nodes));
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
            roots << collectNodes(*model, nodes, 0);
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

GltfCamera framingCamera(const QList<const ModelClass *> &models, double aspect)
{
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool any = false;
    std::vector<SceneNode> nodes;
    for (const ModelClass *model : models)
        if (runGuarded(nullptr, [&] { collectNodes(*model, nodes, 0); }) != errNone)
            break;
    for (const SceneNode &node : nodes)
        forEachVertex(*node.model, [&](const _DREAL *xyz) {
            for (int k = 0; k < 3; ++k) {
                low[k] = any ? std::min(low[k], double(xyz[k])) : xyz[k];
                high[k] = any ? std::max(high[k], double(xyz[k])) : xyz[k];
            }
            any = true;
        });
    GltfCamera camera;
    camera.aspect = aspect;
    const double radius =
        std::max(0.5 * Vec {high[0] - low[0], high[1] - low[1], high[2] - low[2]}.length(), 1e-3);
    const double fov = camera.yfovDegrees * M_PI / 180;
    // The sphere fits the narrower of the two angles, with a 5 % margin.
    const double half = aspect < 1 ? std::atan(std::tan(fov / 2) * aspect) : fov / 2;
    const double distance = 1.05 * radius / std::sin(half);
    for (int k = 0; k < 3; ++k)
        camera.target[k] = camera.position[k] = (low[k] + high[k]) / 2;
    camera.position[1] += distance;
    camera.up[0] = camera.up[1] = 0, camera.up[2] = 1;
    return camera;
}

qint32 writeGltf(const ModelClass &model, const QString &fileName)
{
    const QList<const ModelClass *> models {&model};
    const GltfCamera camera = framingCamera(models);
    return writeGltfScene(models, &camera, fileName);
}
