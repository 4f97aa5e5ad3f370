#include "GltfMesh.h"

#include "StlTriangles.h"
#include "geometry/Status.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// A vertex as written: metres in glTF's frame.
void gltfPlace(const _DREAL *xyz, double out[3])
{
    const double world[3] = {xyz[0], xyz[1], xyz[2]};
    toGltfFrame(world, out, kGltfMetres);
}

// Calls visit(a, b, c) with every triangle of the model, its vertex numbers
// counted over the blocks in list order.
template<class Visit> void forEachModelTriangle(const ModelClass &model, Visit &&visit)
{
    const MeshClass *current = nullptr;
    qint64 base = 0;
    forEachStlTriangle(model, [&](const MeshClass &mesh, qint32 a, qint32 b, qint32 c) {
        if (&mesh != current) {
            // Blocks come in list order; those without triangles still count their vertices.
            base = 0;
            for (const MeshClass *block : model.Meshes) {
                if (block == &mesh)
                    break;
                base += vertexCount(*block);
            }
            current = &mesh;
        }
        visit(base + a, base + b, base + c);
    });
}

void put(OutputBuffer &out, float value)
{
    const float le = qToLittleEndian(value);
    out.bytes(&le, 4);
}

void put(OutputBuffer &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.bytes(&le, 4);
}

} // namespace

GltfMeshLayout gltfMeshLayout(const ModelClass &model)
{
    GltfMeshLayout layout;
    for (const MeshClass *mesh : model.Meshes)
        if (mesh->checkIndices())
            throw errUnknown;
    layout.vertices = totalVertices(model);
    layout.triangles = stlTriangleCount(model);
    if (layout.vertices > std::numeric_limits<quint32>::max())
        throw errNoMemory;
    bool first = true;
    forEachVertex(model, [&](const _DREAL *xyz) {
        double place[3];
        gltfPlace(xyz, place);
        for (int k = 0; k < 3; ++k) {
            const float v = float(place[k]);
            layout.min[k] = first ? v : std::min(layout.min[k], v);
            layout.max[k] = first ? v : std::max(layout.max[k], v);
        }
        first = false;
    });
    return layout;
}

GltfMeshArrays gltfMeshArrays(const ModelClass &model, const GltfMeshLayout &layout)
{
    GltfMeshArrays arrays;
    std::vector<double> &xyz = arrays.positions;
    xyz.reserve(size_t(3 * layout.vertices));
    forEachVertex(model, [&](const _DREAL *p) {
        double place[3];
        gltfPlace(p, place);
        xyz.insert(xyz.end(), place, place + 3);
    });
    // The normals come from the places as written, already in glTF's frame.
    // Each triangle adds its area-weighted normal (half the cross product) to its corners.
    std::vector<double> &normals = arrays.normals;
    normals.assign(xyz.size(), 0.0);
    arrays.indices.reserve(size_t(3 * layout.triangles));
    forEachModelTriangle(model, [&](qint64 a, qint64 b, qint64 c) {
        const double *p = &xyz[size_t(3 * a)], *q = &xyz[size_t(3 * b)], *r = &xyz[size_t(3 * c)];
        const double u[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
        const double w[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                             u[0] * w[1] - u[1] * w[0]};
        for (qint64 corner : {a, b, c}) {
            arrays.indices.push_back(quint32(corner));
            for (int k = 0; k < 3; ++k)
                normals[size_t(3 * corner + k)] += n[k];
        }
    });
    for (size_t v = 0; v < normals.size(); v += 3) {
        const double length = std::sqrt(normals[v] * normals[v] + normals[v + 1] * normals[v + 1]
                                        + normals[v + 2] * normals[v + 2]);
        // A vertex of no triangle with an area still needs a unit normal.
        normals[v] = length > 0 ? normals[v] / length : 0.0;
        normals[v + 1] = length > 0 ? normals[v + 1] / length : 0.0;
        normals[v + 2] = length > 0 ? normals[v + 2] / length : 1.0;
    }
    return arrays;
}

void writeGltfMeshData(OutputBuffer &out, const ModelClass &model, const GltfMeshLayout &layout)
{
    const GltfMeshArrays arrays = gltfMeshArrays(model, layout);
    for (double v : arrays.positions)
        put(out, float(v));
    for (double c : arrays.normals)
        put(out, float(c));
    for (quint32 i : arrays.indices)
        put(out, i);
}

void modelColour(const ModelClass &model, int rgb[3])
{
    for (int k = 0; k < 3; ++k) {
        rgb[k] = 204;
        if (model.ModelColor[0] >= 0)
            rgb[k] = std::clamp(int(model.ModelColor[k]), 0, 255);
        else if (!model.Meshes.isEmpty())
            rgb[k] = int(std::lround(std::clamp(model.Meshes[0]->FrontColor[k], 0.0f, 1.0f) * 255));
    }
}

double opacityOf(const ModelClass &model)
{
    return model.Settings.Transparent ? std::clamp(model.Settings.Opacity, 0.0, 1.0) : 1.0;
}
