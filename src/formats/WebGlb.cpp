#include "WebGlb.h"

#include "GltfMesh.h"
#include "GltfWriter.h"
#include "StlTriangles.h"
#include "geometry/MeshClass.h"
#include "geometry/Status.h"
#include "model/ReducedFaces.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int kVertexStride = 8; // three 16-bit numbers and one of padding
constexpr int kGridHalf = 32767;

// One model as a node, with its mesh in glTF's frame once filled.
struct Part
{
    const ModelClass *model;
    QList<int> children;
    GltfMeshArrays arrays;
    int mesh = -1;
};

void appendCorner(GltfMeshArrays &out, const float *corner, const float *normal)
{
    const double place[3] = {corner[0], corner[1], corner[2]};
    const double direction[3] = {normal[0], normal[1], normal[2]};
    double p[3], n[3];
    toGltfFrame(place, p, kGltfMetres);
    toGltfFrame(direction, n);
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    out.indices.push_back(quint32(out.positions.size() / 3));
    for (int k = 0; k < 3; ++k) {
        out.positions.push_back(p[k]);
        out.normals.push_back(length > 0 ? n[k] / length : (k == 2 ? 1.0 : 0.0));
    }
}

// The block's reduced form, made as the view makes it from the block's drawn
// triangles, which a model that was never drawn gets first.
const ReducedFaces &reducedForm(MeshClass &block)
{
    if (block.CountOfTriVertices <= 0) {
        if (const qint32 status = block.prepare())
            throw errors(status);
        if (const qint32 status = block.constructViewFaces({}))
            throw errors(status);
        if (const qint32 status = block.constructDrawData(-1, 0, 1, false, 0, false))
            throw errors(status);
    }
    return block.reducedFaces(kWebPageReducedBudget);
}

// The model's mesh with every block that has a reduced form replaced by it:
// the whole blocks keep their vertices and triangles, each reduced one adds
// its corners, three to a triangle.
GltfMeshArrays reducedArrays(const ModelClass &model, const GltfMeshArrays &whole)
{
    GltfMeshArrays out;
    std::vector<qint64> renumber(whole.positions.size() / 3, -1);
    qint64 base = 0;
    for (MeshClass *block : model.Meshes) {
        const qint64 count = vertexCount(*block);
        if (reducedForm(*block).whole)
            for (qint64 v = base; v < base + count; ++v) {
                renumber[size_t(v)] = qint64(out.positions.size() / 3);
                for (int k = 0; k < 3; ++k) {
                    out.positions.push_back(whole.positions[size_t(3 * v + k)]);
                    out.normals.push_back(whole.normals[size_t(3 * v + k)]);
                }
            }
        base += count;
    }
    for (size_t i = 0; i + 2 < whole.indices.size(); i += 3)
        if (renumber[whole.indices[i]] >= 0)
            for (size_t c = 0; c < 3; ++c)
                out.indices.push_back(quint32(renumber[whole.indices[i + c]]));
    for (MeshClass *block : model.Meshes) {
        const ReducedFaces &reduced = reducedForm(*block);
        for (size_t c = 0; !reduced.whole && c + 2 < reduced.corners.size(); c += 3)
            appendCorner(out, &reduced.corners[c], &reduced.normals[c]);
    }
    return out;
}

// The grid that every position is put on: its centre and its step, the
// largest extent of the scene over 2 * 32767 steps.
struct Grid
{
    double centre[3] = {0, 0, 0};
    double step = 1;
};

Grid sceneGrid(const std::vector<Part> &parts, float low[3], float high[3])
{
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    bool any = false;
    for (const Part &part : parts)
        for (size_t i = 0; i < part.arrays.positions.size(); ++i) {
            const double v = part.arrays.positions[i];
            const size_t k = i % 3;
            lo[k] = any ? std::min(lo[k], v) : v;
            hi[k] = any ? std::max(hi[k], v) : v;
            any = any || k == 2;
        }
    Grid grid;
    double extent = 0;
    for (int k = 0; k < 3; ++k) {
        low[k] = float(lo[k]);
        high[k] = float(hi[k]);
        grid.centre[k] = (lo[k] + hi[k]) / 2;
        extent = std::max(extent, hi[k] - lo[k]);
    }
    grid.step = extent > 0 ? extent / (2.0 * (kGridHalf - 1)) : 1;
    return grid;
}

