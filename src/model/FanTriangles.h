#pragma once

#include "../geometry/MeshClass.h"

// Calls f(triangle, face, k, corners) for every fan triangle of a block's
// visible faces in drawing order: node counts 3..99, faces in table order,
// the fan (a0, a1, a2), (a0, a2, a3), ... of each face. The triangle number
// is the one the drawing arrays give it.
template<class F> void forEachFanTriangle(const MeshClass &mesh, F f)
{
    qint64 tri = 0;
    for (int k = 3; k < kFaceSlots; ++k)
        for (qint32 fi = 0; fi < mesh.CountOfViewFaces[k]; ++fi) {
            const qint32 *face = mesh.ViewFaces[k] + qint64(fi) * (k + 3);
            for (int j = 1; j + 1 < k; ++j, ++tri) {
                const qint32 corner[3] = {face[0], face[j], face[j + 1]};
                f(tri, face, k, corner);
            }
        }
}
