#pragma once

// What every writer reads of a model, with guards so that a block missing an
// array writes as a block without those cells or values instead of crashing.

#include "model/ModelClass.h"

#include <algorithm>

// Type slots that carry cells: polygons of 1 to 100 nodes and the four volume types.
constexpr bool isCellType(int t)
{
    return (t >= 1 && t <= MaxPolygon) || isVolumeType(t);
}

// Cells of a type slot; 0 where the slot has no node array.
inline qint32 cellCount(const MeshClass &mesh, int t)
{
    return isCellType(t) && mesh.Cells[t] ? std::max(mesh.CountOfCells[t], 0) : 0;
}

inline qint32 vertexCount(const MeshClass &mesh)
{
    return mesh.Vertices ? std::max(mesh.CountOfVertices, 0) : 0;
}

inline qint64 totalVertices(const ModelClass &model)
{
    qint64 total = 0;
    for (const MeshClass *mesh : model.Meshes)
        total += vertexCount(*mesh);
    return total;
}

// Material of a cell; 0 where the block or the type slot has none.
inline qint32 materialOf(const MeshClass &mesh, int t, qint64 cell)
{
    return mesh.CellMaterials && mesh.CellMaterials[t] ? mesh.CellMaterials[t][cell] : 0;
}

// Value of vertex function f at vertex v, or nullptr when the block lacks f.
inline const _DREAL *functionValue(const MeshClass &mesh, int f, qint64 v)
{
    return f >= 0 && f < mesh.CountOfFunctions && mesh.Functions[f] ? mesh.Functions[f] + v
                                                                    : nullptr;
}

// First function whose FunctionFlags byte is set; -1 when there is none.
inline int flaggedFunction(const MeshClass &mesh)
{
    if (!mesh.FunctionFlags)
        return -1;
    for (int f = 0; f < mesh.CountOfFunctions; ++f)
        if (mesh.FunctionFlags[f])
            return f;
    return -1;
}

// VertexData row of vertex v when the block's table is `width` wide.
inline const float *vertexDataRow(const MeshClass &mesh, int width, qint64 v)
{
    return mesh.VertexData && mesh.VertexDataWidth == width ? mesh.VertexData + v * width : nullptr;
}

// Calls visit(xyz) for every vertex of the model, blocks in list order.
template<class Visit> void forEachVertex(const ModelClass &model, Visit &&visit)
{
    for (const MeshClass *mesh : model.Meshes)
        for (const _DREAL *xyz = mesh->Vertices, *end = xyz + 3 * qint64(vertexCount(*mesh));
             xyz != end; xyz += 3)
            visit(xyz);
}

// Calls visit(mesh, firstVertex, t, count) for every filled type slot: blocks
// in list order, slots in ascending order; firstVertex is the number of
// vertices of the blocks before this one.
template<class Visit> void forEachCellSlot(const ModelClass &model, Visit &&visit)
{
    qint64 firstVertex = 0;
    for (const MeshClass *mesh : model.Meshes) {
        for (int t = 0; t < kTypeSlots; ++t)
            if (const qint32 count = cellCount(*mesh, t))
                visit(*mesh, firstVertex, t, count);
        firstVertex += vertexCount(*mesh);
    }
}
