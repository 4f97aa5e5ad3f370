#pragma once

// The triangles both STL writers emit: polygons of 3 to 99 nodes as fans
// around their first node, by ascending node count, then every volume cell
// split into triangles over its faces, block by block.

#include "ModelWalk.h"

struct TriangleSplit
{
    int type;
    int count;
    const int (*corners)[3];
};

inline constexpr int kStlTetrahedron[4][3] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
inline constexpr int kStlPyramid[6][3] = {{0, 1, 2}, {0, 2, 3}, {0, 1, 4},
                                          {0, 3, 4}, {1, 2, 4}, {2, 3, 4}};
inline constexpr int kStlPrism[8][3] = {{0, 1, 2}, {3, 4, 5}, {0, 1, 4}, {0, 4, 3},
                                        {1, 2, 5}, {1, 5, 4}, {2, 0, 3}, {2, 3, 5}};
inline constexpr int kStlHexahedron[12][3] = {{0, 1, 2}, {0, 2, 3}, {1, 2, 6}, {1, 6, 5},
                                              {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7},
                                              {0, 1, 5}, {0, 5, 4}, {6, 5, 4}, {6, 4, 7}};
inline constexpr TriangleSplit kStlSplits[] = {{Tetrahedron, 4, kStlTetrahedron},
                                               {Pyramid, 6, kStlPyramid},
                                               {Prism, 8, kStlPrism},
                                               {Hexahedron, 12, kStlHexahedron}};

inline constexpr int kMaxStlPolygon = 99;

// Calls visit(mesh, a, b, c) with the block and the three vertex numbers of
// every triangle of the model.
template<class Visit> void forEachStlTriangle(const ModelClass &model, Visit &&visit)
{
    for (const MeshClass *mesh : model.Meshes) {
        for (int n = 3; n <= kMaxStlPolygon; ++n)
            for (qint64 c = 0, count = cellCount(*mesh, n); c < count; ++c) {
                const qint32 *cell = mesh->Cells[n] + c * n;
                for (int j = 1; j + 1 < n; ++j)
                    visit(*mesh, cell[0], cell[j], cell[j + 1]);
            }
        for (const TriangleSplit &split : kStlSplits)
            for (qint64 c = 0, count = cellCount(*mesh, split.type); c < count; ++c) {
                const qint32 *cell = mesh->Cells[split.type] + c * NodesOfType(split.type);
                for (int i = 0; i < split.count; ++i) {
                    const int *k = split.corners[i];
                    visit(*mesh, cell[k[0]], cell[k[1]], cell[k[2]]);
                }
            }
    }
}

inline qint64 stlTriangleCount(const ModelClass &model)
{
    qint64 count = 0;
    for (const MeshClass *mesh : model.Meshes) {
        for (int n = 3; n <= kMaxStlPolygon; ++n)
            count += qint64(n - 2) * cellCount(*mesh, n);
        for (const TriangleSplit &split : kStlSplits)
            count += qint64(split.count) * cellCount(*mesh, split.type);
    }
    return count;
}
