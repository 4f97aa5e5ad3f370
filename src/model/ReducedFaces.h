#pragma once

#include "geometry/Types.h"

#include <vector>

// A coarse stand-in for the faces of a block, drawn while the user turns a
// large model: the block's vertices clustered on a grid, one triangle per
// distinct triple of clusters, each corner separate with its triangle's
// normal and the material colour or function coordinate of a face it
// stands for.
struct ReducedFaces
{
    bool whole = false;           // the block is small enough to be drawn whole
    std::vector<float> corners;   // x, y, z per corner
    std::vector<float> normals;   // x, y, z per corner
    std::vector<Rgba8> colours;   // per corner, when the faces have material colours
    std::vector<float> texCoords; // per corner, when the faces have function coordinates

    qint64 triangles() const { return qint64(corners.size() / 9); }
};
