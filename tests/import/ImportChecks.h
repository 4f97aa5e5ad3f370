#pragma once

// Checks of imported surfaces: closed, enclosed volume, placement.

#include "geometry/MeshClass.h"
#include "model/ModelClass.h"

#include <array>
#include <map>
#include <utility>

// True when every edge of the triangles is crossed once in each direction:
// a closed surface whose triangles all face the same way.
inline bool isClosed(const MeshClass &mesh)
{
    std::map<std::pair<qint32, qint32>, int> edges;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3)
        for (int e = 0; e < 3; ++e)
            ++edges[{t[e], t[(e + 1) % 3]}];
    for (const auto &[edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != count)
            return false;
    }
    return !edges.empty();
}

// The volume the triangles enclose, positive when they face outwards.
inline double enclosedVolume(const MeshClass &mesh)
{
    double volume = 0;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3) {
        const double *a = mesh.Vertices + 3 * t[0], *b = mesh.Vertices + 3 * t[1],
                     *d = mesh.Vertices + 3 * t[2];
        volume += a[0] * (b[1] * d[2] - b[2] * d[1]) - a[1] * (b[0] * d[2] - b[2] * d[0])
            + a[2] * (b[0] * d[1] - b[1] * d[0]);
    }
    return volume / 6.0;
}

inline std::array<double, 3> centroid(const MeshClass &mesh)
{
    std::array<double, 3> c {0, 0, 0};
    for (qint32 v = 0; v < mesh.CountOfVertices; ++v)
        for (int a = 0; a < 3; ++a)
            c[size_t(a)] += mesh.Vertices[3 * v + a] / mesh.CountOfVertices;
    return c;
}

inline const ModelClass *modelNamed(const std::vector<std::unique_ptr<ModelClass>> &models,
                                    const QString &name)
{
    for (const auto &m : models)
        if (m->Name == name)
            return m.get();
    return nullptr;
}
