#include "ImageSlice.h"

#include <cmath>

namespace {

// |cosine| between index axis `axis` and world axis `world`.
double alignment(const ImageVolume &image, int axis, int world)
{
    const double length = image.toWorld.spacing(axis);
    return length > 0 ? std::abs(image.toWorld.m[world][axis]) / length : 0;
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

quint8 greyOf(float value, WindowLevel windowLevel)
{
    if (std::isnan(value))
        return 0;
    if (windowLevel.window <= 0)
        return value >= windowLevel.level ? 255 : 0;
    const double low = windowLevel.level - windowLevel.window / 2;
    const double scaled = (double(value) - low) / windowLevel.window * 255.0;
    if (scaled <= 0)
        return 0;
    if (scaled >= 255)
        return 255;
    return quint8(std::lround(scaled));
}

std::vector<quint8> windowed(const ImageSlice &slice, WindowLevel windowLevel)
{
    std::vector<quint8> grey(slice.values.size());
    for (size_t p = 0; p < grey.size(); ++p)
        grey[p] = greyOf(slice.values[p], windowLevel);
    return grey;
}

std::array<double, 3> voxelOf(const ImageVolume &image, const double world[3])
{
    std::array<double, 3> voxel = {0, 0, 0};
    image.toWorld.inverse().apply(world[0], world[1], world[2], voxel.data());
    return voxel;
}
