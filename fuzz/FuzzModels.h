#pragma once

// What every import fuzz target does with the models it gets: they must be
// sound blocks, and everything the viewer builds from them must run.

#include "model/ModelClass.h"

#include <algorithm>
#include <vector>

inline void exerciseModel(ModelClass &model)
{
    for (const MeshClass *mesh : std::as_const(model.Meshes))
        if (mesh->checkIndices())
            __builtin_trap(); // an importer must never hand over a bad block
    model.prepareData();
    model.setEdgesMode(1);
    model.prepareDraw();
}

// True when every edge of the block's triangles is crossed once each way.
inline bool closedSurface(const MeshClass &mesh)
{
    std::vector<quint64> forward, backward;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3)
        for (int e = 0; e < 3; ++e) {
            const quint64 a = quint32(t[e]), b = quint32(t[(e + 1) % 3]);
            forward.push_back(a << 32 | b);
            backward.push_back(b << 32 | a);
        }
    std::sort(forward.begin(), forward.end());
    std::sort(backward.begin(), backward.end());
    return forward == backward;
}
