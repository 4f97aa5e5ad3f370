#include "ImageSlice.h"

#include <cmath>

namespace {

// |cosine| between index axis `axis` and world axis `world`.
double alignment(const ImageVolume &image, int axis, int world)
{
    const double length = image.toWorld.spacing(axis);
    return length > 0 ? std::abs(image.toWorld.m[world][axis]) / length : 0;
}

// Whether the image holds Hounsfield units: it says so, or it is whole
// numbers reaching down to air (-1000; scanners write down to -3024 outside
// the field of view), as a CT passed on without its header does.
bool inHounsfield(const ImageVolume &image, double low)
{
    if (image.unit == QLatin1String("HU") || image.modality == QLatin1String("CT"))
        return true;
    return !image.shorts.empty() && low <= -900 && low >= -3100;
}

} // namespace

int sliceAxis(const ImageVolume &image, SliceOrientation orientation)
{
    // Axial claims the axis nearest z first, then coronal the nearest y of
    // the two left, and sagittal the last: a slanting image still gets
    // three distinct planes, and the axial one (the CT's own) is never lost.
    const int axial = [&] {
        int best = 2;
        for (int a = 0; a < 3; ++a)
            if (alignment(image, a, 2) > alignment(image, best, 2))
                best = a;
        return best;
    }();
    if (orientation == SliceOrientation::Axial)
        return axial;
    const std::array<int, 2> rest = sliceAxes(axial);
    const int coronal =
        alignment(image, rest[1], 1) > alignment(image, rest[0], 1) ? rest[1] : rest[0];
    if (orientation == SliceOrientation::Coronal)
        return coronal;
    return 3 - axial - coronal;
}

SliceState centredSlices(const ImageVolume &image)
{
    SliceState state;
    for (int o = 0; o < kSliceOrientations; ++o)
        state.index[size_t(o)] = image.size[sliceAxis(image, SliceOrientation(o))] / 2;
    return state;
}

std::array<int, 2> sliceAxes(int axis)
{
    switch (axis) {
    case 0:
        return {1, 2};
    case 1:
        return {0, 2};
    default:
        return {0, 1};
    }
}

void ImageSlice::toWorld(double u, double v, double out[3]) const
{
    for (int r = 0; r < 3; ++r)
        out[r] = corner[r] + u * stepU[r] + v * stepV[r];
}

std::array<double, 3> ImageSlice::normal() const
{
    std::array<double, 3> n = {stepU[1] * stepV[2] - stepU[2] * stepV[1],
                               stepU[2] * stepV[0] - stepU[0] * stepV[2],
                               stepU[0] * stepV[1] - stepU[1] * stepV[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0)
        for (double &c : n)
            c /= length;
    return n;
}

ImageSlice sliceFrame(const ImageVolume &image, int axis, qint64 index)
{
    ImageSlice slice;
    if (axis < 0 || axis > 2 || index < 0 || index >= image.size[axis] || image.isEmpty())
        return slice;
    const std::array<int, 2> uv = sliceAxes(axis);
    slice.axis = axis;
    slice.index = index;
    slice.width = image.size[uv[0]];
    slice.height = image.size[uv[1]];
    double origin[3] = {0, 0, 0};
    origin[axis] = double(index);
    image.toWorld.apply(origin[0], origin[1], origin[2], slice.corner);
    for (int r = 0; r < 3; ++r) {
        slice.stepU[r] = image.toWorld.m[r][uv[0]];
        slice.stepV[r] = image.toWorld.m[r][uv[1]];
    }
    return slice;
}

ImageSlice sliceOf(const ImageVolume &image, int axis, qint64 index)
{
    ImageSlice slice = sliceFrame(image, axis, index);
    if (slice.width == 0)
        return slice;
    const std::array<int, 2> uv = sliceAxes(axis);
    slice.values.resize(size_t(slice.width * slice.height));
    qint64 voxel[3] = {0, 0, 0};
    voxel[axis] = index;
    for (qint64 v = 0; v < slice.height; ++v) {
        voxel[uv[1]] = v;
        for (qint64 u = 0; u < slice.width; ++u) {
            voxel[uv[0]] = u;
            slice.values[size_t(u + slice.width * v)] = image.at(voxel[0], voxel[1], voxel[2]);
        }
    }
    return slice;
}

std::array<double, 3> voxelOf(const ImageVolume &image, const double world[3])
{
    std::array<double, 3> voxel = {0, 0, 0};
    image.toWorld.inverse().apply(world[0], world[1], world[2], voxel.data());
    return voxel;
}

SliceState startingSlices(const ImageVolume &image)
{
    SliceState slices = centredSlices(image);
    const ImageValueRange r = valueRange(image);
    if (!r.count || inHounsfield(image, r.min))
        slices.windowLevel = windowpreset::SoftTissue;
    else
        slices.windowLevel = {r.max > r.min ? r.max - r.min : 1.0, (r.max + r.min) / 2};
    return slices;
}

std::array<std::array<double, 3>, 8> imageCorners(const ImageVolume &image)
{
    std::array<std::array<double, 3>, 8> corners {};
    for (int c = 0; c < 8; ++c) {
        const double i = (c & 1) ? double(image.size[0]) - 0.5 : -0.5;
        const double j = (c & 2) ? double(image.size[1]) - 0.5 : -0.5;
        const double k = (c & 4) ? double(image.size[2]) - 0.5 : -0.5;
        image.toWorld.apply(i, j, k, corners[size_t(c)].data());
    }
    return corners;
}

std::array<std::array<double, 3>, 4> sliceQuad(const ImageSlice &slice)
{
    // Pixel centres run from 0 to width - 1; the quad reaches half a pixel
    // beyond them on every side.
    const double u[2] = {-0.5, double(slice.width) - 0.5};
    const double v[2] = {-0.5, double(slice.height) - 0.5};
    std::array<std::array<double, 3>, 4> corners {};
    slice.toWorld(u[0], v[0], corners[0].data());
    slice.toWorld(u[1], v[0], corners[1].data());
    slice.toWorld(u[1], v[1], corners[2].data());
    slice.toWorld(u[0], v[1], corners[3].data());
    return corners;
}