qint16 toShort(double value)
{
    return qint16(std::clamp(std::lround(value), long(-kGridHalf), long(kGridHalf)));
}

// The buffers of one mesh as the page reads them: the quantised vertices in
// the order meshoptimizer keeps best, and the indices.
struct Packed
{
    std::vector<qint16> positions, normals; // four to a vertex
    std::vector<quint32> indices;
    qint16 low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
};

Packed pack(const GltfMeshArrays &arrays, const Grid &grid)
{
    const size_t vertices = arrays.positions.size() / 3;
    Packed out;
    out.indices.resize(arrays.indices.size());
    meshopt_optimizeVertexCache(out.indices.data(), arrays.indices.data(), arrays.indices.size(),
                                vertices);
    std::vector<unsigned int> remap(vertices);
    const size_t kept = meshopt_optimizeVertexFetchRemap(remap.data(), out.indices.data(),
                                                         out.indices.size(), vertices);
    meshopt_remapIndexBuffer(out.indices.data(), out.indices.data(), out.indices.size(),
                             remap.data());
    out.positions.assign(4 * kept, 0);
    out.normals.assign(4 * kept, 0);
    for (size_t v = 0; v < vertices; ++v) {
        if (remap[v] == ~0u)
            continue;
        for (size_t k = 0; k < 3; ++k) {
            const double p = arrays.positions[3 * v + k];
            out.positions[4 * remap[v] + k] = toShort((p - grid.centre[k]) / grid.step);
            out.normals[4 * remap[v] + k] = toShort(arrays.normals[3 * v + k] * kGridHalf);
        }
    }
    for (size_t v = 0; v < kept; ++v)
        for (int k = 0; k < 3; ++k) {
            const qint16 p = out.positions[4 * v + size_t(k)];
            out.low[k] = v == 0 ? p : std::min(out.low[k], p);
            out.high[k] = v == 0 ? p : std::max(out.high[k], p);
        }
    return out;
}

// The GLB's two buffers: the packed bytes (the BIN chunk) and the length of
// the unpacked one they stand for.
struct Buffers
{
    QByteArray bin;
    qint64 unpacked = 0;
    QJsonArray views, accessors, meshes, materials;

    static qint64 aligned(qint64 n) { return (n + 3) / 4 * 4; }

    int view(const unsigned char *packed, size_t packedLength, qint64 length, int stride,
             qint64 count, const char *mode, int target)
    {
        QJsonObject meshopt {{"buffer", 0},
                             {"byteOffset", qint64(bin.size())},
                             {"byteLength", qint64(packedLength)},
                             {"byteStride", stride},
                             {"count", count},
                             {"mode", mode}};
        bin.append(reinterpret_cast<const char *>(packed), qsizetype(packedLength));
        bin.append(QByteArray(qsizetype(aligned(bin.size()) - bin.size()), '\0'));
        QJsonObject out {{"buffer", 1},
                         {"byteOffset", unpacked},
                         {"byteLength", length},
                         {"target", target},
                         {"extensions", QJsonObject {{"EXT_meshopt_compression", meshopt}}}};
        if (target == kGltfArrayBuffer)
            out["byteStride"] = stride;
        unpacked += aligned(length);
        views << out;
        return int(views.size()) - 1;
    }

    int vertexView(const std::vector<qint16> &values)
    {
        const size_t count = values.size() / 4;
        std::vector<unsigned char> packed(meshopt_encodeVertexBufferBound(count, kVertexStride));
        packed.resize(meshopt_encodeVertexBuffer(packed.data(), packed.size(), values.data(), count,
                                                 kVertexStride));
        return view(packed.data(), packed.size(), qint64(count) * kVertexStride, kVertexStride,
                    qint64(count), "ATTRIBUTES", kGltfArrayBuffer);
    }

