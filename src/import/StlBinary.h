#pragma once

#include <QString>

#include <memory>

class MeshClass;

// The block of a binary STL file, its corners joined where they share a
// position; nullptr for a text STL, which is left to Assimp. A binary STL
// whose triangle count disagrees with its size is refused (ImportFailure).
//
// Read here rather than through Assimp because Assimp gives every triangle
// three vertices, three normals and an index array of its own: for a file of
// a million triangles those copies cost more than joining the corners.
std::unique_ptr<MeshClass> readBinaryStl(const QString &path);
