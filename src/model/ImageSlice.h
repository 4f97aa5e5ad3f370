#pragma once

#include "ImageVolume.h"

#include <QtGlobal>

#include <array>
#include <vector>

// The three planes an image is read in, named by the body axis they cross:
// a sagittal plane crosses x (right-left), a coronal one y (front-back), an
// axial one z (foot-head).
enum class SliceOrientation { Sagittal = 0, Coronal = 1, Axial = 2 };
constexpr int kSliceOrientations = 3;

// A grey display of image values: `level` shows mid-grey, values below
// level - window/2 black, above level + window/2 white.
struct WindowLevel
{
    double window = 400;
    double level = 40;
};

// The usual CT settings.
namespace windowpreset {
constexpr WindowLevel SoftTissue {400, 40};
constexpr WindowLevel Bone {1800, 400};
constexpr WindowLevel Stone {2000, 600};
} // namespace windowpreset

// What a viewer shows of an image: for each orientation whether its plane is
// shown and which voxel plane it is, and the grey window of all three.
struct SliceState
{
    std::array<bool, kSliceOrientations> shown = {true, true, true};
    std::array<qint64, kSliceOrientations> index = {0, 0, 0}; // along sliceAxis()
    WindowLevel windowLevel = windowpreset::SoftTissue;
};

// The index axis (0 i, 1 j, 2 k) whose voxel steps run most nearly along the
// body axis the orientation crosses: for an axial CT the axial planes hold k
// fixed. The three orientations always get three different index axes, also
// for an oblique image.
int sliceAxis(const ImageVolume &image, SliceOrientation orientation);

// Every plane through the middle voxel of its axis.
SliceState centredSlices(const ImageVolume &image);

// One plane of voxels: index axis `axis` held at `index`. Pixel (u, v) is
// the voxel whose other two indices are u and v, the lower-numbered axis
// first (i, j for k fixed; i, k for j fixed; j, k for i fixed).
struct ImageSlice
{
    int axis = 2;
    qint64 index = 0;
    qint64 width = 0;             // pixels along u
    qint64 height = 0;            // pixels along v
    std::vector<float> values;    // values[u + width * v]
    double corner[3] = {0, 0, 0}; // world centre of pixel (0, 0)
    double stepU[3] = {0, 0, 0};  // world step of one pixel along u
    double stepV[3] = {0, 0, 0};  // and along v

    bool isEmpty() const { return values.empty(); }
    float at(qint64 u, qint64 v) const { return values[size_t(u + width * v)]; }
    // The world position of a (fractional) pixel position.
    void toWorld(double u, double v, double out[3]) const;
    // The unit normal of the plane, stepU × stepV normalised.
    std::array<double, 3> normal() const;
};

// The two index axes a slice of `axis` runs along, in (u, v) order.
std::array<int, 2> sliceAxes(int axis);

// The plane `index` of index axis `axis`; empty when either is out of range.
ImageSlice sliceOf(const ImageVolume &image, int axis, qint64 index);
// Where that plane lies and its size, without its values: width 0 when out
// of range.
ImageSlice sliceFrame(const ImageVolume &image, int axis, qint64 index);

// The world corners of the quad that covers a slice exactly: the outer
// edges of its edge pixels, half a step beyond their centres.
std::array<std::array<double, 3>, 4> sliceQuad(const ImageSlice &slice);

// The world corners of an image's box: the outer edges of its edge voxels.
std::array<std::array<double, 3>, 8> imageCorners(const ImageVolume &image);

// The slices a freshly opened image shows: every plane through its middle,
// under the soft-tissue window for a CT in Hounsfield units, else under a
// window that spans the image's values.
SliceState startingSlices(const ImageVolume &image);

// The (fractional) voxel indices of a world point: where a click on a slice
// or a surface point falls in the image.
std::array<double, 3> voxelOf(const ImageVolume &image, const double world[3]);