    int indexView(const std::vector<quint32> &indices, size_t vertices, int width)
    {
        std::vector<unsigned char> packed(meshopt_encodeIndexBufferBound(indices.size(), vertices));
        packed.resize(meshopt_encodeIndexBuffer(packed.data(), packed.size(), indices.data(),
                                                indices.size()));
        return view(packed.data(), packed.size(), qint64(indices.size()) * width, width,
                    qint64(indices.size()), "TRIANGLES", kGltfElementArrayBuffer);
    }
};

QJsonArray triple(const qint16 v[3])
{
    return {v[0], v[1], v[2]};
}

QJsonObject material(const ModelClass &model, const WebGlbModel &shown)
{
    const QJsonArray factor {linearFromSrgb(shown.colour[0]), linearFromSrgb(shown.colour[1]),
                             linearFromSrgb(shown.colour[2]), shown.opacity};
    QJsonObject out {{"name", model.title()},
                     {"pbrMetallicRoughness",
                      QJsonObject {{"baseColorFactor", factor},
                                   {"metallicFactor", 0.0},
                                   {"roughnessFactor", 0.5}}},
                     {"doubleSided", true}};
    if (shown.opacity < 1)
        out["alphaMode"] = "BLEND";
    return out;
}

// Adds the part's mesh: its packed buffers, accessors, material and mesh.
void addMesh(Buffers &buffers, Part &part, const Grid &grid, WebGlbModel &shown)
{
    const Packed packed = pack(part.arrays, grid);
    const size_t vertices = packed.positions.size() / 4;
    const bool narrow = vertices <= 65536;
    const int first = int(buffers.accessors.size());
    const int p = buffers.vertexView(packed.positions);
    const int n = buffers.vertexView(packed.normals);
    const int i = buffers.indexView(packed.indices, vertices, narrow ? 2 : 4);
    buffers.accessors << QJsonObject {{"bufferView", p},           {"componentType", kGltfShort},
                                      {"count", qint64(vertices)}, {"type", "VEC3"},
                                      {"min", triple(packed.low)}, {"max", triple(packed.high)}}
                      << QJsonObject {{"bufferView", n},
                                      {"componentType", kGltfShort},
                                      {"normalized", true},
                                      {"count", qint64(vertices)},
                                      {"type", "VEC3"}}
                      << QJsonObject {
                             {"bufferView", i},
                             {"componentType", narrow ? kGltfUnsignedShort : kGltfUnsignedInt},
                             {"count", qint64(packed.indices.size())},
                             {"type", "SCALAR"}};
    shown.material = int(buffers.materials.size());
    const QJsonObject primitive {
        {"attributes", QJsonObject {{"POSITION", first}, {"NORMAL", first + 1}}},
        {"indices", first + 2},
        {"material", shown.material},
        {"mode", 4}};
    part.mesh = int(buffers.meshes.size());
    buffers.meshes << QJsonObject {{"name", part.model->title()},
                                   {"primitives", QJsonArray {primitive}}};
    buffers.materials << material(*part.model, shown);
}

QJsonArray nodeArray(const std::vector<Part> &parts, const QList<int> &roots, const Grid &grid)
{
    QJsonArray nodes;
    QJsonArray rootChildren;
    for (int r : roots)
        rootChildren << r + 1;
    // The root node turns the grid's steps back into metres for every model below it.
    QJsonObject root {{"name", "Scene"},
                      {"scale", QJsonArray {grid.step, grid.step, grid.step}},
                      {"translation", QJsonArray {grid.centre[0], grid.centre[1], grid.centre[2]}}};
    if (!rootChildren.isEmpty())
        root["children"] = rootChildren;
    nodes << root;
    for (const Part &part : parts) {
        QJsonObject out {{"name", part.model->title()}};
        if (part.mesh >= 0)
            out["mesh"] = part.mesh;
        QJsonArray children;
        for (int c : part.children)
            children << c + 1;
        if (!children.isEmpty())
            out["children"] = children;
        nodes << out;
    }
    return nodes;
}

