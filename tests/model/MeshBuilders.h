#pragma once

// Small blocks for tests: vertices, cells of any type, materials, functions.

#include "geometry/Alloc.h"
#include "geometry/DrawingBackend.h"
#include "geometry/MeshClass.h"

#include <initializer_list>
#include <vector>

inline void setVertices(MeshClass &mesh, const std::vector<double> &xyz)
{
    freeArray(mesh.Vertices);
    mesh.CountOfVertices = qint32(xyz.size() / 3);
    mesh.Vertices = copyArray(xyz.data(), qint64(xyz.size()));
}

inline void setCells(MeshClass &mesh, int type, const std::vector<qint32> &nodes,
                     const std::vector<qint32> &materials = {})
{
    freeArray(mesh.Cells[type]);
    mesh.CountOfCells[type] = qint32(nodes.size() / size_t(NodesOfType(type)));
    mesh.Cells[type] = copyArray(nodes.data(), qint64(nodes.size()));
    if (materials.empty())
        return;
    if (!mesh.CellMaterials)
        mesh.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    freeArray(mesh.CellMaterials[type]);
    mesh.CellMaterials[type] = copyArray(materials.data(), qint64(materials.size()));
}

// A new block of one cell type.
inline MeshClass *newBlock(const std::vector<double> &xyz, int type,
                           const std::vector<qint32> &nodes,
                           const std::vector<qint32> &materials = {})
{
    auto *mesh = new MeshClass;
    setVertices(*mesh, xyz);
    setCells(*mesh, type, nodes, materials);
    return mesh;
}

inline void addVertexFunction(MeshClass &mesh, const std::vector<double> &values)
{
    resizeArray(mesh.Functions, mesh.CountOfFunctions + 1);
    mesh.Functions[mesh.CountOfFunctions++] = copyArray(values.data(), qint64(values.size()));
}

// Cell functions of one type slot: width values per cell.
inline void setCellFunctions(MeshClass &mesh, int type, int width,
                             const std::vector<double> &values)
{
    if (!mesh.CellFuncs)
        mesh.CellFuncs = allocZeroed<_DREAL *>(kTypeSlots);
    mesh.CountOfCellFunctions = width;
    freeArray(mesh.CellFuncs[type]);
    mesh.CellFuncs[type] = copyArray(values.data(), qint64(values.size()));
}

// Marks one cell as selected.
inline void selectCell(MeshClass &mesh, int type, qint32 cell)
{
    if (!mesh.CellSelected)
        mesh.CellSelected = allocZeroed<quint8 *>(kTypeSlots);
    if (!mesh.CellSelected[type])
        mesh.CellSelected[type] = allocZeroed<quint8>(mesh.CountOfCells[type]);
    mesh.CellSelected[type][cell] = 1;
}

// A closed octahedron of radius r around (x, y, z), its triangles turned outwards.
inline MeshClass *octahedronBlock(double x, double y, double z, double r)
{
    return newBlock({x + r, y, z, x - r, y, z, x, y + r, z, x, y - r, z, x, y, z + r, x, y, z - r},
                    Triangle,
                    {0, 2, 4, 2, 1, 4, 1, 3, 4, 3, 0, 4, 2, 0, 5, 1, 2, 5, 3, 1, 5, 0, 3, 5});
}

// n unit quadrangles in a row along x (vertex 2i at (i, 0), 2i + 1 at (i, 1)),
// quadrangle i of material i + 1.
inline MeshClass *quadRow(int n)
{
    std::vector<double> xyz;
    std::vector<qint32> quads, materials;
    for (int i = 0; i <= n; ++i)
        xyz.insert(xyz.end(), {double(i), 0, 0, double(i), 1, 0});
    for (int i = 0; i < n; ++i) {
        quads.insert(quads.end(), {2 * i, 2 * i + 2, 2 * i + 3, 2 * i + 1});
        materials.push_back(i + 1);
    }
    return newBlock(xyz, Quadrangle, quads, materials);
}

// The unit cube: bottom 0-3 counter-clockwise seen from above, top 4-7 above them.
inline const std::vector<double> kCube = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0,
                                          0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1};
// Its six faces as quadrangles turned outwards.
inline const std::vector<qint32> kCubeQuads = {0, 3, 2, 1, 4, 5, 6, 7, 0, 1, 5, 4,
                                               1, 2, 6, 5, 2, 3, 7, 6, 3, 0, 4, 7};

// Two unit cubes side by side along x, sharing the face x = 1 (vertices 1, 2, 5, 6).
inline const std::vector<double> kTwoCubes = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1,
                                              1, 1, 1, 0, 1, 1, 2, 0, 0, 2, 1, 0, 2, 0, 1, 2, 1, 1};
inline const std::vector<qint32> kTwoHexes = {0, 1, 2, 3, 4, 5, 6, 7, 1, 8, 9, 2, 5, 10, 11, 6};

// Records what the core asks of OpenGL while it lives, in place of the view.
struct RecordingBackend : DrawingBackend
{
    std::vector<std::pair<quint32, qint32>> deleted;
    std::vector<std::pair<const MeshClass *, qint32>> built; // block, point count
    DrawingBackend *previous = setDrawingBackend(this);
    ~RecordingBackend() override { setDrawingBackend(previous); }
    void deleteLists(quint32 first, qint32 count) override { deleted.emplace_back(first, count); }
    void buildDisplayLists(MeshClass &mesh, int, const _DREAL *, qint32 points, bool) override
    {
        built.emplace_back(&mesh, points);
    }
};
