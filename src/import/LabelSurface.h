#pragma once

#include "LabelVolume.h"

#include <functional>
#include <vector>

// The boundaries between the labels of a volume as one triangle mesh in world
// millimetres. Every triangle separates two labels: `inside` lies behind it
// and `outside` in front, where its normal points; label 0 is background.
// Where two structures touch, one triangle serves both, so their surfaces
// share the boundary exactly: no gap, no overlap. The triangles of one label
// (those with it inside, and those with it outside turned over) form a
// closed surface.
struct LabelSurface
{
    std::vector<double> xyz;       // 3 per vertex
    std::vector<qint32> triangles; // 3 vertex numbers per triangle
    std::vector<quint16> inside;   // per triangle
    std::vector<quint16> outside;  // per triangle

    qint64 vertexCount() const { return qint64(xyz.size() / 3); }
    qint64 triangleCount() const { return qint64(inside.size()); }
};

// Discrete marching cubes over all labels at once. Vertices lie halfway
// between the centres of neighbouring voxels of different labels, as in
// marching cubes on each label's mask; a cube of voxels where three or more
// labels meet is divided around its centre, and a face where four labels
// meet around the face's centre, so that each pair of labels gets one
// boundary. Where a face is a checkerboard of two labels, the larger label
// is the connected one. `progress` gets the fraction done now and then and
// may throw to stop.
LabelSurface extractLabelSurface(const LabelVolume &volume,
                                 const std::function<void(double)> &progress = {});
