#pragma once

#include "ImageSlice.h"

#include <QPointF>

#include <array>
#include <vector>

// How the pixels (u, v) of a slice lie in its picture: which of u and v runs
// across the screen, and whether either runs backwards. The picture has
// `columns` × `rows` pixels, one per voxel; `columnMm` and `rowMm` are the
// millimetres one picture pixel spans across and down.
struct SliceScreen
{
    bool transposed = false; // columns follow v, rows follow u
    bool flipColumns = false;
    bool flipRows = false;
    qint64 columns = 0;
    qint64 rows = 0;
    double columnMm = 1;
    double rowMm = 1;
    // The world directions the picture's columns and rows run along, to
    // the right and downwards (a voxel step each; zero for no slice).
    std::array<double, 3> rightStep {};
    std::array<double, 3> downStep {};

    // The picture position (pixel centres at half-integers) of a fractional
    // slice pixel, and back.
    QPointF toPicture(double u, double v) const;
    std::array<double, 2> toSlice(QPointF picture) const;
};

// The usual radiological orientation of a slice: the screen's right and
// down as world directions (x to the patient's right, y to the front, z to
// the head). Axial: seen from the feet, the patient's right on the screen's
// left and the front at the top. Coronal: seen from the front, the patient's
// right on the left, the head at the top. Sagittal: seen from the patient's
// left, the front on the left, the head at the top. Whichever slice axis
// runs most nearly along the screen's right becomes the columns, the other
// the rows, and each runs backwards when its world step points against the
// screen direction; so (u, v) lands the same way for any storage order.
SliceScreen screenOf(const ImageSlice &slice, SliceOrientation orientation);

// The greys of the slice under the window, placed as the screen shows them:
// columns × rows, row by row from the top.
std::vector<quint8> pictureGreys(const ImageSlice &slice, const SliceScreen &screen,
                                 WindowLevel windowLevel);

// What lies under slice pixel (u, v) of `slice`, a plane of `image`: its
// voxel, the voxel's centre in the world and its value; `number` is false
// for a value that is not a number, which has none to show.
struct SliceReadout
{
    std::array<qint64, 3> voxel {};
    std::array<double, 3> world {};
    float value = 0;
    bool number = false;
    bool missing = false; // on a plane no file held: its value is filling
};
std::array<qint64, 3> voxelOfPixel(const ImageSlice &slice, qint64 u, qint64 v);
SliceReadout readoutAt(const ImageVolume &image, const ImageSlice &slice, qint64 u, qint64 v);
