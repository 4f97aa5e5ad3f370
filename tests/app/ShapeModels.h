#pragma once

// Models of measuring shapes for the window's tests, named as files of
// anatomy words would name them.

#include "geometry/Alloc.h"
#include "measure/Shapes.h"
#include "measure/Surface.h"
#include "model/ModelClass.h"

#include <vector>

// A model of the surface's triangles, named as a file of that name would be.
inline ModelClass *shapeModel(const QString &file, const QString &name,
                              const measure::TriangleSurface &s)
{
    auto *m = new ModelClass;
    m->FileName = "/case/" + file + ".surf";
    m->Name = name;
    auto *mesh = new MeshClass;
    mesh->CountOfVertices = qint32(s.vertexCount());
    mesh->Vertices = copyArray(s.points.data(), qint64(s.points.size()));
    mesh->CountOfCells[Triangle] = qint32(s.triangleCount());
    std::vector<qint32> nodes(s.triangles.begin(), s.triangles.end());
    mesh->Cells[Triangle] = copyArray(nodes.data(), qint64(nodes.size()));
    m->Meshes << mesh;
    return m;
}
