#pragma once

// One model's mesh as the glTF writer stores it: every block's vertices in
// list order, in metres and in glTF's frame, with area-weighted unit normals,
// and the model's triangles as 32-bit indices into them.

#include "ModelWalk.h"
#include "OutputBuffer.h"
#include "geometry/Status.h"

#include <utility>
#include <vector>

// glTF's unit is the metre; ours the millimetre.
inline constexpr double kGltfMetres = 0.001;

// Deeper model trees than this are not a scene anyone builds: the writer
// refuses them, and the walks over a scene's models recurse.
inline constexpr int kDeepestGltfModel = 256;

// glTF's numbers for the component types and buffer targets the writers use.
inline constexpr int kGltfShort = 5122;
inline constexpr int kGltfUnsignedShort = 5123;
inline constexpr int kGltfUnsignedInt = 5125;
inline constexpr int kGltfFloat = 5126;
inline constexpr int kGltfArrayBuffer = 34962;
inline constexpr int kGltfElementArrayBuffer = 34963;

// Lays a model and its descendants out as glTF's nodes, parents before their
// children: appends a `Node` (with members `model` and `children`, the
// children's places) per model and returns the model's place. Throws
// errUnknown below kDeepestGltfModel levels.
template<class Node>
int collectGltfNodes(const ModelClass &model, std::vector<Node> &nodes, int depth = 0)
{
    if (depth > kDeepestGltfModel)
        throw errUnknown;
    const int index = int(nodes.size());
    Node node {};
    node.model = &model;
    nodes.push_back(std::move(node));
    for (const ModelClass *child : model.Children) {
        const int c = collectGltfNodes(*child, nodes, depth + 1);
        nodes[size_t(index)].children << c;
    }
    return index;
}

// glTF's frame has +Y up, +Z the front of what it holds and -X its right;
// ours is the patient's: x to the right, y anterior, z superior. A file's
// (X, Y, Z) is our (-x, z, y), so that a viewer that ignores the file's
// camera shows the patient standing and facing it. It is a rotation (no
// mirror): windings and outward normals keep their sense.
// glTF's axis k is our axis kGltfAxis[k] times kGltfSign[k].
inline constexpr int kGltfAxis[3] = {0, 2, 1};
inline constexpr double kGltfSign[3] = {-1, 1, 1};

// A direction of ours in glTF's frame (scale 1), or a place of ours in
// millimetres as glTF's metres (scale kGltfMetres).
inline void toGltfFrame(const double world[3], double gltf[3], double scale = 1)
{
    for (int k = 0; k < 3; ++k)
        gltf[k] = kGltfSign[k] * world[kGltfAxis[k]] * scale;
}

struct GltfMeshLayout
{
    qint64 vertices = 0;
    qint64 triangles = 0;
    float min[3] = {0, 0, 0}; // bounds of the positions as written
    float max[3] = {0, 0, 0};

    // Positions, normals and indices; nothing for a model without triangles.
    qint64 byteLength() const { return triangles > 0 ? 24 * vertices + 12 * triangles : 0; }
};

// Counts and bounds of a model's mesh; throws errUnknown for a block whose
// cells name vertices it does not have and errNoMemory for more vertices
// than 32-bit indices reach.
GltfMeshLayout gltfMeshLayout(const ModelClass &model);

// A model's mesh as numbers: positions (metres, glTF's frame) and unit
// normals, three per vertex, and three vertex numbers per triangle.
struct GltfMeshArrays
{
    std::vector<double> positions;
    std::vector<double> normals;
    std::vector<quint32> indices;
};
GltfMeshArrays gltfMeshArrays(const ModelClass &model, const GltfMeshLayout &layout);

// Writes the positions, the normals and the indices of the layout.
void writeGltfMeshData(OutputBuffer &out, const ModelClass &model, const GltfMeshLayout &layout);

// The colour the view gives a model, 0..255 in sRGB: its own, else its
// first block's front colour.
void modelColour(const ModelClass &model, int rgb[3]);

// The model's opacity as the view draws it: 1 unless it is transparent.
double opacityOf(const ModelClass &model);
