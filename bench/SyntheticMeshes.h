#pragma once

#include "geometry/MeshClass.h"

#include <QByteArray>
#include <QtGlobal>

// Synthetic blocks for benchmarks.

// A closed torus surface of about `triangles` triangles with shared vertices.
MeshClass *makeTorusSurface(qint64 triangles);
// A block of n x n x n unit hexahedra on shared grid vertices.
MeshClass *makeHexGrid(int n);
// A block of n x n x n grid cells, each split into five tetrahedra.
MeshClass *makeTetGrid(int n);

// The triangles of a block as a binary .surf file: big-endian 32-bit floats
// and vertex numbers from 1, under a header of the usual kind.
QByteArray surfFileBytes(const MeshClass &mesh);
// The same as a binary little-endian PLY file, for a timing peer that reads
// that format.
QByteArray plyFileBytes(const MeshClass &mesh);