void word(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

QByteArray glbBytes(QByteArray json, const QByteArray &bin)
{
    json.append(QByteArray(qsizetype(Buffers::aligned(json.size()) - json.size()), ' '));
    const qint64 total = 12 + 8 + json.size() + (bin.isEmpty() ? 0 : 8 + bin.size());
    if (total > std::numeric_limits<qint32>::max())
        throw errNoMemory;
    QByteArray out;
    out.reserve(qsizetype(total));
    word(out, 0x46546C67); // "glTF"
    word(out, 2);
    word(out, quint32(total));
    word(out, quint32(json.size()));
    word(out, 0x4E4F534A); // "JSON"
    out.append(json);
    if (!bin.isEmpty()) {
        word(out, quint32(bin.size()));
        word(out, 0x004E4942); // "BIN"
        out.append(bin);
    }
    return out;
}

void fillArrays(std::vector<Part> &parts, bool reduced)
{
    for (Part &part : parts) {
        const GltfMeshLayout layout = gltfMeshLayout(*part.model);
        if (layout.triangles == 0)
            continue;
        part.arrays = gltfMeshArrays(*part.model, layout);
        if (reduced)
            part.arrays = reducedArrays(*part.model, part.arrays);
    }
}

} // namespace

WebGlb buildWebGlb(const QList<const ModelClass *> &models, const GltfCamera &camera)
{
    std::vector<Part> parts;
    QList<int> roots;
    for (const ModelClass *model : models)
        roots << collectGltfNodes(*model, parts);
    WebGlb out;
    qint64 whole = 0;
    for (const Part &part : parts)
        whole += stlTriangleCount(*part.model);
    out.reduced = whole > kWebPageWholeTriangles;
    fillArrays(parts, out.reduced);
    const Grid grid = sceneGrid(parts, out.low, out.high);
    Buffers buffers;
    for (Part &part : parts) {
        WebGlbModel shown {part.model->title(), int(&part - parts.data()) + 1, -1, {}, 1};
        modelColour(*part.model, shown.colour);
        shown.opacity = opacityOf(*part.model);
        if (!part.arrays.indices.empty())
            addMesh(buffers, part, grid, shown);
        out.triangles += qint64(part.arrays.indices.size() / 3);
        part.arrays = {};
        out.models << shown;
    }
    QJsonArray nodes = nodeArray(parts, roots, grid);
    QJsonObject gltf {{"asset", QJsonObject {{"version", "2.0"}, {"generator", "Tessaron"}}},
                      {"scene", 0}};
    gltf["cameras"] = QJsonArray {gltfCameraJson(camera, out.low, out.high)};
    gltf["scenes"] =
        QJsonArray {QJsonObject {{"name", "Scene"}, {"nodes", QJsonArray {0, nodes.size()}}}};
    nodes << gltfCameraNode(camera, 0);
    gltf["nodes"] = nodes;
    if (!buffers.bin.isEmpty()) {
        const QJsonObject fallback {{"EXT_meshopt_compression", QJsonObject {{"fallback", true}}}};
        gltf["buffers"] =
            QJsonArray {QJsonObject {{"byteLength", qint64(buffers.bin.size())}},
                        QJsonObject {{"byteLength", buffers.unpacked}, {"extensions", fallback}}};
        gltf["bufferViews"] = buffers.views;
        gltf["accessors"] = buffers.accessors;
        gltf["meshes"] = buffers.meshes;
        gltf["materials"] = buffers.materials;
        const QJsonArray extensions {"EXT_meshopt_compression", "KHR_mesh_quantization"};
        gltf["extensionsUsed"] = extensions;
        gltf["extensionsRequired"] = extensions;
    }
    out.bytes = glbBytes(QJsonDocument(gltf).toJson(QJsonDocument::Compact), buffers.bin);
    return out;
}
