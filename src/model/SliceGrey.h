#pragma once

// The greys of an image's planes under a window. The planes' geometry is
// ImageSlice's; what draws the greys (the view's textures, a sheet's
// picture) takes them from here.

#include "ImageSlice.h"

#include <QtGlobal>

#include <optional>
#include <vector>

// 8-bit grey of every pixel, in the slice's order; values that are not
// numbers are black. A window of 0 or less is a threshold at the level.
std::vector<quint8> windowed(const ImageSlice &slice, WindowLevel windowLevel);
quint8 greyOf(float value, WindowLevel windowLevel);

// The grey of every 16-bit value under one window, exactly as greyOf gives
// it: built once for a window and shared by every plane, so that a new
// window greys a plane with one look-up per voxel.
class GreyTable
{
public:
    explicit GreyTable(WindowLevel windowLevel);

    WindowLevel windowLevel() const { return Window; }
    quint8 operator()(qint16 value) const { return Greys[size_t(int(value) + 32768)]; }

private:
    WindowLevel Window;
    std::vector<quint8> Greys; // of value - 32768
};

// The 16-bit voxels of plane `index` of index axis `axis`, in the order of
// sliceOf's values; empty when the image holds floats or the plane is out
// of range.
std::vector<qint16> planeShorts(const ImageVolume &image, int axis, qint64 index);

// The grey of each of `count` voxels into `out`.
void greyShorts(const qint16 *values, size_t count, const GreyTable &table, quint8 *out);

// Marks, in the greys of `slice` (sliceOf's order), the pixels of the
// image's missing planes with diagonal stripes of two fixed greys, so that a
// filled plane does not look like data whatever the window. Returns how many
// pixels it marked.
qint64 markMissing(const ImageVolume &image, const ImageSlice &slice, quint8 *greys);

// The voxels of one plane, kept so that a new window needs no new reading of
// the image: the 16-bit values as the image holds them, else the slice's
// floats.
struct PlaneVoxels
{
    std::vector<qint16> shorts;
    ImageSlice slice; // its values when the image holds no 16-bit ones
};
PlaneVoxels planeVoxels(const ImageVolume &image, int axis, qint64 index);

// The greys of a plane under a window into `out`. A 16-bit plane goes
// through `table`, built anew only when the window changed, so that the
// planes of one window share it.
void greyPlane(const PlaneVoxels &plane, WindowLevel windowLevel, std::optional<GreyTable> &table,
               std::vector<quint8> &out);
