#pragma once

#include "Surface.h"
#include "model/ImageVolume.h"

#include <QtGlobal>

#include <functional>

namespace measure {

// The image values over the voxels whose centres lie inside a closed
// surface: for a CT, the Hounsfield numbers of the solid the surface bounds.
struct HuStatistics
{
    qint64 voxels = 0; // inside both the surface and the image; the rest is 0 when none
    double mean = 0;
    double sd = 0; // of the voxels themselves (divided by their count, not one less)
    double min = 0;
    double max = 0;
    double p95 = 0; // nearest rank: the smallest value at least 95 % of the voxels do not exceed
};

// Scan-converts `closed` (world millimetres) in the image's index space, so
// an oblique image is cut exactly: every row of voxels along the first index
// axis is crossed with the triangles, and a voxel is inside when an odd
// number of crossings lie before its centre. Voxels outside the image, and
// values that are not numbers, are left out. The surface must be closed;
// an open one gives a meaningless count.
HuStatistics huInside(const TriangleSurface &closed, const ImageVolume &image);

// The same scan conversion: visit(row, from, to) for every run of voxels
// inside, row = j + ny * k, voxels i = from .. to - 1 of that row.
void forEachInsideRun(const TriangleSurface &closed, const ImageVolume &image,
                      const std::function<void(qint64 row, qint64 from, qint64 to)> &visit);

} // namespace measure
