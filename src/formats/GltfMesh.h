#pragma once

// One model's mesh as the glTF writer stores it: every block's vertices in
// list order, in metres, with area-weighted unit normals, and the model's
// triangles as 32-bit indices into them.

#include "ModelWalk.h"
#include "OutputBuffer.h"

// glTF's unit is the metre; ours the millimetre.
inline constexpr double kGltfMetres = 0.001;

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

// Writes the positions, the normals and the indices of the layout.
void writeGltfMeshData(OutputBuffer &out, const ModelClass &model, const GltfMeshLayout &layout);

// The model's opacity as the view draws it: 1 unless it is transparent.
double opacityOf(const ModelClass &model);
